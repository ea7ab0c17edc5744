#include "../../ctlkit/TestFiles.h"
#include "app/FrameCommands.h"
#include "app/qt/CAboutDialog.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CUserStore.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "settings/CModelContext.h"
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

QString Text(QDialog& dialog, unsigned id) {
    auto* label = qobject_cast<QLabel*>(FindControl(dialog, id));
    return label ? label->text() : QString("<no control %1>").arg(id);
}

// Once the modal dialog that `open` raises shows, `drive` acts on it and must close it.
void WhileModal(const std::function<void()>& open, const std::function<void(QDialog&)>& drive) {
    bool driven = false;
    std::function<void()> poll = [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(5, poll);
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        driven = true;
        drive(*dialog);
    };
    QTimer::singleShot(0, poll);
    open();
    EXPECT_TRUE(driven);
}

class AboutDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        WriteText(home.File("setup.ini"), "[DOWNLOAD]\nHomePage=https://zentristock.example/\n");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        store = std::make_unique<CUserStore>();
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
        frame = std::make_unique<CMainFrame>(*context, loop, *store);
        frame->Create();
    }
    void TearDown() override { CLanguage::SetFile(""); }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CUserStore> store;
    std::unique_ptr<CModelContext> context;
    std::unique_ptr<CMainFrame> frame;
};

// What the Help menu's About shows of this installation, and what Copy hands a support
// request.
TEST_F(AboutDialogTest, ShowsTheInstallationInUseAndCopiesItAsText) {
    const std::string programFolder = home.Path() + "/";
    const SAboutFacts facts = CAboutDialog::RunningProgram(
        programFolder, programFolder + "setup.ini", store->FileName(),
        "https://zentristock.example/");
    ASSERT_EQ(AboutRows(facts).size(), 9u);
    EXPECT_EQ(facts.qtVersion, qVersion());
    EXPECT_FALSE(facts.curlVersion.empty());
    EXPECT_NE(facts.buildDate, "unknown");
    EXPECT_EQ(fs::path(facts.userStore).parent_path().parent_path(), fs::path(userDir.Path()));

    QApplication::clipboard()->clear();
    WhileModal([&] { frame->OnCommand(kCmdAppAbout); },
               [&](QDialog& about) {
                   EXPECT_EQ(about.parentWidget(), frame.get());
                   EXPECT_EQ(about.windowTitle(), "About ZentriStock");
                   int row = 0;
                   for (const auto& [label, value] : AboutRows(facts)) {
                       EXPECT_EQ(Text(about, CAboutDialog::kFirstLabel + row),
                                 QString::fromStdString(label + ":"));
                       if (label != "Home page")
                           EXPECT_EQ(Text(about, CAboutDialog::kFirstValue + row),
                                     QString::fromStdString(value))
                               << label;
                       ++row;
                   }
                   EXPECT_TRUE(Text(about, CAboutDialog::kFirstValue + 8)
                                   .contains("href=\"https://zentristock.example/\""));
                   // Alt+C is Copy; the focus stays where it was, on OK.
                   QTest::keyClick(&about, Qt::Key_C, Qt::AltModifier);
                   // A mnemonic presses the button as a click would show it: a moment later.
                   for (int i = 0; i < 100 && QApplication::clipboard()->text().isEmpty(); ++i)
                       QTest::qWait(10);
                   EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
                             AboutSupportText(facts));
                   EXPECT_EQ(about.focusWidget(), FindControl(about, CAboutDialog::kOk));
                   QTest::keyClick(&about, Qt::Key_Escape);
               });
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(prompter.messages.empty());
}

// Enter is OK; the language file's section 100 translates the dialog when it opens.
TEST_F(AboutDialogTest, TranslatedOnOpeningAndClosedWithEnter) {
    WriteText(home.File("de.lng"), "[100]\n0=Über ZentriStock\n1100=Fassung:\n1001=&Kopieren\n");
    CLanguage::SetFile(home.File("de.lng"));
    WhileModal([&] { frame->OnCommand(kCmdAppAbout); },
               [&](QDialog& about) {
                   EXPECT_EQ(about.windowTitle(), "Über ZentriStock");
                   EXPECT_EQ(Text(about, CAboutDialog::kFirstLabel), "Fassung:");
                   auto* copy = qobject_cast<QPushButton*>(FindControl(about, CAboutDialog::kCopy));
                   ASSERT_NE(copy, nullptr);
                   EXPECT_EQ(copy->text(), "&Kopieren");
                   QTest::keyClick(&about, Qt::Key_Return);
                   EXPECT_EQ(about.result(), QDialog::Accepted);
               });
}

} // namespace
