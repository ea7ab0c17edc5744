// The chart window of the sample chart (three panes in a splitter) at 1920x1080: a full
// redraw of every pane against the command-line tool's image of the same chart, a repaint for
// the cursor alone, a hover and a drag over 1,000 trend lines through the real pane widget,
// and opening a chart of 10,000 daily bars up to its first painted panes.
#include "app/qt/CChildFrame.h"
#include "chart/CChartFile.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "settings/CModelContext.h"
#include "tools/CLine.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include "view/qt/PaneStackPainter.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QSettings>
#include <QSplitter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kLongChartBars = 10000;
// Longer than any first paint may take: a window that never paints is an error, not a hang.
constexpr int kFirstPaintTimeoutMs = 10000;

// A copy of the sample installation with its own settings folder, as the program runs on.
struct SInstallation {
    fs::path home;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    std::unique_ptr<CModelContext> context;
    CUiThreadLoop loop;

    SInstallation() : home(fs::temp_directory_path() / "zentristock-bench-chart-window") {
        fs::remove_all(home);
        fs::copy(ZS_SAMPLE_DIR, home, fs::copy_options::recursive);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString((home / "config").string()));
        CLanguage::SetFile("");
        context = std::make_unique<CModelContext>(CInstallPaths(home.string()), prompter);
    }
    ~SInstallation() {
        context.reset();
        fs::remove_all(home);
    }
    std::string SampleChart() const { return (home / "chart/ACME.cht").string(); }
};

SInstallation* g_installation = nullptr;

std::unique_ptr<CZentriStockDoc> OpenDocument(const std::string& path) {
    auto document = std::make_unique<CZentriStockDoc>(*g_installation->context);
    document->LoadSettings();
    if (!document->OpenChart(path)) return nullptr;
    return document;
}

bool EveryVisiblePanePainted(CChildFrame& frame) {
    for (int pane = 0; pane < frame.PaneCount(); ++pane) {
        CPaneWidget& widget = frame.PaneWidget(pane);
        if (widget.isVisible() && widget.Counters().renders < 1) return false;
    }
    return true;
}

// Shows the window at 1920x1080 and processes events until each visible pane has painted.
bool ShowUntilPainted(CChildFrame& frame) {
    frame.resize(kWidth, kHeight);
    frame.show();
    QElapsedTimer waited;
    waited.start();
    while (!EveryVisiblePanePainted(frame)) {
        if (waited.elapsed() > kFirstPaintTimeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

// The sample chart's window, shown and painted once.
std::unique_ptr<CChildFrame> OpenSampleWindow(benchmark::State& state) {
    std::unique_ptr<CZentriStockDoc> document = OpenDocument(g_installation->SampleChart());
    if (!document) {
        state.SkipWithError("the sample chart does not open");
        return nullptr;
    }
    auto frame = std::make_unique<CChildFrame>(std::move(document), g_installation->loop);
    if (!ShowUntilPainted(*frame)) {
        state.SkipWithError("the window never painted its panes");
        return nullptr;
    }
    if (frame->PaneCount() != 3) {
        state.SkipWithError("the sample chart has not three panes");
        return nullptr;
    }
    return frame;
}

// With ZS_KEEP_GRABS naming a folder, what a benchmark drew is saved there to be looked at.
void KeepGrab(const QImage& image, const char* name) {
    if (const char* folder = std::getenv("ZS_KEEP_GRABS"))
        image.save(QString(folder) + "/" + name + ".png");
}

struct STotals {
    long renders = 0;
    long imageCopies = 0;
};

STotals Totals(CChildFrame& frame) {
    STotals totals;
    for (int pane = 0; pane < frame.PaneCount(); ++pane) {
        totals.renders += frame.PaneWidget(pane).Counters().renders;
        totals.imageCopies += frame.PaneWidget(pane).Counters().imageCopies;
    }
    return totals;
}

void BM_WindowFullRedraw(benchmark::State& state) {
    std::unique_ptr<CChildFrame> frame = OpenSampleWindow(state);
    if (!frame) return;
    const STotals before = Totals(*frame);
    for (auto _ : state) {
        for (int pane = 0; pane < frame->PaneCount(); ++pane)
            frame->PaneWidget(pane).Invalidate(CPaneWidget::EStale::Pane);
        // One synchronous paint of the splitter: its handles and every pane under it.
        frame->Splitter().repaint();
    }
    const STotals after = Totals(*frame);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["renders/iter"] = (after.renders - before.renders) / iterations;
    state.counters["copies/iter"] = (after.imageCopies - before.imageCopies) / iterations;
    if (after.renders - before.renders != frame->PaneCount() * state.iterations())
        state.SkipWithError("a redraw did not lay out and paint every pane anew");
    KeepGrab(frame->grab().toImage(), "window-full-redraw");
}
BENCHMARK(BM_WindowFullRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// What `zentristock-cli render` does to the same chart: the panes arranged in 1920x1080 and
// painted into one image, with the window's axis settings.
void BM_CliRender(benchmark::State& state) {
    std::unique_ptr<CZentriStockDoc> document = OpenDocument(g_installation->SampleChart());
    if (!document) {
        state.SkipWithError("the sample chart does not open");
        return;
    }
    CPaneStack stack(*document, g_installation->context->Settings());
    for (auto _ : state) {
        QImage image = PaneStackPainter::Render(stack, kWidth, kHeight);
        benchmark::DoNotOptimize(image.constBits());
    }
    KeepGrab(PaneStackPainter::Render(stack, kWidth, kHeight), "cli-render");
    state.counters["panes"] = stack.Count();
    document->Close();
}
BENCHMARK(BM_CliRender)->Unit(benchmark::kMillisecond)->UseRealTime();

// The cursor moved to another bar and row of the price pane: the kept image is copied and the
// cursor drawn, the view not laid out again.
void BM_CursorOnlyRepaint(benchmark::State& state) {
    std::unique_ptr<CChildFrame> frame = OpenSampleWindow(state);
    if (!frame) return;
    CPaneWidget& pane = frame->PaneWidget(0);
    const CZentriStockView& view = frame->Panes().View(0);
    const int firstBar = static_cast<int>(view.xMin);
    const int bars = std::max(1, static_cast<int>(view.xCount));
    const int top = view.plotRect.top;
    const int rows = std::max(1, view.plotRect.Height());
    const STotals before = Totals(*frame);
    long step = 0;
    for (auto _ : state) {
        ++step;
        pane.SetCursor(firstBar + static_cast<int>(step * 7 % bars),
                       top + static_cast<int>(step * 13 % rows));
        pane.repaint();
    }
    const STotals after = Totals(*frame);
    state.counters["bars"] = bars;
    state.counters["copies/iter"] =
        static_cast<double>(after.imageCopies - before.imageCopies) / state.iterations();
    if (after.renders != before.renders)
        state.SkipWithError("a cursor move laid the pane out again");
    else if (after.imageCopies - before.imageCopies < state.iterations())
        state.SkipWithError("a cursor move did not repaint the pane");
}
BENCHMARK(BM_CursorOnlyRepaint)->Unit(benchmark::kMicrosecond)->UseRealTime();

constexpr int kManyElements = 1000;

// 1,000 trend lines spread over the price pane's visible bars and values, each from 2 to 20
// bars long, drawn once so that each knows the pane's mapping.
void SpreadTrendLines(CChildFrame& frame) {
    const CZentriStockView& view = frame.Panes().View(0);
    CTCurve* pane = view.Pane();
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> bar(view.xMin, view.xMin + view.xCount - 20);
    std::uniform_real_distribution<float> length(2, 20);
    std::uniform_real_distribution<float> value(view.yMin, view.yMin + view.yRange);
    for (int i = 0; i < kManyElements; ++i) {
        auto line = std::make_unique<CLine>();
        line->x1 = bar(rng);
        line->x2 = line->x1 + length(rng);
        line->y1 = value(rng);
        line->y2 = value(rng);
        pane->AddElement(std::move(line));
    }
    frame.RedrawPanes();
    frame.Splitter().repaint();
}

void SendMove(QWidget& widget, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget.mapToGlobal(at)), Qt::NoButton,
                     buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

void SendLeftButton(QWidget& widget, QPoint at, bool down) {
    QMouseEvent event(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, QPointF(at),
                      QPointF(widget.mapToGlobal(at)), Qt::LeftButton,
                      down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// One hover move of the mouse over the price pane with 1,000 trend lines: the hit test of
// the elements (every one of them when the mouse meets none), the status read-out, the bar
// notification (each move enters another bar) and, with the crosshair on, the repaint of the cursor
// in every pane; without it nothing is painted.
void BM_HoverMoveOver1000TrendLines(benchmark::State& state) {
    const bool crosshair = state.range(0) != 0;
    std::unique_ptr<CChildFrame> frame = OpenSampleWindow(state);
    if (!frame) return;
    SpreadTrendLines(*frame);
    frame->SetCrosshair(crosshair);
    long readOuts = 0, barsEntered = 0, onElement = 0;
    frame->onReadOut = [&](const std::string&, const std::string&) { ++readOuts; };
    frame->onBarEntered = [&](CStock&, int) { ++barsEntered; };
    CPaneWidget& pane = frame->PaneWidget(0);
    const CZentriStockView& view = frame->Panes().View(0);
    const CRect plot = view.plotRect;
    const int bars = std::max(1, static_cast<int>(view.xCount) - 1);
    QApplication::processEvents();
    const STotals before = Totals(*frame);
    long step = 0;
    for (auto _ : state) {
        ++step;
        const int bar = static_cast<int>(view.xMin) + static_cast<int>(step % bars);
        const int row = plot.top + static_cast<int>(step * 37 % std::max(1, plot.Height()));
        SendMove(pane, QPoint(view.BarToX(static_cast<float>(bar)), row), Qt::NoButton);
        // The repaint the move asked for, done here.
        QApplication::processEvents();
        if (pane.Tracker().Hot()) ++onElement;
    }
    const STotals after = Totals(*frame);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["elements"] = static_cast<double>(view.Pane()->Elements().size());
    state.counters["renders/iter"] = (after.renders - before.renders) / iterations;
    state.counters["copies/iter"] = (after.imageCopies - before.imageCopies) / iterations;
    state.counters["readouts/iter"] = readOuts / iterations;
    state.counters["bars/iter"] = barsEntered / iterations;
    state.counters["on_element/iter"] = onElement / iterations;
    if (after.renders != before.renders)
        state.SkipWithError("a hover laid a pane out again");
    else if (crosshair && after.imageCopies - before.imageCopies < state.iterations())
        state.SkipWithError("a hover did not repaint the cursor");
    else if (readOuts < state.iterations())
        state.SkipWithError("a hover did not update the status read-out");
    if (crosshair) KeepGrab(frame->grab().toImage(), "hover-1000-trend-lines");
}
BENCHMARK(BM_HoverMoveOver1000TrendLines)
    ->ArgName("crosshair")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// A trend line dragged by its body among 1,000 others: each move repaints the price pane and
// leaves the indicator panes alone.
void BM_TrendLineDragAmong1000(benchmark::State& state) {
    std::unique_ptr<CChildFrame> frame = OpenSampleWindow(state);
    if (!frame) return;
    SpreadTrendLines(*frame);
    const CZentriStockView& view = frame->Panes().View(0);
    // The dragged line, on top of the others, across the middle of the pane.
    auto line = std::make_unique<CLine>();
    line->x1 = view.xMin + view.xCount * 0.3f;
    line->x2 = view.xMin + view.xCount * 0.7f;
    line->y1 = line->y2 = view.yMin + view.yRange * 0.5f;
    CLine& dragged = *line;
    view.Pane()->AddElement(std::move(line));
    frame->RedrawPanes();
    frame->Splitter().repaint();
    CPaneWidget& pane = frame->PaneWidget(0);
    const SPoint middle = dragged.PointOf((dragged.x1 + dragged.x2) / 2, dragged.y1);
    const QPoint grab(middle.x, middle.y);
    // Selected by a first click, grabbed by the second press.
    for (int press = 0; press < 2; ++press) {
        SendMove(pane, grab, Qt::NoButton);
        SendLeftButton(pane, grab, true);
        if (press == 0) SendLeftButton(pane, grab, false);
        QApplication::processEvents();
    }
    if (!dragged.tracking) {
        SendLeftButton(pane, grab, false);
        state.SkipWithError("the press did not grab the trend line");
        return;
    }
    std::vector<int> rendersBefore;
    for (int p = 0; p < frame->PaneCount(); ++p)
        rendersBefore.push_back(frame->PaneWidget(p).Counters().renders);
    long step = 0;
    for (auto _ : state) {
        ++step;
        SendMove(pane, grab + QPoint(step % 2 ? 8 : 0, step % 2 ? -8 : 0), Qt::LeftButton);
        QApplication::processEvents();
    }
    SendLeftButton(pane, grab, false);
    const double iterations = static_cast<double>(state.iterations());
    const int own = frame->PaneWidget(0).Counters().renders - rendersBefore[0];
    int others = 0;
    for (int p = 1; p < frame->PaneCount(); ++p)
        others += frame->PaneWidget(p).Counters().renders - rendersBefore[p];
    state.counters["own_renders/iter"] = own / iterations;
    state.counters["other_renders/iter"] = others / iterations;
    if (others != 0)
        state.SkipWithError("a drag repainted the other panes");
    else if (own < state.iterations())
        state.SkipWithError("a drag did not repaint its pane");
}
BENCHMARK(BM_TrendLineDragAmong1000)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Weekdays as local midnights, the last one on `lastDate`, oldest first.
std::vector<int32_t> WeekdaysUpTo(int32_t lastDate, int count) {
    std::vector<int32_t> dates;
    std::time_t at = lastDate;
    std::tm day = *std::localtime(&at);
    while (static_cast<int>(dates.size()) < count) {
        if (day.tm_wday != 0 && day.tm_wday != 6) {
            day.tm_hour = 0;
            day.tm_min = day.tm_sec = 0;
            day.tm_isdst = -1;
            std::tm copy = day;
            dates.push_back(static_cast<int32_t>(std::mktime(&copy)));
        }
        --day.tm_mday;
        day.tm_isdst = -1;
        std::mktime(&day); // normalises the day before the first of the month
    }
    std::reverse(dates.begin(), dates.end());
    return dates;
}

// The sample chart with its panes, indicators and drawings over 10,000 daily bars of a random
// walk ending on the sample's last day; `wholeSeries` shows every bar, else the sample's
// number of bars in the window, the last ones.
std::string MakeLongChart(bool wholeSeries) {
    const fs::path path =
        g_installation->home / (wholeSeries ? "chart/LONG-ALL.cht" : "chart/LONG.cht");
    if (fs::exists(path)) return path.string();
    std::unique_ptr<CZentriStockDoc> document = OpenDocument(g_installation->SampleChart());
    if (!document) return {};
    CStock& stock = document->Stock();
    const SQuote last = stock.Display().empty() ? SQuote{} : stock.Display().back();
    const std::vector<int32_t> dates =
        WeekdaysUpTo(last.date != 0 ? last.date : 1700000000, kLongChartBars);
    std::mt19937 rng(20240601);
    std::normal_distribution<float> change(0.0f, 0.015f);
    std::uniform_real_distribution<float> spread(0.0f, 0.02f), volume(1e5f, 5e6f);
    std::vector<SQuote> bars;
    bars.reserve(dates.size());
    float close = last.close > 0 ? last.close : 50.0f;
    for (int32_t date : dates) {
        const float open = close;
        close = std::max(1.0f, close * (1.0f + change(rng)));
        SQuote quote;
        quote.date = date;
        quote.open = open;
        quote.close = quote.adjClose = close;
        quote.high = std::max(open, close) * (1.0f + spread(rng));
        quote.low = std::min(open, close) * (1.0f - spread(rng));
        quote.volume = volume(rng);
        bars.push_back(quote);
    }
    stock.RestorePeriod(CStock::kPeriodDay, stock.NDays());
    stock.SetMaximumQuotes(kLongChartBars, false);
    if (wholeSeries) stock.SetBarsInWindow(kLongChartBars, false);
    auto base = bars;
    stock.RestoreSeries(std::move(base), std::move(bars));
    CStockPanes* panes = CStockPanes::Of(stock);
    if (!panes) return {};
    panes->RebuildCostDistribution(stock);
    panes->ReplayIndicators(stock);
    panes->RebindPanes(stock);
    stock.ShowLastBars();
    if (!CChartFile::Save(stock, path.string())) return {};
    return path.string();
}

void BM_OpenChart10000Bars(benchmark::State& state) {
    const bool wholeSeries = state.range(0) != 0;
    const std::string path = MakeLongChart(wholeSeries);
    if (path.empty()) {
        state.SkipWithError("the chart of 10,000 bars could not be made");
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    double openMs = 0, frameMs = 0, paintMs = 0, closeMs = 0;
    int bars = 0, visible = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::unique_ptr<CZentriStockDoc> document = OpenDocument(path);
        if (!document) {
            state.SkipWithError("the chart of 10,000 bars does not open");
            return;
        }
        bars = static_cast<int>(document->Stock().Display().size());
        const auto opened = Clock::now();
        auto frame = std::make_unique<CChildFrame>(std::move(document), g_installation->loop);
        const auto made = Clock::now();
        if (!ShowUntilPainted(*frame)) {
            state.SkipWithError("the window never painted its panes");
            return;
        }
        const auto painted = Clock::now();
        visible = static_cast<int>(frame->Panes().View(0).xCount);
        frame.reset();
        const auto closed = Clock::now();
        openMs += ms(opened - start);
        frameMs += ms(made - opened);
        paintMs += ms(painted - made);
        closeMs += ms(closed - painted);
    }
    if (std::getenv("ZS_KEEP_GRABS")) {
        CChildFrame frame(OpenDocument(path), g_installation->loop);
        if (ShowUntilPainted(frame))
            KeepGrab(frame.grab().toImage(), wholeSeries ? "open-10000-whole" : "open-10000");
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["open_ms"] = openMs / n;
    state.counters["frame_ms"] = frameMs / n;
    state.counters["paint_ms"] = paintMs / n;
    state.counters["close_ms"] = closeMs / n;
    state.counters["bars"] = bars;
    state.counters["shown"] = visible;
    if (bars != kLongChartBars) state.SkipWithError("the chart opened without its 10,000 bars");
}
BENCHMARK(BM_OpenChart10000Bars)
    ->ArgName("whole")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        SInstallation installation;
        g_installation = &installation;
        benchmark::RunSpecifiedBenchmarks();
        g_installation = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
