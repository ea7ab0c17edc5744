#include "../../ctlkit/TestFiles.h"
#include "app/FrameCommands.h"
#include "app/qt/CChildFrame.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CUserStore.h"
#include "chart/CChartFile.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/qt/CFormsetDialog.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "settings/CModelContext.h"
#include "tools/CText.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

// The sample chart (ACME, three panes) in a window of its own, in a copy of the sample
// installation.
class ChildFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        fs::copy(ZS_SAMPLE_DIR, home.Path(), fs::copy_options::recursive);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
    }

    CChildFrame& OpenSample(QSize size = {900, 600}) {
        auto document = std::make_unique<CZentriStockDoc>(*context);
        document->LoadSettings();
        EXPECT_TRUE(document->OpenChart(home.File("chart/ACME.cht")));
        child = std::make_unique<CChildFrame>(std::move(document), loop);
        child->resize(size);
        child->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(child.get()));
        Settle();
        return *child;
    }
    CPaneWidget& Pane(int pane) { return child->PaneWidget(pane); }
    CZentriStockView& View(int pane) { return child->Panes().View(pane); }
    std::vector<int> Heights() {
        std::vector<int> heights;
        for (int pane = 0; pane < child->PaneCount(); ++pane)
            heights.push_back(Pane(pane).isVisible() ? Pane(pane).height() : 0);
        return heights;
    }
    // Grey pixels of the frame's left side, counted across the edge on the most rows.
    int FrameWidth(int pane) {
        const QImage image = Pane(pane).grab().toImage();
        const CRect& plot = View(pane).plotRect;
        std::map<int, int> widths;
        for (int y = plot.top + 4; y < plot.bottom - 4; ++y) {
            int grey = 0;
            for (int x = plot.left - 3; x <= plot.left + 3; ++x)
                if (image.pixelColor(x, y) == QColor(128, 128, 128)) ++grey;
            ++widths[grey];
        }
        return std::max_element(widths.begin(), widths.end(),
                                [](auto& a, auto& b) { return a.second < b.second; })
            ->first;
    }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CModelContext> context;
    std::unique_ptr<CChildFrame> child;
};

TEST_F(ChildFrameTest, SampleChartSharesTheWindowTwoToOneToOneAndKeepsDraggedHeights) {
    OpenSample();
    ASSERT_EQ(child->PaneCount(), 3);
    EXPECT_EQ(child->windowTitle(), "ACME");
    std::vector<int> heights = Heights();
    EXPECT_NEAR(heights[0], 2 * heights[1], 4);
    EXPECT_NEAR(heights[1], heights[2], 2);
    if (const char* folder = std::getenv("ZS_KEEP_GRABS"))
        child->grab().save(QString(folder) + "/child-frame.png");

    // A height the user dragged keeps its share when the window grows.
    child->Splitter().setSizes({300, 100, 200});
    Settle();
    child->resize(900, 1200);
    Settle();
    heights = Heights();
    EXPECT_NEAR(heights[0], 2 * heights[2] * 300 / 400, 8);
    EXPECT_NEAR(heights[2], 2 * heights[1], 8);
}

TEST_F(ChildFrameTest, TitleButtonAndSpaceLetOnePaneFillTheWindowAndShareItAgain) {
    OpenSample();
    QAbstractButton& button = Pane(1).TitleButton();
    EXPECT_TRUE(button.isVisible());
    EXPECT_FALSE(button.accessibleName().isEmpty());
    EXPECT_FALSE(button.accessibleName().contains('&'));
    QTest::mouseClick(&button, Qt::LeftButton);
    Settle();
    EXPECT_EQ(Heights()[0], 0);
    EXPECT_EQ(Heights()[2], 0);
    EXPECT_EQ(Pane(1).height(), child->Splitter().height());
    // Alone in the window, the pane carries the date axis.
    EXPECT_TRUE(View(1).showXAxis);
    QTest::mouseClick(&Pane(1).TitleButton(), Qt::LeftButton);
    Settle();
    for (int h : Heights()) EXPECT_GT(h, 0);
    EXPECT_FALSE(View(1).showXAxis);

    Pane(2).setFocus();
    QTest::keyClick(&Pane(2), Qt::Key_Space);
    Settle();
    EXPECT_EQ(Heights()[0], 0);
    EXPECT_EQ(Heights()[1], 0);
    // The last pane shown alone still has its date axis.
    EXPECT_TRUE(View(2).showXAxis);
    QTest::keyClick(&Pane(2), Qt::Key_Space);
    Settle();
    EXPECT_TRUE(View(2).showXAxis);
    EXPECT_FALSE(View(1).showXAxis);
}

TEST_F(ChildFrameTest, FocusedPaneHasATwoPixelFrame) {
    OpenSample();
    Pane(1).setFocus();
    Settle();
    EXPECT_EQ(FrameWidth(1), 2);
    EXPECT_EQ(FrameWidth(2), 1);
    Pane(2).setFocus();
    Settle();
    EXPECT_EQ(FrameWidth(1), 1);
    EXPECT_EQ(FrameWidth(2), 2);
}

TEST_F(ChildFrameTest, CursorRepaintCopiesTheKeptImageAndResizeRelaysOutOnlyThatPane) {
    OpenSample();
    for (int pane = 0; pane < 3; ++pane) Pane(pane).repaint();
    Pane(0).SetCrosshair(true);
    Pane(0).repaint();
    const CPaneWidget::SCounters before = Pane(0).Counters();
    Pane(0).SetCursor(20, 50);
    Pane(0).repaint();
    EXPECT_EQ(Pane(0).Counters().renders, before.renders);
    EXPECT_EQ(Pane(0).Counters().imageCopies, before.imageCopies + 1);
    Pane(0).Invalidate(CPaneWidget::EStale::Pane);
    Pane(0).repaint();
    EXPECT_EQ(Pane(0).Counters().renders, before.renders + 1);
    EXPECT_EQ(Pane(0).Counters().imageCopies, before.imageCopies + 2);

    // The handle between panes 0 and 1 moves: pane 2 keeps its image.
    const int rendersOf2 = Pane(2).Counters().renders;
    QList<int> sizes = child->Splitter().sizes();
    child->Splitter().setSizes({sizes[0] - 40, sizes[1] + 40, sizes[2]});
    Settle();
    for (int pane = 0; pane < 3; ++pane) Pane(pane).repaint();
    EXPECT_EQ(Pane(2).Counters().renders, rendersOf2);
    EXPECT_GT(Pane(1).Counters().renders, 0);
}

TEST_F(ChildFrameTest, ArmedTrendLineIsPlacedByADragAcrossThePricePane) {
    OpenSample();
    CTCurve& price = *CStockPanes::Of(child->Document().Stock())->Pane(0);
    const size_t elements = price.Elements().size();
    Pane(0).setFocus();
    ASSERT_TRUE(child->OnCommand(32817));
    EXPECT_EQ(Pane(0).Tracker().ArmedTool(), 1);
    EXPECT_EQ(Pane(1).Tracker().ArmedTool(), 0);
    const CRect& plot = View(0).plotRect;
    const QPoint from(plot.left + 40, plot.top + 40);
    const QPoint to(plot.right - 40, plot.bottom - 40);
    QTest::mousePress(&Pane(0), Qt::LeftButton, {}, from);
    QTest::mouseMove(&Pane(0), to);
    QTest::mouseRelease(&Pane(0), Qt::LeftButton, {}, to);
    ASSERT_EQ(price.Elements().size(), elements + 1);
    EXPECT_EQ(price.Elements().back()->TypeCode(), 1);
    EXPECT_EQ(Pane(0).Tracker().ArmedTool(), 0);
    // The new line is the selected element: Delete takes it away again.
    ASSERT_TRUE(child->OnCommand(32829));
    EXPECT_EQ(price.Elements().size(), elements);
    // Copy stays offered: with no drawing selected it copies the chart's image.
    EXPECT_TRUE(child->Offers(57634));
    // The price series is selected by a click on a bar, but it stays.
    QStringList told;
    child->onStatusText = [&](const QString& text) { told << text; };
    const CStock& stock = child->Document().Stock();
    const int bar = stock.WindowEnd() - 1;
    const QPoint onBar(View(0).BarToX(static_cast<float>(bar)),
                       View(0).ValueToY(stock.Display()[bar].close));
    QTest::mouseClick(&Pane(0), Qt::LeftButton, {}, onBar);
    ASSERT_EQ(Pane(0).Tracker().Selected(), &child->Document().Stock());
    ASSERT_TRUE(child->OnCommand(32829));
    EXPECT_EQ(told, QStringList{"The price series can't be deleted."});
    EXPECT_TRUE(child->Offers(32829));
}

TEST_F(ChildFrameTest, PlacedTextTakesItsTextOrGoesAway) {
    OpenSample();
    CTCurve& price = *CStockPanes::Of(child->Document().Stock())->Pane(0);
    const size_t elements = price.Elements().size();
    const CRect& plot = View(0).plotRect;
    for (const char* typed : {"", "Breakout"}) {
        ASSERT_TRUE(child->OnCommand(32872));
        int shown = 0;
        const CFormsetDialog::ShownHook previous =
            CFormsetDialog::SetShownHook([&](CFormsetDialog& dialog) {
                ++shown;
                // The keyboard is the dialog's once it is the active window.
                EXPECT_TRUE(
                    QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
                QTest::keyClicks(QApplication::focusWidget(), typed);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
            });
        QTest::mouseClick(&Pane(0), Qt::LeftButton, {}, QPoint(plot.left + 50, plot.top + 50));
        Settle();
        CFormsetDialog::SetShownHook(previous);
        EXPECT_EQ(shown, 1);
    }
    // The empty text left nothing behind; the other one is the chart's.
    ASSERT_EQ(price.Elements().size(), elements + 1);
    const auto* text = dynamic_cast<const CText*>(price.Elements().back().get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, "Breakout");
    EXPECT_FALSE(Pane(0).Tracker().ButtonDown());
}

TEST_F(ChildFrameTest, SubChartIndicatorReplacesWhatTheFocusedPaneShows) {
    OpenSample();
    ASSERT_EQ(child->PaneCount(), 3);
    child->Questions().insertOrReplace = [](int, const std::string&, const std::string&) {
        return std::optional<bool>(false);
    };
    // Pane 2 focused: MACD replaces what pane 2 shows, no pane is added.
    Pane(2).setFocus();
    ASSERT_TRUE(child->OnCommand(32786));
    EXPECT_EQ(child->PaneCount(), 3);
    EXPECT_EQ(CStockPanes::Of(child->Document().Stock())->Pane(2)->paneName, "MACD");
    EXPECT_TRUE(child->OnCommand(32936));
    EXPECT_TRUE(child->IsChecked(32936));
}

TEST_F(ChildFrameTest, WheelKeysAndHoverReachTheViewThroughThePaneWidget) {
    OpenSample();
    CStock& stock = child->Document().Stock();
    std::vector<std::pair<std::string, std::string>> readOuts;
    child->onReadOut = [&](const std::string& value, const std::string& date) {
        readOuts.emplace_back(value, date);
    };
    const CRect& plot = View(0).plotRect;
    const QPoint inside(plot.left + 100, (plot.top + plot.bottom) / 2);
    QTest::mouseMove(&Pane(0), inside);
    ASSERT_FALSE(readOuts.empty());
    EXPECT_FALSE(readOuts.back().first.empty());
    EXPECT_FALSE(readOuts.back().second.empty());

    // A wheel notch away from the user moves the window one bar back.
    const int first = stock.SavedFirst();
    QWheelEvent wheel(QPointF(inside), QPointF(Pane(0).mapToGlobal(inside)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Pane(0), &wheel);
    EXPECT_EQ(stock.SavedFirst(), first - 1);
    // Down widens the window by a bar on each side.
    Pane(0).setFocus();
    const int shown = stock.SavedEnd() - stock.SavedFirst();
    QTest::keyClick(&Pane(0), Qt::Key_Down);
    EXPECT_EQ(stock.SavedEnd() - stock.SavedFirst(), shown + 2);
}

TEST_F(ChildFrameTest, ContextMenuOffersTheChartOrTheScaleCommands) {
    OpenSample();
    QStringList seen;
    const auto readMenu = [&] {
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    if (!action->isSeparator()) seen << action->text();
                menu->close();
            }
        });
    };
    const CRect& plot = View(0).plotRect;
    readMenu();
    QContextMenuEvent inPlot(QContextMenuEvent::Mouse, QPoint(plot.left + 50, plot.top + 50),
                             Pane(0).mapToGlobal(QPoint(plot.left + 50, plot.top + 50)));
    QApplication::sendEvent(&Pane(0), &inPlot);
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.front(), "&Apply Template...");
    seen.clear();
    readMenu();
    const QPoint axis(plot.right + 5, plot.top + 30);
    QContextMenuEvent onAxis(QContextMenuEvent::Mouse, axis, Pane(0).mapToGlobal(axis));
    QApplication::sendEvent(&Pane(0), &onAxis);
    ASSERT_EQ(seen.size(), 4);
    EXPECT_EQ(seen.front(), "&Y-Scale Setting...");
}

TEST_F(ChildFrameTest, FrameSavesTheChartAndRefusesABadFileWithoutChangingTheOpenOne) {
    CUserStore store;
    CMainFrame frame(*context, loop, store);
    frame.Create();
    std::optional<std::string> answer;
    frame.fileQuestion = [&](const SFileQuestion&) { return answer; };
    frame.OnChartFileNamed(home.File("chart/ACME.cht"));
    Settle();
    CChildFrame* active = frame.ActiveChild();
    ASSERT_NE(active, nullptr);
    answer = home.File("chart/saved");
    frame.OnCommand(57603);
    ASSERT_TRUE(fs::exists(home.File("chart/saved.cht")));
    EXPECT_EQ(frame.RecentFiles().Entries().front(), home.File("chart/saved.cht"));
    const std::string saved = ReadText(home.File("chart/saved.cht"));

    WriteText(home.File("chart/broken.cht"), saved.substr(0, saved.size() / 2));
    answer = home.File("chart/broken.cht");
    frame.OnCommand(kCmdFileOpen);
    Settle();
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().rfind("The chart file " + *answer + " cannot be read", 0),
              0u)
        << prompter.messages.back();
    EXPECT_EQ(frame.ChildCount(), 1);
    EXPECT_EQ(CChartFile::Write(active->Document().Stock()), saved);

    // Cancel opens nothing.
    answer.reset();
    frame.OnCommand(kCmdFileOpen);
    Settle();
    EXPECT_EQ(frame.ChildCount(), 1);
    // The crosshair is off at first, remembered once turned on, and reaches every pane.
    EXPECT_FALSE(active->PaneWidget(0).Crosshair());
    frame.OnCommand(kCmdViewCrosshair);
    EXPECT_TRUE(active->PaneWidget(2).Crosshair());
    EXPECT_TRUE(store.Crosshair());
    frame.OnCommand(kCmdViewCrosshair);
    frame.close();
}

} // namespace
