#include "../../ctlkit/TestFiles.h"
#include "app/FrameCommands.h"
#include "app/qt/CChildFrame.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CUserStore.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/describe/CIndicatorDescriptions.h"
#include "indicators/IndicatorDescriptions.h"
#include "settings/CModelContext.h"
#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Lets posted events and zero timers run (menu rebuilds, deferred deletes).
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

QAction* FindCommand(QWidget& menu, unsigned id) {
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            if (QAction* found = FindCommand(*action->menu(), id)) return found;
        } else if (CommandIdOf(*action) == id) {
            return action;
        }
    }
    return nullptr;
}

// The Help menu of the real main frame, with and without a chart open, over an installation
// copied from the sample one.
class DescriptionsFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        fs::copy(ZS_SAMPLE_DIR, home.Path(), fs::copy_options::recursive);
        fs::remove(home.File("setup.ini"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        store = std::make_unique<CUserStore>();
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
    }
    void TearDown() override {
        CIndicatorDescriptions::SetShownHook({});
        CFormsetDialog::SetShownHook({});
        CLanguage::SetFile("");
    }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CUserStore> store;
    std::unique_ptr<CModelContext> context;
};

TEST_F(DescriptionsFrameTest, HelpMenuItemOpensTheViewerOnTheInstallationsPages) {
    auto frame = std::make_unique<CMainFrame>(*context, loop, *store);
    frame->Create();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));

    const QUrl firstPage = QUrl::fromLocalFile(
        QFileInfo(QString::fromStdString(IndicatorPagePath(home.Path() + "/", "SMA")))
            .canonicalFilePath());
    std::vector<std::string> shown;
    CIndicatorDescriptions::SetShownHook([&](CIndicatorDescriptions& viewer) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&viewer));
        EXPECT_EQ(viewer.parentWidget(), frame.get());
        EXPECT_EQ(viewer.Identifier(), "SMA");
        EXPECT_FALSE(viewer.ShowsBuiltInText());
        shown.push_back(viewer.Browser().source().toString().toStdString());
        QTest::keyClick(&viewer, Qt::Key_Escape);
    });

    // Without a chart, then on the chart window's menu.
    for (bool withChart : {false, true}) {
        if (withChart) frame->OpenDocument(CZentriStockDoc::NewChart(*context));
        Settle();
        QAction* item = FindCommand(*frame->menuBar(), kCmdIndicatorDescriptions);
        ASSERT_NE(item, nullptr) << withChart;
        EXPECT_EQ(item->text(), "&Indicator Descriptions...");
        item->trigger(); // carried out from the event loop
        Settle();
        EXPECT_EQ(shown.size(), withChart ? 2u : 1u);
    }
    EXPECT_EQ(shown, (std::vector<std::string>(2, firstPage.toString().toStdString())));

    // Pages gone from the installation: the built-in text stands in.
    fs::remove_all(home.File("Doc"));
    CIndicatorDescriptions::SetShownHook([&](CIndicatorDescriptions& viewer) {
        EXPECT_TRUE(viewer.ShowsBuiltInText());
        EXPECT_EQ(viewer.Browser().toPlainText().trimmed().toStdString() + "\n",
                  BuiltInDescription("SMA"));
        QTest::keyClick(&viewer, Qt::Key_Escape);
        shown.push_back({});
    });
    frame->OnCommand(kCmdIndicatorDescriptions);
    EXPECT_EQ(shown.size(), 3u);
    frame->close();
}

// The chart's insert-or-replace question, as an indicator command asks it, offers the
// description of that indicator from the installation's pages.
TEST_F(DescriptionsFrameTest, IndicatorCommandsQuestionOpensTheDescriptionOfItsIndicator) {
    auto frame = std::make_unique<CMainFrame>(*context, loop, *store);
    frame->Create();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    Settle();
    ASSERT_NE(frame->ActiveChild(), nullptr);

    struct Case {
        unsigned command;
        const char* identifier;
    };
    for (const Case c : {Case{32786, "MACD"}, Case{32788, "VOL"}}) {
        std::vector<std::string> viewed;
        CIndicatorDescriptions::SetShownHook([&](CIndicatorDescriptions& viewer) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&viewer));
            viewed.push_back(viewer.Identifier());
            EXPECT_EQ(viewer.Browser().source(),
                      QUrl::fromLocalFile(QFileInfo(QString::fromStdString(IndicatorPagePath(
                                                        home.Path() + "/", c.identifier)))
                                              .canonicalFilePath()));
            QTest::keyClick(&viewer, Qt::Key_Escape);
        });
        int asked = 0;
        CFormsetDialog::SetShownHook([&](CFormsetDialog& question) {
            ++asked;
            EXPECT_EQ(question.DialogId(), CInnerSelFormset::kDialogId);
            auto* button =
                qobject_cast<QPushButton*>(FindControl(question, CInnerSelFormset::kDescription));
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton);
            question.reject(); // Cancel: the chart stays as it was
        });
        frame->OnCommand(c.command);
        Settle();
        CFormsetDialog::SetShownHook({});
        EXPECT_EQ(asked, 1) << c.identifier;
        EXPECT_EQ(viewed, std::vector<std::string>{c.identifier});
    }
    frame->close();
}

} // namespace
