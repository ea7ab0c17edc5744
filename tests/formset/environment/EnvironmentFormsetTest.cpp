#include "IniKeys.h"
#include "LanguageFileTest.h"
#include "TestFiles.h"
#include "app/qt/CChildFrame.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CUserStore.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/base/IniFileLock.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "formset/qt/environment/CEnvironmentFormset.h"
#include "settings/CModelContext.h"
#include "../dialog/DialogKeys.h"
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using ini_keys::Keys;

namespace {
using F = CEnvironmentFormset;
constexpr unsigned kOption = 32968;

const char* const kSetup = "[DATA_DIRECTORY]\n"
                           "TickerName=ACME\n"
                           "TickerMarket=NYSE\n"
                           "[PROXY]\n"
                           "UseProxy=0\n"
                           "ProxyAdd=proxy.local\n"
                           "ProxyPort=8080\n"
                           "[STOCKLINE_SETUP]\n"
                           "DisPeriod=400\n"
                           "DisDayNum=60\n"
                           "[ENVIORMENT]\n"
                           "CurveFloating=0\n";

// The field behind mnemonic `key` gets `text` in place of what it held.
void Type(QWidget& dialog, Qt::Key key, const QString& text) {
    Mnemonic(dialog, key);
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr) << key;
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

unsigned FocusId() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? ControlIdOf(*focus).value_or(0) : 0;
}

class EnvironmentFormsetTest : public LanguageFileTest {
protected:
    void SetUp() override {
        LanguageFileTest::SetUp();
        fs::copy(ZS_SAMPLE_DIR, home.Path(), fs::copy_options::recursive);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        store = std::make_unique<CUserStore>();
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path() + "/"), prompter);
        setup = context->Paths().SetupIni();
        WriteText(setup, kSetup);
        frame = std::make_unique<CMainFrame>(*context, loop, *store);
        frame->Create();
        prompter.messages.clear();
    }
    void TearDown() override {
        CFormsetDialog::SetShownHook({});
        CEnvironmentFormset::SetFolderQuestion({});
        frame.reset();
        LanguageFileTest::TearDown();
    }
    // Command 32968 through the frame; `drive` runs on the dialog once it shows and must
    // close it. False when no dialog showed.
    bool Option(const std::function<void(CFormsetDialog&)>& drive) {
        bool shown = false;
        CFormsetDialog::SetShownHook([&](CFormsetDialog& dialog) {
            shown = true;
            EXPECT_EQ(dialog.DialogId(), F::kDialogId);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            drive(dialog);
        });
        frame->OnCommand(kOption);
        CFormsetDialog::SetShownHook({});
        return shown;
    }
    Keys Now() const { return ini_keys::Of(setup); }
    CChildFrame* OpenChart() {
        CChildFrame* child = frame->OpenDocument(CZentriStockDoc::NewChart(*context));
        for (int i = 0; i < 3; ++i) QTest::qWait(1); // the chart menu comes with a zero timer
        return child;
    }
    void CloseCharts() {
        for (QMdiSubWindow* window : frame->MdiArea().subWindowList()) delete window;
        QApplication::processEvents();
    }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CUserStore> store;
    std::unique_ptr<CModelContext> context;
    std::unique_ptr<CMainFrame> frame;
    std::string setup;
};

TEST_F(EnvironmentFormsetTest, ShowsTheStoredOptionsAndTabsThroughEveryControl) {
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Option");
        EXPECT_FALSE(Find<QCheckBox>(d, F::kUseProxy)->isChecked());
        EXPECT_EQ(Find<QLineEdit>(d, F::kProxyAdd)->text(), "proxy.local");
        EXPECT_EQ(Find<QLineEdit>(d, F::kProxyPort)->text(), "8080");
        EXPECT_EQ(Find<QLineEdit>(d, F::kMaximumQuotes)->text(), "400");
        EXPECT_EQ(Find<QLineEdit>(d, F::kBarsInWindow)->text(), "60");
        EXPECT_FALSE(Find<QCheckBox>(d, F::kCurveFloating)->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(d, F::kYAxisOffset)->isChecked());
        EXPECT_EQ(Find<QLineEdit>(d, F::kDataFolder)->text(), "");
        EXPECT_EQ(Find<QLineEdit>(d, F::kDataFolder)->placeholderText(),
                  QString::fromStdString(home.Path() + "/Data/"));
        EXPECT_EQ(Find<QLabel>(d, F::kNotMovedNote)->text(),
                  "Quote files already in the old folder are not moved.");

        const std::vector<unsigned> order = {F::kUseProxy,
                                             F::kProxyAdd,
                                             F::kProxyPort,
                                             F::kMaximumQuotes,
                                             F::kBarsInWindow,
                                             F::kCurveFloating,
                                             F::kYAxisOffset,
                                             F::kDataFolder,
                                             F::kBrowse,
                                             1u,
                                             2u,
                                             F::kUseProxy};
        std::vector<unsigned> tabbed = {FocusId()};
        for (size_t i = 1; i < order.size(); ++i) {
            Key(Qt::Key_Tab);
            tabbed.push_back(FocusId());
        }
        EXPECT_EQ(tabbed, order);

        const std::pair<Qt::Key, unsigned> mnemonics[] = {{Qt::Key_A, F::kProxyAdd},
                                                          {Qt::Key_P, F::kProxyPort},
                                                          {Qt::Key_Q, F::kMaximumQuotes},
                                                          {Qt::Key_B, F::kBarsInWindow},
                                                          {Qt::Key_D, F::kDataFolder}};
        for (const auto& [key, id] : mnemonics) {
            Mnemonic(d, key);
            EXPECT_EQ(FocusId(), id) << key;
        }
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(ReadText(setup), kSetup);
}

TEST_F(EnvironmentFormsetTest, EachFieldChangedWritesExactlyItsKeysOnOk) {
    const std::string typed = home.Path() + "/typed";
    const std::string browsed = home.Path() + "/browsed";
    std::vector<std::string> browseStarts;
    CEnvironmentFormset::SetFolderQuestion([&](QWidget*, const std::string& start) {
        browseStarts.push_back(start);
        return std::optional<std::string>(browsed);
    });
    struct Case {
        const char* name;
        std::function<void(CFormsetDialog&)> change;
        Keys written;
    };
    const Case cases[] = {
        {"nothing", [](CFormsetDialog&) {}, {}},
        {"proxy on", [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_U); }, {{"PROXY/UseProxy", "1"}}},
        {"address",
         [](CFormsetDialog& d) { Type(d, Qt::Key_A, "gate.example.org"); },
         {{"PROXY/ProxyAdd", "gate.example.org"}}},
        {"port",
         [](CFormsetDialog& d) { Type(d, Qt::Key_P, " 03128 "); },
         {{"PROXY/ProxyPort", "3128"}}},
        {"quotes",
         [](CFormsetDialog& d) { Type(d, Qt::Key_Q, "2500"); },
         {{"STOCKLINE_SETUP/DisPeriod", "2500"}}},
        {"bars",
         [](CFormsetDialog& d) { Type(d, Qt::Key_B, "401"); },
         {{"STOCKLINE_SETUP/DisDayNum", "401"}}},
        {"floating",
         [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_F); },
         {{"ENVIORMENT/CurveFloating", "1"}}},
        {"margin",
         [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_M); },
         {{"ENVIORMENT/YAxisOffset", "1"}}},
        {"folder typed",
         [&](CFormsetDialog& d) { Type(d, Qt::Key_D, QString::fromStdString(typed)); },
         {{"DATA_DIRECTORY/DataDirectory", typed}, {"ENVIORMENT/DATA_DIRECTORY", typed}}},
        {"folder browsed",
         [&](CFormsetDialog& d) {
             Mnemonic(d, Qt::Key_R);
             EXPECT_EQ(FocusId(), F::kDataFolder);
         },
         {{"DATA_DIRECTORY/DataDirectory", browsed}, {"ENVIORMENT/DATA_DIRECTORY", browsed}}},
    };
    for (const Case& c : cases) {
        WriteText(setup, kSetup);
        ASSERT_TRUE(Option([&](CFormsetDialog& d) {
            c.change(d);
            Mnemonic(d, Qt::Key_O);
            EXPECT_FALSE(d.isVisible()) << c.name;
        })) << c.name;
        EXPECT_EQ(ini_keys::Changed(ini_keys::Parse(kSetup), Now()), c.written) << c.name;
        if (c.written.empty()) {
            EXPECT_EQ(ReadText(setup), kSetup);
        }
    }
    EXPECT_EQ(browseStarts, (std::vector<std::string>{home.Path() + "/Data/"}));
    EXPECT_TRUE(fs::is_directory(typed));
    EXPECT_TRUE(fs::is_directory(browsed));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
}

TEST_F(EnvironmentFormsetTest, LeavingWithoutOkLeavesSetupIniAsItWas) {
    CEnvironmentFormset::SetFolderQuestion(
        [&](QWidget*, const std::string&) { return std::optional<std::string>(home.Path()); });
    const std::vector<std::pair<const char*, std::function<void(CFormsetDialog&)>>> ways = {
        {"Cancel", [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_C); }},
        {"Escape", [](CFormsetDialog&) { Key(Qt::Key_Escape); }},
        {"close button", [](CFormsetDialog& d) { d.close(); }},
    };
    for (const auto& [way, leave] : ways) {
        ASSERT_TRUE(Option([&](CFormsetDialog& d) {
            Mnemonic(d, Qt::Key_U);
            Type(d, Qt::Key_A, "other");
            Type(d, Qt::Key_P, "1");
            Type(d, Qt::Key_Q, "1000");
            Type(d, Qt::Key_B, "10");
            Mnemonic(d, Qt::Key_F);
            Mnemonic(d, Qt::Key_M);
            Mnemonic(d, Qt::Key_R);
            leave(d);
            EXPECT_FALSE(d.isVisible()) << way;
        })) << way;
        EXPECT_EQ(ReadText(setup), kSetup) << way;
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(EnvironmentFormsetTest, BadInputIsRefusedWithTheFieldNamedAndTheDialogOpen) {
    const std::string file = home.File("plain-file");
    WriteText(file, "x");
    struct Case {
        const char* name;
        std::function<void(CFormsetDialog&)> change;
        unsigned focus;
        std::string message;
    };
    const std::string range = ": please enter a whole number from ";
    const Case cases[] = {
        {"port 0", [](CFormsetDialog& d) { Type(d, Qt::Key_P, "0"); }, F::kProxyPort,
         "Port" + range + "1 to 65535."},
        {"port 65536", [](CFormsetDialog& d) { Type(d, Qt::Key_P, "65536"); }, F::kProxyPort,
         "Port" + range + "1 to 65535."},
        {"proxy on, port empty",
         [](CFormsetDialog& d) {
             Mnemonic(d, Qt::Key_U);
             Type(d, Qt::Key_P, "");
         },
         F::kProxyPort, "Port: please enter the port of the proxy server."},
        {"address with a blank", [](CFormsetDialog& d) { Type(d, Qt::Key_A, "proxy local"); },
         F::kProxyAdd, "Address: a name or address holds no blanks."},
        {"quotes 49", [](CFormsetDialog& d) { Type(d, Qt::Key_Q, "49"); }, F::kMaximumQuotes,
         "Most quotes read from a quote file" + range + "50 to 1000000."},
        {"quotes 1000001", [](CFormsetDialog& d) { Type(d, Qt::Key_Q, "1000001"); },
         F::kMaximumQuotes, "Most quotes read from a quote file" + range + "50 to 1000000."},
        {"bars 0", [](CFormsetDialog& d) { Type(d, Qt::Key_B, "0"); }, F::kBarsInWindow,
         "Bars a new chart shows" + range + "1 to 401."},
        {"bars beyond the quotes + 1",
         [](CFormsetDialog& d) {
             Type(d, Qt::Key_Q, "100");
             Type(d, Qt::Key_B, "102");
         },
         F::kBarsInWindow, "Bars a new chart shows" + range + "1 to 101."},
        {"folder under a file",
         [&](CFormsetDialog& d) { Type(d, Qt::Key_D, QString::fromStdString(file + "/Data")); },
         F::kDataFolder,
         "Data folder: The folder " + file + "/Data/ does not exist and cannot be made."},
    };
    for (const Case& c : cases) {
        prompter.messages.clear();
        ASSERT_TRUE(Option([&](CFormsetDialog& d) {
            c.change(d);
            Mnemonic(d, Qt::Key_O);
            EXPECT_TRUE(d.isVisible()) << c.name;
            EXPECT_EQ(FocusId(), c.focus) << c.name;
            Key(Qt::Key_Escape);
        })) << c.name;
        EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(ReadText(setup), kSetup) << c.name;
    }
}

// The other program takes the lock and reads setup.ini just before OK, and writes its copy
// with a key of its own 500 ms later: OK that did not wait would lose its keys to that copy.
TEST_F(EnvironmentFormsetTest, OkWaitsForTheOtherProgramsLockAndBothKeepTheirKeys) {
    QProcess holder;
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        Type(d, Qt::Key_Q, "700");
        Mnemonic(d, Qt::Key_M);
        holder.start(ZS_INI_LOCK_HOLDER,
                     {QString::fromStdString(setup), "ENVIORMENT", "ConnectCheckOn", "1", "500"});
        ASSERT_TRUE(holder.waitForStarted());
        ASSERT_TRUE(holder.waitForReadyRead(5000));
        EXPECT_EQ(holder.readLine(), "locked\n");
        Mnemonic(d, Qt::Key_O);
    }));
    ASSERT_TRUE(holder.waitForFinished(5000));
    EXPECT_EQ(holder.exitCode(), 0);
    EXPECT_EQ(ini_keys::Changed(ini_keys::Parse(kSetup), Now()),
              (Keys{{"ENVIORMENT/ConnectCheckOn", "1"},
                    {"STOCKLINE_SETUP/DisPeriod", "700"},
                    {"ENVIORMENT/YAxisOffset", "1"}}));
}

TEST_F(EnvironmentFormsetTest, OpenChartsTakeTheOptionsAndDoNotUndoThemWhenClosed) {
    CChildFrame* first = OpenChart();
    CChildFrame* second = OpenChart();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->Document().Stock().BarsInWindow(), 60); // a new chart's window
    second->Document().Stock().SetMaximumQuotes(300, false); // as a chart file brings it

    // With a chart open, Option is offered by the frame, not the chart.
    QAction* option = nullptr;
    QMenu* settingMenu = nullptr;
    std::function<void(QMenu&)> walk = [&](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            if (action->menu()) walk(*action->menu());
            if (CommandIdOf(*action) == kOption) {
                option = action;
                settingMenu = &menu;
            }
        }
    };
    for (QAction* top : frame->menuBar()->actions())
        if (top->menu()) walk(*top->menu());
    ASSERT_NE(option, nullptr);
    emit settingMenu->aboutToShow();
    EXPECT_TRUE(option->isEnabled());
    EXPECT_FALSE(first->Offers(kOption));

    const Keys opened = Now();
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        Type(d, Qt::Key_B, "90");
        Mnemonic(d, Qt::Key_F);
        Mnemonic(d, Qt::Key_M);
        Mnemonic(d, Qt::Key_O);
    }));
    const Keys written = {{"STOCKLINE_SETUP/DisDayNum", "90"},
                          {"ENVIORMENT/CurveFloating", "1"},
                          {"ENVIORMENT/YAxisOffset", "1"}};
    EXPECT_EQ(ini_keys::Changed(opened, Now()), written);
    for (CChildFrame* child : {first, second}) {
        CZentriStockDoc& document = child->Document();
        EXPECT_TRUE(document.CurveFloating());
        EXPECT_TRUE(document.YAxisOffset());
        EXPECT_EQ(document.Stock().BarsInWindow(), 90);
    }
    // The maximum was not changed: the chart keeps its own.
    EXPECT_EQ(second->Document().Stock().MaximumQuotes(), 300);

    CloseCharts();
    EXPECT_EQ(frame->ChildCount(), 0);
    const Keys closed = Now();
    for (const auto& [key, value] : written) EXPECT_EQ(closed.at(key), value) << key;
    EXPECT_EQ(closed.at("STOCKLINE_SETUP/DisPeriod"), "400");
    EXPECT_EQ(OpenChart()->Document().Stock().BarsInWindow(), 90);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
}

TEST_F(EnvironmentFormsetTest, TranslatedOnCreationWithTheTranslatedFieldNames) {
    Activate("[300]\n0=Optionen\n1101=&Adresse:\n1102=&Port (Zahl):\n1009=&Suchen...\n");
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Optionen");
        EXPECT_EQ(Find<QPushButton>(d, F::kBrowse)->text(), "&Suchen...");
        Type(d, Qt::Key_P, "0");
        Mnemonic(d, Qt::Key_O);
        EXPECT_TRUE(d.isVisible());
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{
                                     "Port (Zahl): please enter a whole number from 1 to 65535."}));
}

TEST_F(EnvironmentFormsetTest, AFailedWriteIsTold) {
    fs::remove(setup);
    fs::create_directory(IniFileLock::LockPathFor(setup));
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_F);
        Mnemonic(d, Qt::Key_O);
    }));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{
                                     "The settings could not all be written to " + setup + "."}));
    EXPECT_FALSE(fs::exists(setup));
}

} // namespace
