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
#include "formset/qt/environment/CQuoteSourcePage.h"
#include "settings/CModelContext.h"
#include "../dialog/DialogKeys.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
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
#include <sys/stat.h>

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

using P = CQuoteSourcePage;

const char* const kQuoteSource = "[QUOTE_SOURCE]\n"
                                 "Source=stooq\n"
                                 "ApiKey_stooq=s3cret\n"
                                 "Suffix_TSX=.ca\n";

// `text` typed into the control `id` in place of what it held.
void TypeInto(QWidget& dialog, unsigned id, const QString& text) {
    auto* edit = Find<QLineEdit>(dialog, id);
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

int CurrentPage(QWidget& dialog) {
    return Find<QTabWidget>(dialog, F::kTabs)->currentIndex();
}

mode_t ModeOf(const std::string& path) {
    struct stat st{};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

TEST_F(EnvironmentFormsetTest, QuoteSourcePageShowsTheSettingsAndTabsThroughEveryControl) {
    WriteText(setup, std::string(kSetup) + kQuoteSource);
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_S);
        EXPECT_EQ(CurrentPage(d), 1);
        EXPECT_EQ(Find<QComboBox>(d, P::kSource)->currentText(), "stooq");
        auto* key = Find<QLineEdit>(d, P::kApiKey);
        EXPECT_EQ(key->text(), "s3cret");
        EXPECT_EQ(key->echoMode(), QLineEdit::Password);
        EXPECT_EQ(Find<QLineEdit>(d, P::kBaseAddress)->text(), "");
        EXPECT_EQ(Find<QLineEdit>(d, P::kBaseAddress)->placeholderText(), "https://stooq.com");
        const std::vector<QString> suffixes = {".us", ".ca", ""};
        for (unsigned i = 0; i < suffixes.size(); ++i)
            EXPECT_EQ(Find<QLineEdit>(d, CQuoteSourceEdit::kFirstSuffixField + i)->text(),
                      suffixes[i])
                << i;
        Mnemonic(d, Qt::Key_H);
        EXPECT_EQ(key->echoMode(), QLineEdit::Normal);

        Mnemonic(d, Qt::Key_V);
        const std::vector<unsigned> order = {P::kSource,  P::kApiKey, P::kShowKey, P::kBaseAddress,
                                             1300u,       1301u,      1302u,       1u,
                                             2u,          P::kSource};
        std::vector<unsigned> tabbed = {FocusId()};
        for (size_t i = 1; i < order.size(); ++i) {
            Key(Qt::Key_Tab);
            tabbed.push_back(FocusId());
        }
        EXPECT_EQ(tabbed, order);
        const std::pair<Qt::Key, unsigned> mnemonics[] = {
            {Qt::Key_K, P::kApiKey}, {Qt::Key_A, P::kBaseAddress}, {Qt::Key_V, P::kSource}};
        for (const auto& [mnemonic, id] : mnemonics) {
            Mnemonic(d, mnemonic);
            EXPECT_EQ(FocusId(), id) << mnemonic;
        }
        Mnemonic(d, Qt::Key_G);
        EXPECT_EQ(CurrentPage(d), 0);
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(ReadText(setup), std::string(kSetup) + kQuoteSource);
}

TEST_F(EnvironmentFormsetTest, QuoteSourceFieldsChangedWriteTheirKeysOnOk) {
    struct Case {
        const char* name;
        std::function<void(CFormsetDialog&)> change;
        Keys written;
    };
    const Keys section = {{"QUOTE_SOURCE/ApiKey_yahoo", ""},
                          {"QUOTE_SOURCE/ApiKey_alphavantage", ""},
                          {"QUOTE_SOURCE/BaseAddress_stooq", ""},
                          {"QUOTE_SOURCE/BaseAddress_alphavantage", ""},
                          {"DOWNLOAD/QuoteServer", "http://ichart.finance.yahoo.com"}};
    const auto with = [&](Keys keys) {
        for (const auto& [key, value] : section) keys.emplace(key, value);
        return keys;
    };
    const Case cases[] = {
        {"nothing, the page looked at", [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_S); }, {}},
        {"the source chosen by keyboard and its key typed",
         [](CFormsetDialog& d) {
             Mnemonic(d, Qt::Key_S);
             Mnemonic(d, Qt::Key_V);
             Key(Qt::Key_Down);
             Type(d, Qt::Key_K, "AV-KEY");
         },
         with({{"QUOTE_SOURCE/Source", "alphavantage"},
               {"QUOTE_SOURCE/ApiKey_alphavantage", "AV-KEY"}})},
        {"each source keeps its own key and address",
         [](CFormsetDialog& d) {
             Mnemonic(d, Qt::Key_S);
             Type(d, Qt::Key_K, "NEWSTOOQ");
             Type(d, Qt::Key_A, "https://mirror.example.org");
             Mnemonic(d, Qt::Key_V);
             Key(Qt::Key_Up);
             EXPECT_EQ(Find<QLineEdit>(d, P::kApiKey)->text(), "");
             Type(d, Qt::Key_A, "http://old.example.org");
             Mnemonic(d, Qt::Key_V);
             Key(Qt::Key_Down);
             EXPECT_EQ(Find<QLineEdit>(d, P::kApiKey)->text(), "NEWSTOOQ");
         },
         with({{"QUOTE_SOURCE/ApiKey_stooq", "NEWSTOOQ"},
               {"QUOTE_SOURCE/BaseAddress_stooq", "https://mirror.example.org"},
               {"DOWNLOAD/QuoteServer", "http://old.example.org"}})},
        {"suffixes typed, one emptied",
         [](CFormsetDialog& d) {
             Mnemonic(d, Qt::Key_S);
             TypeInto(d, 1300, "");
             TypeInto(d, 1302, " .uk ");
         },
         with({{"QUOTE_SOURCE/Suffix_NYSE", ""}, {"QUOTE_SOURCE/Suffix_LSE", ".uk"}})},
    };
    for (const Case& c : cases) {
        WriteText(setup, std::string(kSetup) + kQuoteSource);
        ::chmod(setup.c_str(), 0644);
        const Keys before = Now();
        ASSERT_TRUE(Option([&](CFormsetDialog& d) {
            c.change(d);
            Mnemonic(d, Qt::Key_O);
            EXPECT_FALSE(d.isVisible()) << c.name;
        })) << c.name;
        Keys written = c.written;
        // The section is written whole: keys it had keep their values.
        for (auto it = written.begin(); it != written.end();)
            it = before.count(it->first) && before.at(it->first) == it->second ? written.erase(it)
                                                                                : std::next(it);
        EXPECT_EQ(ini_keys::Changed(before, Now()), written) << c.name;
        EXPECT_EQ(ModeOf(setup), c.written.empty() ? 0644u : 0600u) << c.name;
        if (c.written.empty()) {
            EXPECT_EQ(ReadText(setup), std::string(kSetup) + kQuoteSource);
        }
    }
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
}

TEST_F(EnvironmentFormsetTest, ABadQuoteSourceFieldIsRefusedOnItsPageAndLeavingChangesNothing) {
    const std::string stored = std::string(kSetup) + kQuoteSource;
    WriteText(setup, stored);
    const std::string address = ": please enter an address that begins with http:// or https://, "
                                "without blanks, or leave it empty for ";
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_S);
        Type(d, Qt::Key_A, "stooq.com");
        Mnemonic(d, Qt::Key_G);
        Mnemonic(d, Qt::Key_O);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(CurrentPage(d), 1);
        EXPECT_EQ(FocusId(), P::kBaseAddress);
        // Another source's bad key is shown with its source.
        Type(d, Qt::Key_A, "");
        Mnemonic(d, Qt::Key_V);
        Key(Qt::Key_Down);
        Type(d, Qt::Key_K, "two words");
        Mnemonic(d, Qt::Key_V);
        Key(Qt::Key_Up);
        Mnemonic(d, Qt::Key_O);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Find<QComboBox>(d, P::kSource)->currentText(), "alphavantage");
        EXPECT_EQ(FocusId(), P::kApiKey);
        TypeInto(d, 1301, "a/b");
        Type(d, Qt::Key_K, "");
        Mnemonic(d, Qt::Key_O);
        EXPECT_EQ(FocusId(), 1301u);
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{
                  "Base address" + address + "https://stooq.com.",
                  "API key (alphavantage): a key holds no blanks and at most 256 characters.",
                  "Toronto Stock Exchange (TSX): a ticker suffix has at most 16 letters, digits "
                  "or \".-_^=\"."}));
    EXPECT_EQ(ReadText(setup), stored);

    const std::vector<std::pair<const char*, std::function<void(CFormsetDialog&)>>> ways = {
        {"Cancel", [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_C); }},
        {"Escape", [](CFormsetDialog&) { Key(Qt::Key_Escape); }},
        {"close button", [](CFormsetDialog& d) { d.close(); }},
    };
    for (const auto& [way, leave] : ways) {
        ASSERT_TRUE(Option([&](CFormsetDialog& d) {
            Mnemonic(d, Qt::Key_S);
            Mnemonic(d, Qt::Key_V);
            Key(Qt::Key_Up);
            Type(d, Qt::Key_K, "KEY");
            Type(d, Qt::Key_A, "https://other.example.org");
            TypeInto(d, 1302, ".l");
            leave(d);
        })) << way;
        EXPECT_EQ(ReadText(setup), stored) << way;
        EXPECT_EQ(ModeOf(setup) & 0077, 0044u) << way;
    }
}

TEST_F(EnvironmentFormsetTest, QuoteSourcePageTranslatedOnCreationWithTheTranslatedFieldNames) {
    Activate("[Text]\nTabQuoteSource=&Kursquelle\n[300]\n1205=&Dienst:\n1207=&Basisadresse:\n"
             "1204=Schl\xC3\xBCssel &zeigen\n");
    ASSERT_TRUE(Option([&](CFormsetDialog& d) {
        auto* tabs = Find<QTabWidget>(d, F::kTabs);
        EXPECT_EQ(tabs->tabText(1), "&Kursquelle");
        Mnemonic(d, Qt::Key_K);
        EXPECT_EQ(CurrentPage(d), 1);
        EXPECT_EQ(Find<QCheckBox>(d, P::kShowKey)->text(), QString::fromUtf8("Schl\xC3\xBCssel &zeigen"));
        Type(d, Qt::Key_B, "ftp://x");
        Mnemonic(d, Qt::Key_O);
        EXPECT_TRUE(d.isVisible());
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"Basisadresse: please enter an address that begins with "
                                        "http:// or https://, without blanks, or leave it empty "
                                        "for https://stooq.com."}));
}

} // namespace
