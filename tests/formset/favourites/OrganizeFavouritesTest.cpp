#include "FavouritesFixture.h"
#include "LanguageFileTest.h"
#include "app/qt/CChildFrame.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CUserStore.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "formset/qt/favourites/COrganizeFavouritesFormset.h"
#include "settings/CModelContext.h"
#include "../dialog/DialogKeys.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
using F = COrganizeFavouritesFormset;
using SEntry = CFavourites::SEntry;
using Files = std::map<std::string, std::string>;
constexpr unsigned kOrganize = 33030;

void TypeName(QWidget& dialog, const QString& text) {
    Mnemonic(dialog, Qt::Key_G);
    auto* edit = Find<QLineEdit>(dialog, F::kName);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QString CurrentText(QWidget& dialog) {
    QTreeWidgetItem* item = Find<QTreeWidget>(dialog, F::kTree)->currentItem();
    return item ? item->text(0) : QString();
}

// The tree as text: "group: SYM SYM" per group.
QStringList TreeText(QWidget& dialog) {
    QStringList lines;
    auto* tree = Find<QTreeWidget>(dialog, F::kTree);
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tree->topLevelItem(g);
        QString line = group->text(0) + ":";
        for (int e = 0; e < group->childCount(); ++e) line += " " + group->child(e)->text(0);
        lines << line;
    }
    return lines;
}

// A program folder from the sample installation with three favourites groups.
class OrganizeFavouritesTest : public LanguageFileTest {
protected:
    void SetUp() override {
        LanguageFileTest::SetUp();
        fs::copy(ZS_SAMPLE_DIR, home.Path(), fs::copy_options::recursive);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        store = std::make_unique<CUserStore>();
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
        fav = context->Paths().FavouritesFolder();
        fs::remove(fav + ".gitkeep");
        Group("Banks", {{"JPM", "JPMorgan", "NYSE"}});
        Group("Tech", {{"IBM", "IBM Corp", "NYSE"},
                       {"MSFT", "Microsoft", "NASDAQ"},
                       {"AAPL", "Apple", "NASDAQ"}});
        Group("Empty", {});
        frame = std::make_unique<CMainFrame>(*context, loop, *store);
        frame->Create();
        prompter.messages.clear();
    }
    void TearDown() override {
        CFormsetDialog::SetShownHook({});
        frame.reset();
        LanguageFileTest::TearDown();
    }
    void Group(const std::string& name, const std::vector<SEntry>& entries) {
        fs::create_directories(fav + name);
        WriteText(fav + name + "/list.dat", CFavourites::Serialize(entries));
    }
    Files FavFiles() const {
        Files files;
        for (auto& entry : fs::recursive_directory_iterator(fav))
            files[fs::relative(entry.path(), fav).string()] =
                entry.is_directory() ? "<dir>" : ReadText(entry.path().string());
        return files;
    }
    // Command 33030 through the frame; `drive` runs on the dialog once it shows and must
    // close it. False when no dialog showed.
    bool Organize(const std::function<void(CFormsetDialog&)>& drive) {
        bool shown = false;
        CFormsetDialog::SetShownHook([&](CFormsetDialog& dialog) {
            shown = true;
            EXPECT_EQ(dialog.DialogId(), 280u);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            drive(dialog);
        });
        frame->OnCommand(kOrganize);
        CFormsetDialog::SetShownHook({});
        return shown;
    }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CUserStore> store;
    std::unique_ptr<CModelContext> context;
    std::unique_ptr<CMainFrame> frame;
    std::string fav;
};

TEST_F(OrganizeFavouritesTest, KeyboardEditsWithNoChartOpenAreWrittenOnOk) {
    ASSERT_EQ(frame->ChildCount(), 0);
    prompter.answer = true; // yes, delete the group with its entry
    ASSERT_TRUE(Organize([&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Organize Favorites");
        EXPECT_EQ(TreeText(d), (QStringList{"Banks: JPM", "Empty:", "Tech: IBM MSFT AAPL"}));
        // To Tech's MSFT with the arrow keys; it goes up one place, then to Empty.
        Mnemonic(d, Qt::Key_F);
        for (int i = 0; i < 4; ++i) Key(Qt::Key_Down); // Banks JPM Empty Tech
        Key(Qt::Key_Right);                            // open Tech
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        EXPECT_EQ(CurrentText(d), "MSFT");
        Mnemonic(d, Qt::Key_U);
        EXPECT_EQ(TreeText(d).last(), "Tech: MSFT IBM AAPL");
        EXPECT_EQ(CurrentText(d), "MSFT");
        Mnemonic(d, Qt::Key_T); // the group choice: Banks, Empty
        Key(Qt::Key_Down);
        EXPECT_EQ(Find<QComboBox>(d, F::kMoveTarget)->currentText(), "Empty");
        Mnemonic(d, Qt::Key_M);
        EXPECT_EQ(TreeText(d), (QStringList{"Banks: JPM", "Empty: MSFT", "Tech: IBM AAPL"}));
        // IBM, now current, goes down one place and is deleted.
        EXPECT_EQ(CurrentText(d), "IBM");
        Mnemonic(d, Qt::Key_W);
        EXPECT_EQ(TreeText(d).last(), "Tech: AAPL IBM");
        EXPECT_EQ(CurrentText(d), "IBM");
        Mnemonic(d, Qt::Key_E);
        EXPECT_EQ(TreeText(d).last(), "Tech: AAPL");
        // Tech renamed to Computers, a new group Energy, Banks deleted.
        TypeName(d, "Computers");
        Mnemonic(d, Qt::Key_R);
        TypeName(d, "Energy");
        Mnemonic(d, Qt::Key_N);
        EXPECT_EQ(CurrentText(d), "Energy");
        Mnemonic(d, Qt::Key_F);
        Key(Qt::Key_Home);
        EXPECT_EQ(CurrentText(d), "Banks");
        Mnemonic(d, Qt::Key_D);
        EXPECT_EQ(TreeText(d), (QStringList{"Empty: MSFT", "Computers: AAPL", "Energy:"}));
        Mnemonic(d, Qt::Key_O);
    }));
    EXPECT_EQ(prompter.questions,
              (std::vector<std::string>{
                  "The group \"Banks\" holds 1 favourites. Delete the group and them?"}));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
    const Files expected = {
        {"Computers", "<dir>"},
        {"Computers/list.dat", CFavourites::Serialize({{"AAPL", "Apple", "NASDAQ"}})},
        {"Empty", "<dir>"},
        {"Empty/list.dat", CFavourites::Serialize({{"MSFT", "Microsoft", "NASDAQ"}})},
        {"Energy", "<dir>"},
    };
    EXPECT_EQ(FavFiles(), expected);
}

TEST_F(OrganizeFavouritesTest, LeavingWithoutOkTouchesNoFile) {
    const Files before = FavFiles();
    const std::vector<std::pair<const char*, std::function<void(CFormsetDialog&)>>> ways = {
        {"Cancel", [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_C); }},
        {"Escape", [](CFormsetDialog&) { Key(Qt::Key_Escape); }},
        {"close button", [](CFormsetDialog& d) { d.close(); }},
    };
    prompter.answer = true;
    for (const auto& [way, leave] : ways) {
        ASSERT_TRUE(Organize([&](CFormsetDialog& d) {
            Mnemonic(d, Qt::Key_D); // Banks, with its entry
            TypeName(d, "Renamed");
            Mnemonic(d, Qt::Key_R);
            TypeName(d, "New");
            Mnemonic(d, Qt::Key_N);
            EXPECT_EQ(TreeText(d), (QStringList{"Renamed:", "Tech: IBM MSFT AAPL", "New:"})) << way;
            leave(d);
        })) << way;
        EXPECT_EQ(FavFiles(), before) << way;
    }
}

TEST_F(OrganizeFavouritesTest, RefusedNamesKeepTheDialogOpenWithTheFieldNamed) {
    const Files before = FavFiles();
    ASSERT_TRUE(Organize([&](CFormsetDialog& d) {
        for (const QString name : {QString(""), QString("a/b"), QString("tech")}) {
            TypeName(d, name);
            Mnemonic(d, Qt::Key_N);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(d, F::kName));
            EXPECT_EQ(TreeText(d).size(), 3);
        }
        // Banks may not take Tech's name either.
        TypeName(d, "TECH");
        Mnemonic(d, Qt::Key_R);
        EXPECT_EQ(TreeText(d).front(), "Banks: JPM");
        Mnemonic(d, Qt::Key_O);
    }));
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{
                  "Group name: please enter a name.",
                  "Group name: a name cannot hold \"/\", \"\\\", \"..\" or control characters.",
                  "Group name: there is a group named \"Tech\" already.",
                  "Group name: there is a group named \"Tech\" already."}));
    EXPECT_EQ(FavFiles(), before);
}

TEST_F(OrganizeFavouritesTest, ANonEmptyGroupIsDeletedOnlyWhenTheUserSaysYes) {
    prompter.answer = false;
    ASSERT_TRUE(Organize([&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_D); // Banks: asked, No
        EXPECT_EQ(TreeText(d).front(), "Banks: JPM");
        Mnemonic(d, Qt::Key_F);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down); // Empty: not asked
        EXPECT_EQ(CurrentText(d), "Empty");
        Mnemonic(d, Qt::Key_D);
        EXPECT_EQ(TreeText(d), (QStringList{"Banks: JPM", "Tech: IBM MSFT AAPL"}));
        // Delete in the tree: on an entry it goes unasked, on a group it asks.
        Mnemonic(d, Qt::Key_F);
        Key(Qt::Key_End);
        EXPECT_EQ(CurrentText(d), "AAPL");
        Key(Qt::Key_Delete);
        EXPECT_EQ(TreeText(d), (QStringList{"Banks: JPM", "Tech: IBM MSFT"}));
        Key(Qt::Key_Home);
        Key(Qt::Key_Delete); // Banks: asked, No
        EXPECT_EQ(TreeText(d).front(), "Banks: JPM");
        Mnemonic(d, Qt::Key_O);
    }));
    EXPECT_EQ(prompter.questions.size(), 2u);
    EXPECT_FALSE(fs::exists(fav + "Empty"));
    EXPECT_EQ(CFavourites::Parse(ReadText(fav + "Tech/list.dat")),
              (std::vector<SEntry>{{"IBM", "IBM Corp", "NYSE"}, {"MSFT", "Microsoft", "NASDAQ"}}));
    EXPECT_TRUE(fs::exists(fav + "Banks/list.dat"));
}

TEST_F(OrganizeFavouritesTest, OfferedBesideAChartAndTranslated) {
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    for (int i = 0; i < 3; ++i) QTest::qWait(1); // the chart menu comes with a zero timer
    QAction* organize = nullptr;
    QMenu* settingMenu = nullptr;
    std::function<void(QMenu&)> walk = [&](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            if (action->menu()) walk(*action->menu());
            if (CommandIdOf(*action) == kOrganize) {
                organize = action;
                settingMenu = &menu;
            }
        }
    };
    for (QAction* top : frame->menuBar()->actions())
        if (top->menu()) walk(*top->menu());
    ASSERT_NE(organize, nullptr);
    emit settingMenu->aboutToShow();
    EXPECT_TRUE(organize->isEnabled());
    EXPECT_FALSE(frame->ActiveChild()->Offers(kOrganize)); // the frame's, not the chart's

    Activate("[280]\n0=Favoriten ordnen\n1101=&Gruppenname:\n1010=&Neue Gruppe\n"
             "[Text]\nFavouriteMarket=Börse\nDeleteFavouriteGroup=%1 mit %2 löschen?\n");
    ASSERT_TRUE(Organize([&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Favoriten ordnen");
        EXPECT_EQ(Find<QPushButton>(d, F::kNewGroup)->text(), "&Neue Gruppe");
        EXPECT_EQ(Find<QTreeWidget>(d, F::kTree)->headerItem()->text(2), "Börse");
        EXPECT_EQ(Find<QTreeWidget>(d, F::kTree)->headerItem()->text(0), "Symbol");
        TypeName(d, "");
        Mnemonic(d, Qt::Key_N);
        Mnemonic(d, Qt::Key_D); // Banks with one entry: asked, and No
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Gruppenname: please enter a name."}));
}

} // namespace

namespace {

TEST_F(OrganizeFavouritesTest, AnApplyThatFailsIsToldAndLosesNothing) {
    WriteText(fav + "Banks/notes.txt", "mine");
    prompter.answer = true;
    ASSERT_TRUE(Organize([&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_D); // Banks, whose folder holds more than its list
        Mnemonic(d, Qt::Key_O);
    }));
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"The favourites could not be changed: the folder " + fav +
                                        "Banks holds other files besides its list and was kept"}));
    EXPECT_EQ(ReadText(fav + "Banks/notes.txt"), "mine");
    EXPECT_EQ(CFavourites::Parse(ReadText(fav + "Banks/list.dat")),
              (std::vector<SEntry>{{"JPM", "JPMorgan", "NYSE"}}));
}

} // namespace
