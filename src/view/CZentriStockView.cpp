#include "CZentriStockView.h"
#include "AxisLabel.h"
#include "CViewList.h"
#include "PaneTexts.h"
#include "ScaleTicks.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CIniReader.h"
#include "element/SValueScale.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr int kMajorMark = 6;
constexpr int kMinorMark = 3;
constexpr int kMinorMarks = 4;
constexpr int kLabelGap = 7;
constexpr int kAxisStrip = 20;
constexpr int kDateLabelChars = 9;
constexpr int kLabelColumnChars = 6;
constexpr float kPixelLimit = 1e6f;
constexpr int kDefaultCell = 80;

int CellOrDefault(int cell) {
    return cell > 0 ? cell : kDefaultCell;
}

// The curve's value at the last bar of [first, end) that has one; infinity when none has.
float LastValue(const CCurve& curve, int first, int end) {
    const int last = std::min(end, static_cast<int>(curve.size())) - 1;
    for (int i = last; i >= std::max(0, first); --i)
        if (std::isfinite(curve.RawAt(i))) return curve.RawAt(i);
    return kInvalid;
}
} // namespace

CZentriStockView::CZentriStockView(CZentriStockDoc& document, int pane, CIniReader& settings)
    : paneIndex(pane), m_stock(document.Stock()), m_document(&document) {
    ApplyDefaults(AxisSettings::ReadAndWriteBack(settings));
}

CZentriStockView::CZentriStockView(CStock& stock, int pane, const AxisSettings& defaults)
    : paneIndex(pane), m_stock(stock) {
    ApplyDefaults(defaults);
}

CZentriStockView::~CZentriStockView() {
    if (m_list) m_list->Remove(this);
}

AxisSettings CZentriStockView::DefaultAxisSettings() {
    AxisSettings defaults;
    defaults.axisFont = CViewPar::DefaultFont();
    defaults.labelFont = CViewPar::DefaultFont();
    return defaults;
}

void CZentriStockView::ApplyDefaults(const AxisSettings& defaults) {
    frameColour = static_cast<COLORREF>(defaults.borderColor) & 0xFFFFFF;
    showVerticalGrid = defaults.drawYGrid;
    cellMaxX = CellOrDefault(defaults.cellMaxX);
    cellMaxY = CellOrDefault(defaults.cellMaxY);
    axisFont = defaults.axisFont;
    labelFont = defaults.labelFont;
}

void CZentriStockView::SetViewList(CViewList* list) {
    if (m_list) m_list->Remove(this);
    m_list = list;
    if (m_list) m_list->Add(this);
}

CTCurve* CZentriStockView::Pane() const {
    CStockPanes* panes = CStockPanes::Of(m_stock);
    if (!panes || paneIndex < 0 || paneIndex >= static_cast<int>(panes->Count())) return nullptr;
    return panes->Pane(paneIndex);
}

bool CZentriStockView::CurveFloating() const {
    return m_document && m_document->CurveFloating();
}

bool CZentriStockView::YAxisOffset() const {
    return m_document && m_document->YAxisOffset();
}

int CZentriStockView::AxisCharWidth() const {
    return std::max(FontPixels(axisFont.lfWidth), m_measuredAxisWidth);
}

void CZentriStockView::MeasureAxisFont(CDC& dc) {
    // A font drawn wider than its record says would overrun the label column and the dates.
    dc.SelectFont(axisFont);
    const CSize digits = dc.GetTextExtent("0123456789");
    m_measuredAxisWidth = std::max(0, (digits.cx + 9) / 10);
}
int CZentriStockView::AxisHeight() const {
    return FontPixels(axisFont.lfHeight);
}
int CZentriStockView::LabelHeight() const {
    return FontPixels(labelFont.lfHeight);
}

// ---- Layout ----------------------------------------------------------------------------

void CZentriStockView::CopyPaneSettings() {
    if (paneIndex < 0 || paneIndex >= CStock::kViewParCount) return;
    const CViewPar& par = m_stock.ViewPar(paneIndex);
    logScaleAsked = par.LogScale();
    roundTicks = par.RoundTicks();
    frameColour = par.frameColour;
    axisTextColour = par.axisTextColour;
    backgroundColour = par.backgroundColour;
    titleColour = par.titleColour;
    gridPenStyle = par.gridPenStyle;
    // A stored 0 would divide the grid by zero.
    cellMaxX = CellOrDefault(par.cellMaxX);
    cellMaxY = CellOrDefault(par.cellMaxY);
    showVerticalGrid = par.showVerticalGrid != 0;
    showHorizontalGrid = par.showHorizontalGrid != 0;
    axisFont = par.axisFont;
    labelFont = par.labelFont;
}

void CZentriStockView::LayoutPlot() {
    const int fw = AxisCharWidth();
    const int fh = AxisHeight();
    const int lh = LabelHeight();
    const int m = margin;
    plotRect = clientRect;
    plotRect.left += showLeftAxis ? m + kLabelColumnChars * fw : m;
    plotRect.top += oneLineTitle ? lh + m + 1 : 2 * lh + m + 1;
    plotRect.right = std::max(plotRect.right, kMinClient) - kLabelColumnChars * fw - m;
    plotRect.bottom = std::max(plotRect.bottom, kMinClient) - (showXAxis ? fh + m : m);
    xAxisStrip =
        CRect{plotRect.left, plotRect.bottom, plotRect.right, plotRect.bottom + kAxisStrip};
    yAxisStrip = CRect{plotRect.right, plotRect.top, plotRect.right + kAxisStrip, plotRect.bottom};
}

void CZentriStockView::FitVertical() {
    CTCurve* pane = Pane();
    if (paneIndex == 0 || !pane) {
        yMax = m_stock.VisibleHigh();
        yMin = m_stock.VisibleLow();
        yRange = yMax - yMin;
        if (YAxisOffset() && logScaleAsked && SValueScale::CanBeLogarithmic(yMin, yMax)) {
            // 5 % of the height each way, as on a linear scale, without reaching 0.
            const double low = std::log10(static_cast<double>(yMin));
            const double high = std::log10(static_cast<double>(yMax));
            const double d = (high - low) * 5.0 * 0.01;
            yMax = static_cast<float>(std::pow(10.0, high + d));
            yMin = static_cast<float>(std::pow(10.0, low - d));
            yRange = yMax - yMin;
        } else if (YAxisOffset()) {
            const float d = yRange * 5.0f * 0.01f;
            yMax += d;
            yMin -= d;
            yRange = yMax - yMin;
        }
        if (pane) {
            yMax2 = pane->SecondRangeMax();
            yMin2 = pane->SecondRangeMin();
            yRange2 = yMax2 - yMin2;
        }
        return;
    }
    yMax = pane->RangeMax();
    yMin = pane->RangeMin();
    yRange = yMax - yMin;
    yMax2 = pane->SecondRangeMax();
    yMin2 = pane->SecondRangeMin();
    yRange2 = yMax2 - yMin2;
}

void CZentriStockView::FitHorizontal() {
    xFirst = m_stock.SavedFirst();
    xEnd = m_stock.SavedEnd();
    xMin = static_cast<float>(xFirst);
    xMax = static_cast<float>(xEnd);
    xCount = xMax - xMin;
}

void CZentriStockView::Layout() {
    CopyPaneSettings();
    LayoutRest();
}

void CZentriStockView::LayoutRest() {
    lowestVisiblePane = m_lowestQuery ? m_lowestQuery() : false;
    showXAxis = paneIndex == 0 || lowestVisiblePane;
    LayoutPlot();
    if (!layoutValid) m_stock.ShowLastBars();
    if (!manualYScale) FitVertical();
    ChooseScale();
    FitHorizontal();
}

void CZentriStockView::ChooseScale() {
    logScale = logScaleAsked && SValueScale::CanBeLogarithmic(yMin, yMax);
}

std::string CZentriStockView::ScaleNotice() const {
    return logScaleAsked && !logScale ? CViewPar::LinearScaleNotice(paneIndex) : std::string();
}

// ---- Mapping ---------------------------------------------------------------------------

CZentriStockView::SRange CZentriStockView::MappingRange(float min, float range) {
    if (range != 0.0f || !std::isfinite(min)) return {min, range};
    const float d = min == 0.0f ? 1.0f : std::fabs(min) * 0.01f;
    return {min - d, d + d};
}

int CZentriStockView::ToPixel(float value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

int CZentriStockView::BarToX(float bar) const {
    const float w = static_cast<float>(plotRect.Width());
    if (!(xCount > 0.0f)) return plotRect.left;
    return ToPixel(((bar + 0.5f) - xMin) / xCount * w + static_cast<float>(plotRect.left));
}

int CZentriStockView::XToBar(int x) const {
    const int w = plotRect.Width();
    if (w <= 0) return xFirst;
    return ToPixel(static_cast<float>(x - plotRect.left) / static_cast<float>(w) * xCount + xMin);
}

int CZentriStockView::ValueToRow(float value, float min, float range, bool logarithmic) const {
    const SRange r = MappingRange(min, range);
    if (std::isnan(value)) return plotRect.bottom;
    return ToPixel(
        SValueScale{r.min, r.range, logarithmic}.Row(value, plotRect.bottom, plotRect.Height()));
}

float CZentriStockView::RowToValue(int y, float min, float range, bool logarithmic) const {
    const SRange r = MappingRange(min, range);
    const int h = plotRect.Height();
    if (h <= 0) return r.min;
    return SValueScale{r.min, r.range, logarithmic}.Value(y, plotRect.bottom, h);
}

// The left-hand scale is always linear: it carries the second curves of a pane, whose values
// are not prices.
int CZentriStockView::ValueToY(float value) const {
    return ValueToRow(value, yMin, yRange, logScale);
}

float CZentriStockView::YToValue(int y) const {
    return RowToValue(y, yMin, yRange, logScale);
}

int CZentriStockView::ValueToY2(float value) const {
    return ValueToRow(value, yMin2, yRange2, false);
}

float CZentriStockView::YToValue2(int y) const {
    return RowToValue(y, yMin2, yRange2, false);
}

// ---- Ticks -----------------------------------------------------------------------------

void CZentriStockView::ComputeYTicks() {
    yTicks.Clear();
    if (logScale || roundTicks) {
        const std::vector<float> values =
            logScale ? ScaleTicks::LogYTicks(yMin, yMax, plotRect.Height(), cellMaxY)
                     : ScaleTicks::RoundYTicks(yMin, yRange, plotRect.Height(), cellMaxY);
        for (const float value : values) yTicks.Add(ValueToY(value), value);
        return;
    }
    const ScaleTicks::SYTicks ticks =
        ScaleTicks::ComputeYTicks(yMin, yRange, plotRect.Height(), cellMaxY);
    for (int i = 0; i < ticks.count; ++i) {
        const float value = ticks.step * static_cast<float>(i) + ticks.first;
        yTicks.Add(ValueToY(value), value);
    }
}

void CZentriStockView::ComputeXTicks() {
    xTicks.Clear();
    const int w = plotRect.Width();
    // A pane without width or bars has nothing to label; the step search would not end.
    if (w < 1 || !(xCount >= 1.0f)) return;
    const int cellPx = w / (w / CellOrDefault(cellMaxX) + 1);
    const float d = static_cast<float>(cellPx) / static_cast<float>(w) * xCount;
    int k = d < 1.0f ? 1 : static_cast<int>(std::lround(d));
    const int labelPx = std::max(1, kDateLabelChars * AxisCharWidth());
    // Steps too short for a label are skipped at once: a window of millions of bars on a
    // narrow pane would otherwise be searched one bar at a time.
    const float shortSteps = static_cast<float>(labelPx - 2) * xCount / static_cast<float>(w);
    if (shortSteps > static_cast<float>(k) && shortSteps < 1e9f) k = static_cast<int>(shortSteps);
    int stepPx = BarToX(static_cast<float>(k)) - BarToX(0);
    while (stepPx < labelPx) {
        ++k;
        stepPx = BarToX(static_cast<float>(k)) - BarToX(0);
    }
    // A pane narrower than one label still shows one.
    const int n = std::max(1, w / stepPx);
    const int start = static_cast<int>(xMin) + static_cast<int>(0.7f * static_cast<float>(k));
    for (int i = 0; i < n && xTicks.count < CTickTable::kCapacity; ++i) {
        const int bar = start + i * k;
        xTicks.Add(BarToX(static_cast<float>(bar)), static_cast<float>(bar));
    }
}

// ---- Commands --------------------------------------------------------------------------

bool CZentriStockView::OnCommand(int id) {
    const int n = static_cast<int>(m_stock.Display().size());
    switch (id) {
    case kMoveForward:
        m_stock.ShiftWindow(1, 1, true);
        break;
    case kMoveBackward:
        m_stock.ShiftWindow(-1, -1, true);
        break;
    case kQuickForward:
        m_stock.ShiftWindow(5, 5, true);
        break;
    case kQuickBackward:
        m_stock.ShiftWindow(-5, -5, true);
        break;
    case kMoveToBegin: {
        const int first = m_stock.WindowFirst();
        m_stock.ShiftWindow(-first, -first, true);
        break;
    }
    case kMoveToEnd: {
        const int end = m_stock.WindowEnd();
        m_stock.ShiftWindow(n - end, n - end, true);
        break;
    }
    case kZoomIn:
        m_stock.ShiftWindow(10, 0, false);
        break;
    case kZoomOut:
        m_stock.ShiftWindow(-5, 5, false);
        break;
    case kZoomReset:
        m_stock.ResetWindow();
        break;
    case kNarrowCandle:
        m_stock.AdjustBarHalfWidth(-1);
        break;
    case kBroadenCandle:
        m_stock.AdjustBarHalfWidth(1);
        break;
    case kAutoScale:
        break;
    case kExpandY:
        ExpandY();
        Repaint();
        return true;
    case kShrinkY:
        ShrinkY();
        Repaint();
        return true;
    case kYScaleDialog:
    case kYScaleDialog2:
    case kYScaleDialog3:
    case kYScaleDialog4:
        RunYScaleDialog();
        return true;
    default:
        return false;
    }
    RelayoutAll();
    return true;
}

void CZentriStockView::OnMouseWheel(int delta, bool shift, bool ctrl) {
    const int sign = delta < 1 ? 1 : -1;
    const bool floating = CurveFloating();
    manualYScale = false;
    if (ctrl)
        m_stock.ShiftWindow(5 * sign, 5 * sign, floating);
    else if (shift)
        m_stock.ShiftWindow(sign, 0, floating);
    else
        m_stock.ShiftWindow(sign, sign, floating);
    RelayoutAll();
}

void CZentriStockView::ExpandY() {
    const float m = yRange * 20.0f * 0.01f;
    yMax -= m;
    yMin += m;
    yRange = yMax - yMin;
    manualYScale = true;
}

void CZentriStockView::ShrinkY() {
    const float m = yRange * 20.0f * 0.01f;
    yMax += m;
    yMin -= m;
    yRange = yMax - yMin;
    manualYScale = true;
}

bool CZentriStockView::SetManualYScale(float max, float min) {
    // A zero or inverted range would divide by zero or turn the pane upside down.
    if (!std::isfinite(max) || !std::isfinite(min) || !(max > min) || !std::isfinite(max - min))
        return false;
    yMax = max;
    yMin = min;
    yRange = yMax - yMin;
    manualYScale = true;
    return true;
}

void CZentriStockView::RunYScaleDialog() {
    float max = yMax;
    float min = yMin;
    if (!m_yScaleDialog || !m_yScaleDialog(max, min)) return;
    SetManualYScale(max, min);
    Repaint();
}

void CZentriStockView::Repaint() {
    if (m_list) m_list->RedrawAll();
}

void CZentriStockView::RelayoutAll() {
    if (m_list)
        m_list->RelayoutAll();
    else
        manualYScale = false;
}

// ---- Drawing ---------------------------------------------------------------------------

void CZentriStockView::OnDraw(CDC& dc) {
    CopyPaneSettings();
    MeasureAxisFont(dc);
    LayoutRest();
    PaintBackground(dc);
    if (IsEmptyPane()) {
        PaintFrame(dc, 1);
        PaintScalesAndAxes(dc);
        // Valid from now on, or every draw would fit the window to the last bars again.
        layoutValid = true;
        return;
    }
    PaintElements(dc);
    PaintMargins(dc);
    PaintFrame(dc, hasFocus ? 2 : 1);
    PaintScalesAndAxes(dc);
    PaintTitle(dc);
    PaintScaleNotice(dc);
    PaintShadowEdge(dc);
    layoutValid = true;
}

void CZentriStockView::PaintScaleNotice(CDC& dc) {
    const std::string notice = ScaleNotice();
    if (notice.empty()) return;
    dc.SelectFont(axisFont);
    dc.SetTextColor(axisTextColour);
    dc.TextOut(plotRect.left + kMinorMark, plotRect.top + kMinorMark, notice);
}

void CZentriStockView::PaintBackground(CDC& dc) {
    dc.SetBkMode(kTransparent);
    dc.SetBkColor(backgroundColour);
    dc.SelectBrush(SBrush{backgroundColour});
    dc.SelectPen(SPen{kPenSolid, 1, backgroundColour});
    dc.Rectangle(clientRect);
}

void CZentriStockView::PaintElements(CDC& dc) {
    CTCurve* pane = Pane();
    const SRange right = MappingRange(yMin, yRange);
    const SRange left = MappingRange(yMin2, yRange2);
    const float top = right.min + right.range;
    if (paneIndex == 0) {
        m_stock.logScale = logScale;
        m_stock.Draw(dc, top, right.min, xFirst, xEnd, plotRect);
    }
    for (const auto& curve : pane->Curves()) {
        curve->logScale = logScale;
        curve->Draw(dc, top, right.min, xFirst, xEnd, plotRect);
    }
    for (const auto& curve : pane->SecondCurves()) {
        curve->logScale = false;
        curve->Draw(dc, left.min + left.range, left.min, xFirst, xEnd, plotRect);
    }
    for (const auto& element : pane->Elements()) {
        element->logScale = logScale;
        element->Draw(dc, top, right.min, xFirst, xEnd, plotRect);
    }
}

void CZentriStockView::PaintMargins(CDC& dc) {
    dc.SelectBrush(SBrush{backgroundColour});
    dc.SelectPen(SPen{kPenSolid, 1, backgroundColour});
    const CRect& c = clientRect;
    const CRect& p = plotRect;
    dc.Rectangle(CRect{c.left, c.top, p.right, p.top});
    dc.Rectangle(CRect{p.right, c.top, c.right, c.bottom});
    dc.Rectangle(CRect{c.left, p.bottom, p.right, c.bottom});
    dc.Rectangle(CRect{-1, p.top, p.left, p.bottom});
}

void CZentriStockView::PaintFrame(CDC& dc, int width) {
    // Paper shows no keyboard focus.
    if (dc.IsPrinting()) width = 1;
    dc.SelectPen(SPen{kPenSolid, width, frameColour});
    const CRect& p = plotRect;
    dc.Line(p.left, p.top, p.right, p.top);
    dc.Line(p.right, p.top, p.right, p.bottom);
    dc.Line(p.right, p.bottom, p.left, p.bottom);
    dc.Line(p.left, p.bottom, p.left, p.top);
}

void CZentriStockView::PaintScalesAndAxes(CDC& dc) {
    PaintHorizontalGrid(dc);
    PaintVerticalGrid(dc);
    PaintRightLabels(dc);
    if (showXAxis) PaintDateLabels(dc);
    if (showLeftAxis) PaintLeftLabels(dc);
}

void CZentriStockView::PaintHorizontalGrid(CDC& dc) {
    const CRect& p = plotRect;
    dc.SelectPen(SPen{gridPenStyle, 1, frameColour});
    ComputeYTicks();
    if (showHorizontalGrid)
        for (int i = 0; i < yTicks.count; ++i)
            dc.Line(p.left, yTicks.positions[i], p.right, yTicks.positions[i]);

    dc.SelectPen(SPen{kPenSolid, 1, frameColour});
    const int minor = yTicks.count > 1 ? (yTicks.positions[1] - yTicks.positions[0]) / 5 : 0;
    // Minor marks past the last tick stay on the scale, not in the title area.
    auto onScale = [&p](int row) { return row >= p.top && row <= p.bottom; };
    for (int i = 0; i < yTicks.count; ++i) {
        const int row = yTicks.positions[i];
        dc.Line(p.right, row, p.right + kMajorMark, row);
        for (int k = 1; minor != 0 && k <= kMinorMarks; ++k)
            if (onScale(row + k * minor))
                dc.Line(p.right, row + k * minor, p.right + kMinorMark, row + k * minor);
    }
    if (!showLeftAxis) return;
    const int rows = std::min(p.Height() / CellOrDefault(cellMaxY), yTicks.count);
    for (int i = 0; i < rows; ++i) {
        const int row = yTicks.positions[i];
        dc.Line(p.left, row, p.left - kMajorMark, row);
        for (int k = 1; minor != 0 && k <= kMinorMarks; ++k)
            if (onScale(row + k * minor))
                dc.Line(p.left, row + k * minor, p.left - kMinorMark, row + k * minor);
    }
    for (int k = 1; minor != 0 && k <= kMinorMarks; ++k)
        dc.Line(p.left, p.top + k * minor, p.left - kMinorMark, p.top + k * minor);
}

void CZentriStockView::PaintVerticalGrid(CDC& dc) {
    const CRect& p = plotRect;
    dc.SelectPen(SPen{gridPenStyle, 1, frameColour});
    ComputeXTicks();
    if (showVerticalGrid)
        for (int i = 0; i < xTicks.count; ++i)
            dc.Line(xTicks.positions[i], p.top, xTicks.positions[i], p.bottom);

    dc.SelectPen(SPen{kPenSolid, 1, frameColour});
    for (int i = 0; i < xTicks.count; ++i)
        dc.Line(xTicks.positions[i], p.bottom, xTicks.positions[i], p.bottom + kMajorMark);
    if (!(xCount >= 1.0f) || p.Width() < 1) return;
    for (int i = static_cast<int>(xMin); i < static_cast<int>(xMax); ++i) {
        const int x = BarToX(static_cast<float>(i));
        dc.Line(x, p.bottom, x, p.bottom + kMinorMark);
    }
}

void CZentriStockView::PaintRightLabels(CDC& dc) {
    dc.SelectFont(axisFont);
    dc.SetTextColor(axisTextColour);
    for (int i = 0; i < yTicks.count; ++i)
        dc.TextOut(plotRect.right + kLabelGap, yTicks.positions[i] - AxisHeight() / 2,
                   FormatAxisLabel(yTicks.values[i]));
}

void CZentriStockView::PaintLeftLabels(CDC& dc) {
    dc.SelectFont(axisFont);
    dc.SetTextColor(leftTextColour);
    for (int i = 0; i < yTicks.count; ++i) {
        const int row = yTicks.positions[i];
        dc.TextOut(2, row - AxisHeight() / 2, FormatAxisLabel(YToValue2(row)));
    }
}

void CZentriStockView::PaintDateLabels(CDC& dc) {
    dc.SelectFont(axisFont);
    dc.SetTextColor(axisTextColour);
    const std::string format = PaneTexts::DateFormat();
    const auto& bars = m_stock.Display();
    for (int i = 0; i < xTicks.count; ++i) {
        const int x = xTicks.positions[i];
        const int bar = XToBar(x);
        // A labelled slot past either end of the series has no date.
        if (bar < 0 || bar >= static_cast<int>(bars.size())) continue;
        dc.TextOut(x - 2 * AxisCharWidth(), plotRect.bottom + kLabelGap,
                   PaneTexts::FormatDate(bars[bar].date, format));
    }
}

void CZentriStockView::PaintTitleButton(CDC& dc) {
    if (!layoutValid) {
        const CTCurve* pane = Pane();
        const std::string name = paneIndex == 0 || !pane ? m_stock.SymbolName() : pane->paneName;
        m_titleButtonText = name;
        const int lh = LabelHeight();
        const int width = (static_cast<int>(name.size()) + 2) * lh;
        m_titleButton = CRect{1, 1, 1 + width, 1 + margin + lh};
    }
    LOGFONT bold = labelFont;
    bold.lfWeight = 700;
    // On paper the title is plain text in the button's place: nothing there to click.
    if (!dc.IsPrinting()) {
        dc.SelectPen(SPen{kPenSolid, 1, kButtonShadow});
        dc.SelectBrush(SBrush{backgroundColour});
        dc.Rectangle(m_titleButton);
    }
    dc.SelectFont(bold);
    dc.SetTextColor(titleColour);
    const CSize extent = dc.GetTextExtent(m_titleButtonText);
    dc.TextOut(m_titleButton.left + (m_titleButton.Width() - extent.cx) / 2,
               m_titleButton.top + (m_titleButton.Height() - extent.cy) / 2, m_titleButtonText);
}

void CZentriStockView::PaintCurveTitles(CDC& dc, int x, int y) {
    CTCurve* pane = Pane();
    if (!pane) return;
    LOGFONT normal = labelFont;
    normal.lfWeight = 400;
    dc.SelectFont(normal);
    const int gap = std::max(1, FontPixels(labelFont.lfWidth));
    for (const auto* list : {&pane->Curves(), &pane->SecondCurves()}) {
        for (const auto& curve : *list) {
            const std::string text = PaneTexts::CurveTitle(curve->name, curve->parameter,
                                                           LastValue(*curve, xFirst, xEnd));
            dc.SetTextColor(curve->colour);
            dc.TextOut(x, y, text);
            x += dc.GetTextExtent(text).cx + gap;
        }
    }
}

void CZentriStockView::PaintTitle(CDC& dc) {
    PaintTitleButton(dc);
    const int besideButton = m_titleButton.Width() + 10;
    if (paneIndex != 0) {
        PaintCurveTitles(dc, besideButton, margin);
        return;
    }
    const auto& bars = m_stock.Display();
    const int last = std::min(xEnd, static_cast<int>(bars.size())) - 1;
    if (last >= 0) {
        const SQuote& bar = bars[last];
        LOGFONT normal = labelFont;
        normal.lfWeight = 400;
        dc.SelectFont(normal);
        dc.SetTextColor(bar.close >= bar.open ? m_stock.Colour(3) : m_stock.Colour(4));
        dc.TextOut(besideButton, margin, PaneTexts::FormatTitle(bar));
    }
    if (!oneLineTitle) PaintCurveTitles(dc, plotRect.left, margin + LabelHeight());
}

void CZentriStockView::PaintShadowEdge(CDC& dc) {
    // The edge sets a pane off on screen; on paper it would print as a stray line.
    if (dc.IsPrinting()) return;
    dc.SelectPen(SPen{kPenSolid, 1, kButtonShadow});
    const CRect& c = clientRect;
    dc.MoveTo(c.right - 1, c.top);
    dc.LineTo(c.right - 1, c.bottom - 1);
    dc.LineTo(c.left - 1, c.bottom - 1);
}
