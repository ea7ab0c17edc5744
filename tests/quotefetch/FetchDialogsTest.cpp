#include "DialogKeys.h"
#include "ImportTestSupport.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "quotefetch/CStockSelection.h"
#include "quotefetch/qt/CDownloaderAboutDialog.h"
#include "quotefetch/qt/CImportDialog.h"
#include "quotefetch/qt/CStockSelectDialog.h"
#include "settings/CInstallPaths.h"
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using Strings = std::vector<std::string>;

const char* const kMarkets = "Market\tFullName\tSuffix\nNYSE\tNew York\t\nTSX\tToronto\t.TO\n";

// An installation folder with its market.txt and two symbol databases.
class FetchDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        EXPECT_TRUE(markets.Parse(kMarkets));
        WriteImportText(home.Path() + "Index/market.txt", kMarkets);
        WriteImportText(home.Path() + "System/NYSE.Dat",
                        CSymbolDatabase::MakeRecord("IBM", "International Business Machines") +
                            CSymbolDatabase::MakeRecord("GE", "General Electric") +
                            CSymbolDatabase::MakeRecord("KO", "Coca-Cola"));
        WriteImportText(home.Path() + "System/TSX.Dat",
                        CSymbolDatabase::MakeRecord("RY", "Royal Bank") +
                            CSymbolDatabase::MakeRecord("TD", "Toronto-Dominion Bank"));
    }
    void TearDown() override { CLanguage::SetFile(""); }

    // Runs the modal selection dialog; `drive` acts once it shows and must close it.
    bool RunSelect(CStockSelection& selection,
                   const std::function<void(CStockSelectDialog&)>& drive) {
        CFormsetDialog::ShownHook previous =
            CFormsetDialog::SetShownHook([&](CFormsetDialog& shown) {
                auto& dialog = static_cast<CStockSelectDialog&>(shown);
                EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
                drive(dialog);
                if (dialog.isVisible()) {
                    ADD_FAILURE() << "the dialog was left open";
                    dialog.done(QDialog::Rejected);
                }
            });
        const bool ok = CStockSelectDialog::Run(selection, CInstallPaths(home.Path()), nullptr);
        CFormsetDialog::SetShownHook(previous);
        return ok;
    }

    std::optional<SImportRequest> RunImport(CIniReader& setup, FileChooser chooser,
                                            const std::function<void(CImportDialog&)>& drive) {
        CFormsetDialog::ShownHook previous =
            CFormsetDialog::SetShownHook([&](CFormsetDialog& shown) {
                auto& dialog = static_cast<CImportDialog&>(shown);
                EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
                drive(dialog);
                if (dialog.isVisible()) {
                    ADD_FAILURE() << "the dialog was left open";
                    dialog.done(QDialog::Rejected);
                }
            });
        std::optional<SImportRequest> request =
            CImportDialog::Ask(markets, setup, home.Path() + "Data/", std::move(chooser), nullptr);
        CFormsetDialog::SetShownHook(previous);
        return request;
    }

    CImportTempFolder home;
    CMarketList markets;
    CRecordingPrompter prompter;
    CScopedPrompter scoped{prompter};
};

Strings Column(const QTreeWidget& list, int column) {
    Strings texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts.push_back(list.topLevelItem(i)->text(column).toStdString());
    return texts;
}

void Mark(QTreeWidget& list, const std::vector<int>& rows) {
    list.clearSelection();
    for (int row : rows) list.topLevelItem(row)->setSelected(true);
}

// A check box toggled from the keyboard.
void Toggle(QCheckBox& box) {
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Space);
}

void Click(QWidget& dialog, unsigned id) {
    QTest::mouseClick(Find<QPushButton>(dialog, id), Qt::LeftButton);
}

std::string Texts(const std::vector<SSelectedStock>& stocks) {
    std::string text;
    for (const SSelectedStock& stock : stocks) text += stock.market + ":" + stock.symbol + " ";
    return text;
}

// The control identifier of what has the keyboard focus (an editable combo's line edit counts
// as its combo).
unsigned FocusedId() {
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
        if (std::optional<unsigned> id = ControlIdOf(*widget)) return *id;
    return 0;
}

std::vector<unsigned> TabChain(QWidget& first, size_t count) {
    first.setFocus(Qt::TabFocusReason);
    std::vector<unsigned> chain;
    for (size_t i = 0; i < count; ++i) {
        chain.push_back(FocusedId());
        Key(Qt::Key_Tab);
    }
    return chain;
}

} // namespace

TEST_F(FetchDialogsTest, StockSelectAddsRemovesAllNoneAndFiltersThenOkWritesTheFile) {
    const std::string path = home.Path() + "System/downloader.dat";
    CStockSelection selection(path);
    ASSERT_TRUE(selection.Assign({{"TSX", "TD"}}));
    const bool ok = RunSelect(selection, [&](CStockSelectDialog& d) {
        QTreeWidget& available = *d.AvailableList();
        QTreeWidget& selected = *d.SelectedList();
        // It opens on the market of the first selected record.
        EXPECT_EQ(d.MarketBox()->currentText().toStdString(), "TSX - Toronto");
        EXPECT_EQ(Column(available, 0), (Strings{"RY", "TD"}));
        EXPECT_EQ(Column(selected, 1), (Strings{"Toronto-Dominion Bank"}));
        EXPECT_EQ(available.headerItem()->text(0).toStdString(), "Symbol");
        EXPECT_EQ(available.headerItem()->text(1).toStdString(), "Stock Name");
        EXPECT_EQ(available.headerItem()->text(2).toStdString(), "Market");

        // Add with nothing marked says so and adds nothing.
        available.clearSelection();
        Click(d, CStockSelectDialog::kAddId);
        EXPECT_EQ(prompter.messages,
                  (Strings{"No Items was selected. Please Select an Item first."}));
        EXPECT_EQ(selected.topLevelItemCount(), 1);

        d.MarketBox()->setCurrentIndex(0);
        EXPECT_EQ(Column(available, 0), (Strings{"IBM", "GE", "KO"}));
        Mark(available, {2, 0});
        Click(d, CStockSelectDialog::kAddId);
        EXPECT_EQ(Column(selected, 0), (Strings{"TD", "IBM", "KO"}));
        EXPECT_EQ(Column(selected, 2), (Strings{"TSX", "NYSE", "NYSE"}));

        // The filter narrows the symbols by symbol or name; All adds what it shows.
        EXPECT_EQ(Find<QLabel>(d, CStockSelectDialog::kAvailableTextId)->text().toStdString(),
                  "3 symbols");
        QTest::keyClicks(d.FilterEdit(), "ele");
        EXPECT_EQ(Column(available, 0), (Strings{"GE"}));
        EXPECT_EQ(Find<QLabel>(d, CStockSelectDialog::kAvailableTextId)->text().toStdString(),
                  "1 of 3 symbols");
        Click(d, CStockSelectDialog::kAllId);
        EXPECT_EQ(Column(selected, 0), (Strings{"TD", "IBM", "KO", "GE"}));
        // From the keyboard: Enter in the filter goes to the symbols, Enter there adds.
        d.FilterEdit()->clear();
        d.FilterEdit()->setFocus();
        QTest::keyClicks(d.FilterEdit(), "cola");
        Key(Qt::Key_Return);
        EXPECT_EQ(FocusedId(), CStockSelectDialog::kAvailableId);
        EXPECT_EQ(Column(available, 0), (Strings{"KO"}));
        Key(Qt::Key_Return); // KO is selected already: nothing changes, nothing to say
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(prompter.messages.size(), 1u);
        d.FilterEdit()->clear();
        Mark(available, {1});
        available.setFocus();
        Key(Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(Column(selected, 0), (Strings{"TD", "IBM", "KO", "GE"}));
        Click(d, CStockSelectDialog::kAllId); // nothing twice
        EXPECT_EQ(Column(selected, 0), (Strings{"TD", "IBM", "KO", "GE"}));

        // Remove with nothing marked says so; Remove and Delete take the marked rows.
        selected.clearSelection();
        Click(d, CStockSelectDialog::kRemoveId);
        EXPECT_EQ(prompter.messages.size(), 2u);
        Mark(selected, {1});
        Click(d, CStockSelectDialog::kRemoveId);
        EXPECT_EQ(Column(selected, 0), (Strings{"TD", "KO", "GE"}));
        Mark(selected, {0});
        selected.setFocus();
        Key(Qt::Key_Delete);
        EXPECT_EQ(Column(selected, 0), (Strings{"KO", "GE"}));
        EXPECT_EQ(Find<QLabel>(d, CStockSelectDialog::kCountId)->text().toStdString(),
                  "2 stocks selected.");
        // Nothing is written before OK.
        EXPECT_EQ(Texts(ReadSelectionFile(path)), "TSX:TD ");
        Click(d, 1);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Texts(selection.Stocks()), "NYSE:KO NYSE:GE ");
    EXPECT_EQ(Texts(ReadSelectionFile(path)), "NYSE:KO NYSE:GE ");

    // None, then OK: an empty selection.
    EXPECT_TRUE(RunSelect(selection, [&](CStockSelectDialog& d) {
        Click(d, CStockSelectDialog::kNoneId);
        EXPECT_EQ(d.SelectedList()->topLevelItemCount(), 0);
        Click(d, 1);
    }));
    EXPECT_EQ(Texts(ReadSelectionFile(path)), "");
}

TEST_F(FetchDialogsTest, StockSelectCancelEscapeAndCloseLeaveTheFile) {
    const std::string path = home.Path() + "System/downloader.dat";
    CStockSelection selection(path);
    ASSERT_TRUE(selection.Assign({{"NYSE", "IBM"}}));
    const std::pair<const char*, std::function<void(CStockSelectDialog&)>> ways[] = {
        {"Cancel", [](CStockSelectDialog& d) { Click(d, 2); }},
        {"Escape", [](CStockSelectDialog& d) { QTest::keyClick(d.FilterEdit(), Qt::Key_Escape); }},
        {"close", [](CStockSelectDialog& d) { d.close(); }},
    };
    for (const auto& [way, finish] : ways) {
        const bool ok = RunSelect(selection, [&](CStockSelectDialog& d) {
            Click(d, CStockSelectDialog::kAllId);
            EXPECT_EQ(d.SelectedList()->topLevelItemCount(), 3) << way;
            finish(d);
        });
        EXPECT_FALSE(ok) << way;
        EXPECT_EQ(Texts(selection.Stocks()), "NYSE:IBM ") << way;
        EXPECT_EQ(Texts(ReadSelectionFile(path)), "NYSE:IBM ") << way;
    }
}

TEST_F(FetchDialogsTest, StockSelectThatCannotWriteSaysSoAndStaysOpen) {
    // The selection's folder is a file: nothing can be written below it.
    WriteImportText(home.Path() + "blocked", "");
    CStockSelection selection(home.Path() + "blocked/downloader.dat");
    bool stayed = false;
    const bool ok = RunSelect(selection, [&](CStockSelectDialog& d) {
        Mark(*d.AvailableList(), {0});
        Click(d, CStockSelectDialog::kAddId);
        Click(d, 1);
        stayed = d.isVisible();
        Click(d, 2);
    });
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(selection.Empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("The selection was not saved: ", 0), 0u)
        << prompter.messages[0];
}

TEST_F(FetchDialogsTest, ImportGivesTheChoicesAndRemembersFolderAndTypedMarket) {
    const std::string ini = home.Path() + "setup.ini";
    WriteImportText(ini, "[ENVIORMENT]\nImportPath=/srv/eod\nDATA_DIRECTORY=/keep/\n");
    CIniReader setup(ini);
    std::vector<SFileChoiceRequest> asked;
    const auto chooser = [&](const SFileChoiceRequest& request) {
        asked.push_back(request);
        return Strings{"/home/u/new/A.txt", "/home/u/new/B.txt"};
    };

    // A listed market with its suffix.
    std::optional<SImportRequest> request = RunImport(setup, chooser, [&](CImportDialog& d) {
        EXPECT_EQ(d.MarketBox()->currentText().toStdString(), "NYSE");
        EXPECT_EQ(d.FilesText()->text().toStdString(), "No EOD DATA Selected.");
        QLabel& info = *Find<QLabel>(d, CImportDialog::kMarketInfoId);
        EXPECT_EQ(info.text().toStdString(), "New York, no ticker suffix");
        d.MarketBox()->setCurrentIndex(1);
        EXPECT_EQ(info.text().toStdString(), "Toronto, ticker suffix .TO");
        Toggle(*d.AddSuffixBox());
        Click(d, CImportDialog::kFilesId);
        EXPECT_EQ(d.FilesText()->text().toStdString(), "2 files selected.");
        Click(d, 1);
    });
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->files, (Strings{"/home/u/new/A.txt", "/home/u/new/B.txt"}));
    EXPECT_EQ(request->options.market, "TSX");
    EXPECT_EQ(request->options.suffix, ".TO");
    EXPECT_FALSE(request->options.replaceExisting);
    EXPECT_EQ(request->options.dataFolder, home.Path() + "Data/");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "OPEN - MetaStock Format EOD Data");
    EXPECT_EQ(asked[0].filter, "EOD Data of MetaStock Format   (*.txt);;All Files (*)");
    EXPECT_EQ(asked[0].folder, "/srv/eod");
    EXPECT_EQ(setup.getKeyValue("ImportPath", "ENVIORMENT"), "/home/u/new");
    EXPECT_EQ(setup.getKeyValue("OtherMarket", "ENVIORMENT"), "");

    // A typed market, replacing days: remembered, and shown first next time.
    request = RunImport(setup, chooser, [&](CImportDialog& d) {
        d.MarketBox()->setFocus();
        d.MarketBox()->lineEdit()->selectAll();
        QTest::keyClicks(d.MarketBox()->lineEdit(), "ASX");
        EXPECT_EQ(Find<QLabel>(d, CImportDialog::kMarketInfoId)->text().toStdString(),
                  "Not in the market list: no suffix.");
        Toggle(*d.ReplaceBox());
        Toggle(*d.AddSuffixBox());
        Click(d, CImportDialog::kFilesId);
        Click(d, 1);
    });
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->options.market, "ASX");
    EXPECT_EQ(request->options.suffix, "");
    EXPECT_TRUE(request->options.replaceExisting);
    EXPECT_EQ(asked.back().folder, "/home/u/new");
    EXPECT_EQ(setup.getKeyValue("OtherMarket", "ENVIORMENT"), "ASX");
    EXPECT_EQ(setup.getKeyValue("DATA_DIRECTORY", "ENVIORMENT"), "/keep/");
    // Over the installation: its markets, its setup.ini, its data folder.
    CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& shown) {
        auto& d = static_cast<CImportDialog&>(shown);
        EXPECT_EQ(d.MarketBox()->currentText().toStdString(), "ASX");
        EXPECT_EQ(d.MarketBox()->count(), 2);
        Click(d, CImportDialog::kFilesId);
        Click(d, 1);
    });
    request = CImportDialog::Ask(CInstallPaths(home.Path()), chooser, nullptr);
    CFormsetDialog::SetShownHook(previous);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->options.dataFolder, "/keep/");
    EXPECT_EQ(request->options.market, "ASX");
    request = RunImport(setup, chooser, [&](CImportDialog& d) { Click(d, 2); });
    EXPECT_FALSE(request.has_value());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FetchDialogsTest, ImportWithoutFilesOrWithABadMarketStaysOpenAndCancelKeepsSettings) {
    const std::string ini = home.Path() + "setup.ini";
    const std::string before = "[ENVIORMENT]\nImportPath=/srv/eod\nOtherMarket=LSE\n";
    WriteImportText(ini, before);
    CIniReader setup(ini);
    bool pickNothing = true;
    const auto chooser = [&](const SFileChoiceRequest&) {
        return pickNothing ? Strings{} : Strings{"/elsewhere/A.txt"};
    };
    std::vector<bool> stayed;
    const std::pair<const char*, std::function<void(CImportDialog&)>> ways[] = {
        {"Cancel", [](CImportDialog& d) { Click(d, 2); }},
        {"Escape", [](CImportDialog& d) { QTest::keyClick(d.ReplaceBox(), Qt::Key_Escape); }},
    };
    for (const auto& [way, finish] : ways) {
        prompter.messages.clear();
        pickNothing = true;
        const std::optional<SImportRequest> request =
            RunImport(setup, chooser, [&](CImportDialog& d) {
                // The file dialog cancelled: still no file; OK refuses.
                Click(d, CImportDialog::kFilesId);
                Click(d, 1);
                stayed.push_back(d.isVisible());
                EXPECT_EQ(FocusedId(), CImportDialog::kFilesId) << way;
                // A market that cannot be a folder name is refused naming the field.
                pickNothing = false;
                Click(d, CImportDialog::kFilesId);
                d.MarketBox()->setEditText("../x");
                Click(d, 1);
                stayed.push_back(d.isVisible());
                EXPECT_EQ(FocusedId(), CImportDialog::kMarketId) << way;
                finish(d);
            });
        EXPECT_FALSE(request.has_value()) << way;
        EXPECT_EQ(prompter.messages,
                  (Strings{"No EOD DATA Selected.",
                           "Market: The market \"../x\" cannot be used as a folder name."}))
            << way;
        EXPECT_EQ(ReadImportText(ini), before) << way;
    }
    EXPECT_EQ(stayed, (std::vector<bool>{true, true, true, true}));
}

TEST_F(FetchDialogsTest, EveryControlIsReachedByTabInOrder) {
    CStockSelection selection(home.Path() + "System/downloader.dat");
    RunSelect(selection, [&](CStockSelectDialog& d) {
        EXPECT_EQ(
            TabChain(*d.MarketBox(), 11),
            (std::vector<unsigned>{1001, 1002, 1003, 1005, 1006, 1007, 1008, 1004, 1, 2, 1001}));
        Click(d, 2);
    });
    CIniReader setup(home.Path() + "setup.ini");
    RunImport(setup, {}, [&](CImportDialog& d) {
        EXPECT_EQ(TabChain(*d.MarketBox(), 7),
                  (std::vector<unsigned>{1001, 1002, 1003, 1004, 1, 2, 1001}));
        Click(d, 2);
    });
    // Mnemonics reach the lists and buttons too.
    RunSelect(selection, [&](CStockSelectDialog& d) {
        Mnemonic(d, Qt::Key_V);
        EXPECT_EQ(FocusedId(), CStockSelectDialog::kAvailableId);
        Mnemonic(d, Qt::Key_S);
        EXPECT_EQ(FocusedId(), CStockSelectDialog::kSelectedId);
        Mnemonic(d, Qt::Key_F);
        EXPECT_EQ(FocusedId(), CStockSelectDialog::kFilterId);
        Click(d, 2);
    });
}

TEST_F(FetchDialogsTest, DialogsAreTranslatedWhenCreated) {
    const std::string lng = home.Path() + "Lng/German.lng";
    WriteImportText(lng,
                    "[String]\n31=Kürzel\n32=Name\n35=Börse\n503=Aktien gewählt.\n"
                    "513=Kursladeprogramm\n515=Öffnen\n"
                    "514=Textdateien|*.txt|Alle|*.*|\n"
                    "[Text]\nNo Items was selected. Please Select an Item first.=Nichts markiert.\n"
                    "No EOD DATA Selected.=Keine Dateien.\n"
                    "[140]\n0=Aktienauswahl\n1005=&Hinzufügen >\n2=Abbrechen\n"
                    "[141]\n1003=&Vorhandene Tage ersetzen\n"
                    "[142]\n1100=Fassung:\n");
    CLanguage::SetFile(lng);
    CStockSelection selection(home.Path() + "System/downloader.dat");
    RunSelect(selection, [&](CStockSelectDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Aktienauswahl");
        EXPECT_EQ(Find<QPushButton>(d, 1005)->text().toStdString(), "&Hinzufügen >");
        EXPECT_EQ(Find<QPushButton>(d, 2)->text().toStdString(), "Abbrechen");
        EXPECT_EQ(d.AvailableList()->headerItem()->text(0).toStdString(), "Kürzel");
        EXPECT_EQ(d.SelectedList()->headerItem()->text(2).toStdString(), "Börse");
        EXPECT_EQ(Find<QLabel>(d, CStockSelectDialog::kCountId)->text().toStdString(),
                  "0 Aktien gewählt.");
        d.AvailableList()->clearSelection();
        Click(d, CStockSelectDialog::kAddId);
        Click(d, 2);
    });
    EXPECT_EQ(prompter.messages, (Strings{"Nichts markiert."}));

    CIniReader setup(home.Path() + "setup.ini");
    std::vector<SFileChoiceRequest> asked;
    RunImport(
        setup,
        [&](const SFileChoiceRequest& r) {
            asked.push_back(r);
            return Strings{};
        },
        [&](CImportDialog& d) {
            EXPECT_EQ(d.ReplaceBox()->text().toStdString(), "&Vorhandene Tage ersetzen");
            EXPECT_EQ(d.FilesText()->text().toStdString(), "Keine Dateien.");
            Click(d, CImportDialog::kFilesId);
            Click(d, 2);
        });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Öffnen");
    EXPECT_EQ(asked[0].filter, "Textdateien (*.txt);;Alle (*)");

    SDownloaderAboutFacts facts{"0.1.0",
                                "2026-12-10",
                                "6.4.2",
                                "7.88.1",
                                "/opt/zs/",
                                "/opt/zs/setup.ini",
                                "/opt/zs/System/downloader.dat",
                                "/opt/zs/Data/"};
    CDownloaderAboutDialog about(facts, nullptr);
    about.show();
    EXPECT_EQ(about.windowTitle().toStdString(), "About Kursladeprogramm");
    EXPECT_EQ(Find<QLabel>(about, CDownloaderAboutDialog::kName)->text().toStdString(),
              "Kursladeprogramm");
    EXPECT_EQ(Find<QLabel>(about, 1100)->text().toStdString(), "Fassung:");
    about.hide();
}

TEST_F(FetchDialogsTest, AboutShowsTheFactsInOrderAndClosesOnEscape) {
    SDownloaderAboutFacts facts = CDownloaderAboutDialog::RunningProgram(
        "/opt/zs/", "/opt/zs/setup.ini", "/opt/zs/System/downloader.dat", "/q/Data/");
    EXPECT_EQ(facts.qtVersion, qVersion());
    EXPECT_FALSE(facts.version.empty());
    EXPECT_NE(facts.curlVersion, "");
    CDownloaderAboutDialog about(facts, nullptr);
    about.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    EXPECT_EQ(about.windowTitle().toStdString(), "About ZentriStock Data Downloader");
    const std::vector<DownloaderAboutRow> rows = DownloaderAboutRows(facts);
    ASSERT_EQ(rows.size(), 9u);
    for (unsigned row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(
            Find<QLabel>(about, CDownloaderAboutDialog::kFirstLabel + row)->text().toStdString(),
            rows[row].first + ":");
        EXPECT_EQ(
            Find<QLabel>(about, CDownloaderAboutDialog::kFirstValue + row)->text().toStdString(),
            rows[row].second);
    }
    EXPECT_EQ(rows[2].second, "GNU General Public License, version 3 or later");
    EXPECT_EQ(rows[7].second, "/opt/zs/System/downloader.dat");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Rejected);
}
