#include "ChartPrinter.h"
#include "PaneStackPainter.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include "quotes/LocalDate.h"
#include "view/CPaneStack.h"
#include <QFont>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

constexpr COLORREF kWhite = MakeRGB(255, 255, 255);
constexpr COLORREF kBlack = MakeRGB(0, 0, 0);
constexpr int kSeriesColours = 5;

// The black-on-white look put on the chart for one print and taken off again exactly as it
// was, however the print ends: pane backgrounds white, frames, scales and titles black,
// rising candles hollow (white fill), falling ones black, every curve black.
class CBlackOnWhiteLook {
public:
    explicit CBlackOnWhiteLook(CStock& stock) : m_stock(stock) {
        for (int pane = 0; pane < CStock::kViewParCount; ++pane) {
            CViewPar& par = stock.ViewPar(pane);
            m_panes[pane] = {par.frameColour, par.backgroundColour, par.titleColour,
                             par.axisTextColour};
            par.frameColour = kBlack;
            par.backgroundColour = kWhite;
            par.titleColour = kBlack;
            par.axisTextColour = kBlack;
        }
        for (int number = 1; number <= kSeriesColours; ++number) {
            m_series[number - 1] = stock.Colour(number);
            stock.SetColour(number, number == 1 ? kWhite : kBlack);
        }
        if (CStockPanes* panes = CStockPanes::Of(stock))
            for (int pane = 0; pane < static_cast<int>(panes->Count()); ++pane)
                for (const auto* list :
                     {&panes->Pane(pane)->Curves(), &panes->Pane(pane)->SecondCurves()})
                    for (const auto& curve : *list) {
                        m_curves.emplace_back(curve.get(), curve->colour);
                        curve->colour = kBlack;
                    }
    }
    ~CBlackOnWhiteLook() {
        for (auto& [curve, colour] : m_curves) curve->colour = colour;
        for (int number = 1; number <= kSeriesColours; ++number)
            m_stock.SetColour(number, m_series[number - 1]);
        for (int pane = 0; pane < CStock::kViewParCount; ++pane) {
            CViewPar& par = m_stock.ViewPar(pane);
            par.frameColour = m_panes[pane].frame;
            par.backgroundColour = m_panes[pane].background;
            par.titleColour = m_panes[pane].title;
            par.axisTextColour = m_panes[pane].axisText;
        }
    }
    CBlackOnWhiteLook(const CBlackOnWhiteLook&) = delete;
    CBlackOnWhiteLook& operator=(const CBlackOnWhiteLook&) = delete;

private:
    struct SPaneColours {
        uint32_t frame = 0;
        uint32_t background = 0;
        uint32_t title = 0;
        uint32_t axisText = 0;
    };
    CStock& m_stock;
    std::array<SPaneColours, CStock::kViewParCount> m_panes{};
    std::array<uint32_t, kSeriesColours> m_series{};
    std::vector<std::pair<CCurve*, uint32_t>> m_curves;
};

std::string PeriodName(const CStock& stock) {
    switch (stock.Period()) {
    case CStock::kPeriodDay:
        return "Daily";
    case CStock::kPeriodWeek:
        return "Weekly";
    case CStock::kPeriodMonth:
        return "Monthly";
    case CStock::kPeriodNDays:
        return std::to_string(stock.NDays()) + "-Day";
    default:
        return {};
    }
}

std::string IsoDate(int32_t date) {
    const SLocalDay day = LocalDayOf(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

// The height of every visible pane in the window, by the shares of an arrangement when the
// stack has none yet.
std::vector<int> WindowHeights(const CPaneStack& stack, int& windowWidth) {
    std::vector<int> heights(static_cast<size_t>(stack.Count()), 0);
    windowWidth = 0;
    int total = 0;
    for (int pane = 0; pane < stack.Count(); ++pane) {
        if (stack.IsHidden(pane)) continue;
        heights[pane] = std::max(0, stack.PaneRect(pane).Height());
        windowWidth = std::max(windowWidth, stack.PaneRect(pane).Width());
        total += heights[pane];
    }
    if (total > 0 && windowWidth > 0) return heights;
    // Never arranged: the shares of Arrange on a window of the command-line tool's size.
    constexpr int kShare = 200;
    windowWidth = 1280;
    for (int pane = 0; pane < stack.Count(); ++pane)
        if (!stack.IsHidden(pane))
            heights[pane] = kShare * (pane == 0 ? CPaneStack::kPricePaneWeight
                                                : CPaneStack::kIndicatorPaneWeight);
    return heights;
}

QFont HeaderFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(SPrintLayout::kHeaderPixels);
    font.setBold(true);
    return font;
}

} // namespace

SPrintLayout LayoutPrintPage(const CPaneStack& stack, int deviceWidth, int deviceHeight, int dpi) {
    SPrintLayout layout;
    layout.panes.assign(static_cast<size_t>(stack.Count()), CRect{});
    if (deviceWidth <= 0 || deviceHeight <= 0 || dpi <= 0) return layout;
    layout.scale = static_cast<double>(dpi) / SPrintLayout::kScreenDpi;
    layout.width = static_cast<int>(deviceWidth / layout.scale);
    layout.height = static_cast<int>(deviceHeight / layout.scale);
    const int headerHeight = SPrintLayout::kHeaderPixels * 3 / 2;
    layout.header = QRect(0, 0, layout.width, headerHeight);

    int windowWidth = 0;
    const std::vector<int> heights = WindowHeights(stack, windowWidth);
    int windowHeight = 0;
    int lastVisible = -1;
    for (int pane = 0; pane < stack.Count(); ++pane) {
        windowHeight += heights[pane];
        if (heights[pane] > 0) lastVisible = pane;
    }
    const int top = headerHeight + SPrintLayout::kHeaderGap;
    const int room = layout.height - top;
    if (lastVisible < 0 || room <= 0 || layout.width <= 0) return layout;

    const double aspect =
        std::max(SPrintLayout::kMinAspect, static_cast<double>(windowHeight) / windowWidth);
    const int chartHeight = std::min(room, static_cast<int>(layout.width * aspect));
    int y = top;
    for (int pane = 0; pane <= lastVisible; ++pane) {
        if (heights[pane] <= 0) continue;
        // The last pane takes what rounding leaves, so the panes fill the chart exactly.
        const int h = pane == lastVisible ? top + chartHeight - y
                                          : static_cast<int>(static_cast<long long>(chartHeight) *
                                                             heights[pane] / windowHeight);
        layout.panes[pane] = CRect{0, y, layout.width, y + h};
        y += h;
    }
    return layout;
}

bool PrintChart(CPaneStack& stack, QPagedPaintDevice& device, const SPrintOptions& options) {
    if (stack.Count() == 0) return false;
    const SPrintLayout layout =
        LayoutPrintPage(stack, device.width(), device.height(), device.logicalDpiX());
    if (std::none_of(layout.panes.begin(), layout.panes.end(),
                     [](const CRect& r) { return r.Width() > 0 && r.Height() > 0; }))
        return false;
    CStock& stock = stack.View(0).Stock();
    // The views are sized for the page while they print and get their window sizes back.
    std::vector<CRect> windowSizes;
    for (int pane = 0; pane < stack.Count(); ++pane)
        windowSizes.push_back(stack.View(pane).clientRect);

    int painted = 0;
    {
        QPainter painter;
        if (!painter.begin(&device)) return false;
        std::optional<CBlackOnWhiteLook> look;
        if (options.blackOnWhite) look.emplace(stock);
        painter.scale(layout.scale, layout.scale);
        painter.setFont(HeaderFont());
        painter.setPen(Qt::black);
        painter.drawText(layout.header, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::fromStdString(PrintHeader(stock)));
        painted =
            PaneStackPainter::PaintStraight(stack, painter, layout.panes, options.blackOnWhite);
        painter.end();
    }
    // Drawing leaves its mapping in the views and elements (and the elements store it with
    // the chart): each pane is drawn once more at its window size, so the chart is exactly
    // as the window left it, and the window is asked to repaint.
    for (int pane = 0; pane < stack.Count(); ++pane) {
        CZentriStockView& view = stack.View(pane);
        view.clientRect = windowSizes[pane];
        if (stack.IsHidden(pane) || view.clientRect.Width() <= 0 || view.clientRect.Height() <= 0)
            continue;
        QImage scratch(view.clientRect.Width(), view.clientRect.Height(), QImage::Format_RGB32);
        QPainter painter(&scratch);
        QtDC dc(painter);
        view.OnDraw(dc);
    }
    stack.Views().RedrawAll();
    return painted > 0;
}

std::string PrintHeader(const CStock& stock) {
    std::vector<std::string> parts;
    for (std::string part : {stock.SymbolName(), stock.Market(), PeriodName(stock)})
        if (!part.empty()) parts.push_back(std::move(part));
    const auto& bars = stock.Display();
    if (!bars.empty())
        parts.push_back(IsoDate(bars.front().date) + " - " + IsoDate(bars.back().date));
    std::string header;
    for (const std::string& part : parts) header += (header.empty() ? "" : "  ") + part;
    return header;
}
