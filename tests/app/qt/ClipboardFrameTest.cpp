#include "../../ctlkit/TestFiles.h"
#include "app/CElementClipboard.h"
#include "app/FrameCommands.h"
#include "app/ProgramMenus.h"
#include "app/qt/CChildFrame.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "download/CFavourites.h"
#include "download/CSymbolDatabase.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "settings/CModelContext.h"
#include "tools/CLine.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr unsigned kCopy = 57634;
constexpr unsigned kCut = 57635;
constexpr unsigned kPaste = 57637;
constexpr unsigned kTrendLine = 32817;
constexpr unsigned kWeekly = 32937;

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

struct SAnchors {
    float x1, y1, x2, y2;
    bool operator==(const SAnchors&) const = default;
};

SAnchors AnchorsOf(const CSymbol& element) {
    return {element.x1, element.y1, element.x2, element.y2};
}

// Two windows on the sample chart (ACME, three panes) in a copy of the sample installation.
class ClipboardFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        fs::copy(ZS_SAMPLE_DIR, home.Path(), fs::copy_options::recursive);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
        QGuiApplication::clipboard()->clear();
    }

    std::unique_ptr<CChildFrame> Open() {
        auto document = std::make_unique<CZentriStockDoc>(*context);
        document->LoadSettings();
        EXPECT_TRUE(document->OpenChart(home.File("chart/ACME.cht")));
        auto child = std::make_unique<CChildFrame>(std::move(document), loop);
        child->resize(900, 600);
        child->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(child.get()));
        child->onStatusText = [this](const QString& text) { told << text; };
        Settle();
        return child;
    }
    static CTCurve& PricePane(CChildFrame& child) { return *child.Panes().View(0).Pane(); }
    // A trend line dragged across the price pane of `child`, left selected.
    static CSymbol& DrawLine(CChildFrame& child) {
        EXPECT_TRUE(child.OnCommand(kTrendLine));
        CPaneWidget& pane = child.PaneWidget(0);
        const CRect& plot = child.Panes().View(0).plotRect;
        const QPoint from(plot.left + 60, plot.top + 50);
        const QPoint to(plot.right - 90, plot.bottom - 70);
        QTest::mousePress(&pane, Qt::LeftButton, {}, from);
        QTest::mouseMove(&pane, to);
        QTest::mouseRelease(&pane, Qt::LeftButton, {}, to);
        EXPECT_EQ(PricePane(child).Elements().back()->TypeCode(), 1);
        return *PricePane(child).Elements().back();
    }
    // Selects an element of the price pane as a click on it would.
    static bool Select(CChildFrame& child, CSymbol* element) {
        CElementTracker& tracker = child.PaneWidget(0).Tracker();
        tracker.SetPane(&PricePane(child));
        tracker.SetSeries(&child.Document().Stock(), 0);
        return tracker.SelectElement(element);
    }
    static void PutOnClipboard(const QByteArray& bytes) {
        auto* data = new QMimeData;
        data->setData(CElementClipboard::kMimeType, bytes);
        QGuiApplication::clipboard()->setMimeData(data);
    }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CModelContext> context;
    QStringList told;
};

} // namespace

TEST_F(ClipboardFrameTest, CopyCutAndPasteBetweenWindowsOfTheSameChartKeepTheAnchors) {
    auto first = Open();
    auto second = Open();
    EXPECT_FALSE(second->Offers(kPaste));
    const size_t firstCount = PricePane(*first).Elements().size();
    const size_t secondCount = PricePane(*second).Elements().size();
    const SAnchors drawn = AnchorsOf(DrawLine(*first));

    ASSERT_TRUE(first->OnCommand(kCopy));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(CElementClipboard::kMimeType));
    EXPECT_TRUE(data->text().startsWith("Trend line, ACME daily, ")) << data->text().toStdString();
    EXPECT_EQ(told.back(), "Copied: " + data->text());
    EXPECT_TRUE(second->Offers(kPaste));

    second->PaneWidget(0).setFocus();
    ASSERT_TRUE(second->OnCommand(kPaste));
    ASSERT_EQ(PricePane(*second).Elements().size(), secondCount + 1);
    CSymbol& pasted = *PricePane(*second).Elements().back();
    EXPECT_EQ(AnchorsOf(pasted), drawn);
    EXPECT_EQ(second->PaneWidget(0).Tracker().Selected(), &pasted);
    EXPECT_TRUE(told.back().startsWith("Pasted: Trend line, ACME daily, "));

    // Cut takes the line out of the first window; pasted where the copy lies already, it
    // lands one bar to the right of it.
    ASSERT_TRUE(first->OnCommand(kCut));
    EXPECT_EQ(PricePane(*first).Elements().size(), firstCount);
    EXPECT_TRUE(told.back().startsWith("Cut: Trend line, ACME daily, "));
    ASSERT_TRUE(second->OnCommand(kPaste));
    ASSERT_EQ(PricePane(*second).Elements().size(), secondCount + 2);
    EXPECT_EQ(AnchorsOf(*PricePane(*second).Elements().back()),
              (SAnchors{drawn.x1 + 1, drawn.y1, drawn.x2 + 1, drawn.y2}));
}

TEST_F(ClipboardFrameTest, PasteOntoTheOriginalMovesOneBarRight) {
    auto child = Open();
    const SAnchors drawn = AnchorsOf(DrawLine(*child));
    ASSERT_TRUE(child->OnCommand(kCopy));
    for (float shift : {1.0f, 2.0f}) {
        ASSERT_TRUE(child->OnCommand(kPaste));
        const CSymbol& pasted = *PricePane(*child).Elements().back();
        EXPECT_EQ(AnchorsOf(pasted),
                  (SAnchors{drawn.x1 + shift, drawn.y1, drawn.x2 + shift, drawn.y2}));
        EXPECT_EQ(child->PaneWidget(0).Tracker().Selected(), &pasted);
    }
}

TEST_F(ClipboardFrameTest, APastedDrawingKeepsItsColourUnlessThePaneWouldHideIt) {
    auto light = Open();
    auto dark = Open();
    dark->Document().Stock().ViewPar(0).backgroundColour = 0x101010;
    dark->Panes().View(0).Layout();
    ASSERT_EQ(dark->Panes().View(0).backgroundColour, 0x101010u);
    auto& line = dynamic_cast<CLine&>(DrawLine(*light));
    // Red shows on both; black and a dark grey would vanish, and take the dark grey's complement.
    for (const auto& [colour, onDark] : {std::pair<COLORREF, COLORREF>{0x0000FF, 0x0000FF},
                                         {0x000000, 0xEFEFEF},
                                         {0x303030, 0xEFEFEF}}) {
        line.color = colour;
        ASSERT_TRUE(light->OnCommand(kCopy));
        ASSERT_TRUE(dark->OnCommand(kPaste));
        EXPECT_EQ(dynamic_cast<CLine&>(*PricePane(*dark).Elements().back()).color, onDark)
            << colour;
        ASSERT_TRUE(light->OnCommand(kPaste));
        EXPECT_EQ(dynamic_cast<CLine&>(*PricePane(*light).Elements().back()).color, colour);
        ASSERT_TRUE(light->PaneWidget(0).Tracker().SelectElement(&line));
    }
}

TEST_F(ClipboardFrameTest, PasteIntoAWeeklyChartFindsTheSameDates) {
    auto daily = Open();
    auto weekly = Open();
    ASSERT_TRUE(weekly->OnCommand(kWeekly));
    const std::vector<SQuote>& days = daily->Document().Stock().Display();
    const std::vector<SQuote>& weeks = weekly->Document().Stock().Display();
    ASSERT_GT(weeks.size(), 12u);
    // Two weeks' first days: on the weekly chart they are those weeks' bars, exactly.
    const auto dayOf = [&](size_t week) {
        for (size_t day = 0; day < days.size(); ++day)
            if (days[day].date == weeks[week].date) return static_cast<float>(day);
        ADD_FAILURE() << "no day starts week " << week;
        return 0.0f;
    };
    const size_t week1 = weeks.size() - 12;
    const size_t week2 = weeks.size() - 3;
    auto line = std::make_unique<CLine>();
    line->SetAnchor(dayOf(week1), 21.5f, 1);
    line->SetPoint2(dayOf(week2), 23.25f);
    CSymbol* placed = line.get();
    PricePane(*daily).AddElement(std::move(line));
    ASSERT_TRUE(Select(*daily, placed));
    ASSERT_TRUE(daily->OnCommand(kCopy));

    const size_t count = PricePane(*weekly).Elements().size();
    ASSERT_TRUE(weekly->OnCommand(kPaste));
    ASSERT_EQ(PricePane(*weekly).Elements().size(), count + 1);
    const CSymbol& pasted = *PricePane(*weekly).Elements().back();
    EXPECT_EQ(AnchorsOf(pasted),
              (SAnchors{static_cast<float>(week1), 21.5f, static_cast<float>(week2), 23.25f}));
    EXPECT_EQ(pasted.Period(), 5);
}

TEST_F(ClipboardFrameTest, ACopyWakesTheMenuBarsPasteSoItsShortcutWorks) {
    QMainWindow main;
    BuildMenuBar(*main.menuBar(), ChartWindowMenu(), [](unsigned) {});
    QAction* paste = FindCommandAction(main, kPaste);
    ASSERT_NE(paste, nullptr);
    auto owned = Open();
    CChildFrame* child = owned.release();
    main.setCentralWidget(child); // the window owns it from here
    paste->setEnabled(false);     // as the Edit menu left it with nothing to paste
    DrawLine(*child);
    ASSERT_TRUE(child->OnCommand(kCopy));
    EXPECT_TRUE(paste->isEnabled());
    QGuiApplication::clipboard()->setText("plain text");
    EXPECT_FALSE(paste->isEnabled());
}

TEST_F(ClipboardFrameTest, DamagedDataUnderOurTypeIsRefusedWithTheReason) {
    auto child = Open();
    DrawLine(*child);
    ASSERT_TRUE(child->OnCommand(kCopy));
    const QByteArray good =
        QGuiApplication::clipboard()->mimeData()->data(CElementClipboard::kMimeType);
    const size_t count = PricePane(*child).Elements().size();
    const std::pair<QByteArray, QString> cases[] = {
        {"garbage", "Nothing was pasted. The clipboard holds no chart element of this program."},
        {good.left(good.size() - 1),
         "Nothing was pasted. The clipboard's chart element is cut short."},
        {good + "!", "Nothing was pasted. The clipboard's chart element has 1 byte past its end."},
    };
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(message.toStdString());
        PutOnClipboard(bytes);
        EXPECT_TRUE(child->Offers(kPaste));
        ASSERT_TRUE(child->OnCommand(kPaste));
        EXPECT_EQ(told.back(), message);
        EXPECT_EQ(PricePane(*child).Elements().size(), count);
    }
    QGuiApplication::clipboard()->setText("Trend line");
    EXPECT_FALSE(child->Offers(kPaste));
    ASSERT_TRUE(child->OnCommand(kPaste));
    EXPECT_EQ(told.back(), "The clipboard holds no chart element to paste.");
    EXPECT_EQ(PricePane(*child).Elements().size(), count);
}

TEST_F(ClipboardFrameTest, CopyWithoutADrawingGivesTheWindowsImage) {
    auto child = Open();
    const size_t count = PricePane(*child).Elements().size();
    for (unsigned command : {kCopy, kCut}) {
        QGuiApplication::clipboard()->clear();
        ASSERT_TRUE(child->OnCommand(command));
        const QImage image = QGuiApplication::clipboard()->image();
        EXPECT_EQ(image.size(), child->size() * child->devicePixelRatio());
        EXPECT_EQ(told.back(), "The chart's image was copied.");
        EXPECT_FALSE(child->Offers(kPaste));
        EXPECT_EQ(PricePane(*child).Elements().size(), count);
    }
    // The price series selected is no drawing either: the image again, and it stays.
    CStock& stock = child->Document().Stock();
    ASSERT_TRUE(Select(*child, &stock));
    ASSERT_TRUE(child->OnCommand(kCut));
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    EXPECT_EQ(child->PaneWidget(0).Tracker().Selected(), &stock);
    if (const char* folder = std::getenv("ZS_KEEP_GRABS"))
        QGuiApplication::clipboard()->image().save(QString(folder) + "/clipboard-image.png");
}

TEST_F(ClipboardFrameTest, AddToFavoritesListsTheGroupsAndAddsTheChartsSymbol) {
    auto child = Open();
    // The sample chart knows no market: the favourite gets the one the name was found in.
    ASSERT_EQ(child->Document().Market(), "");
    ASSERT_EQ(child->Document().Symbol(), "ACME");
    std::vector<QString> items;
    QString itemText;
    bool enabled = true;
    const auto chooseFromMenu = [&](const QString& group) {
        items.clear();
        QTimer::singleShot(50, [&, group] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                if (CommandIdOf(*action) != kCmdAddToFavourites) continue;
                enabled = action->isEnabled();
                itemText = action->text();
                ASSERT_NE(action->menu(), nullptr);
                for (QAction* entry : action->menu()->actions()) {
                    items.push_back(entry->text());
                    if (entry->text() == group) entry->trigger();
                }
                if (const char* folder = std::getenv("ZS_KEEP_GRABS")) {
                    menu->grab().save(QString(folder) + "/favourites-menu.png");
                    action->menu()->popup(menu->mapToGlobal(QPoint(menu->width(), 0)));
                    action->menu()->grab().save(QString(folder) + "/favourites-groups.png");
                    action->menu()->close();
                }
            }
            menu->close();
        });
        const CRect& plot = child->Panes().View(0).plotRect;
        const QPoint at(plot.left + 50, plot.top + 50);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, child->PaneWidget(0).mapToGlobal(at));
        QApplication::sendEvent(&child->PaneWidget(0), &click);
        Settle();
    };

    // No groups: the item is greyed.
    EXPECT_FALSE(child->Offers(kCmdAddToFavourites));
    chooseFromMenu("");
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(items.empty());

    fs::create_directories(home.File("fav/Watch"));
    fs::create_directories(home.File("fav/Tech & Growth"));
    WriteText(home.File("System/NYSE.Dat"),
              CSymbolDatabase::MakeRecord("ACME", "Acme Corporation"));
    EXPECT_TRUE(child->Offers(kCmdAddToFavourites));
    chooseFromMenu("Watch");
    EXPECT_TRUE(enabled);
    EXPECT_EQ(items, (std::vector<QString>{"Tech && Growth", "Watch"}));
    const CFavourites favourites(context->Paths().FavouritesFolder());
    std::vector<CFavourites::SEntry> entries;
    ASSERT_TRUE(favourites.Load("Watch", entries));
    EXPECT_EQ(entries, (std::vector<CFavourites::SEntry>{{"ACME", "Acme Corporation", "NYSE"}}));
    EXPECT_EQ(told.back(), "ACME was added to the favourites group \"Watch\".");

    // Not twice; and a group whose list cannot be written says so.
    ASSERT_FALSE(child->AddToFavourites("Watch"));
    EXPECT_EQ(told.back(), "ACME is already in the favourites group \"Watch\".");
    ASSERT_TRUE(favourites.Load("Watch", entries));
    EXPECT_EQ(entries.size(), 1u);
    // The item is translated with the menu; the group names are the user's own.
    WriteText(home.File("Lng/Test.lng"), "[166]\n33048=Zu &Favoriten\n");
    CLanguage::SetFile(home.File("Lng/Test.lng"));
    chooseFromMenu("");
    CLanguage::SetFile("");
    EXPECT_EQ(itemText, "Zu &Favoriten");
    EXPECT_EQ(items, (std::vector<QString>{"Tech && Growth", "Watch"}));
    chooseFromMenu("");
    EXPECT_EQ(itemText, "Add to &Favorites");

    ASSERT_FALSE(child->AddToFavourites("../Watch"));
    EXPECT_TRUE(
        told.back().startsWith("ACME could not be added to the favourites group \"../Watch\": "));
}
