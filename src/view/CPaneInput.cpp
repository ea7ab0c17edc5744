#include "CPaneInput.h"
#include "CElementTracker.h"
#include "CZentriStockView.h"
#include "PaneTexts.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "quotes/CStock.h"
#include "tools/CHorizontal.h"
#include "tools/CIco.h"
#include "tools/CText.h"
#include "tools/CVertical.h"
#include "tools/ElementPeriod.h"
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kNotch = 120;
// A two-anchor tool released closer than this to its press has no size to see or pick.
constexpr int kMinimumDrag = 3;
constexpr int kFewestZoomedBars = 10;
constexpr float kScaleStepPerPixel = 0.01f;
constexpr float kSmallestRangeShare = 0.01f;

bool OneAnchorTool(int code) {
    return code == CHorizontal::kTypeCode || code == CVertical::kTypeCode ||
           code == CText::kTypeCode ||
           (code >= CIco::kFirstToolCode && code < CIco::kFirstToolCode + CIco::kIconCount);
}

SPaneMapping MappingOf(const CZentriStockView& view) {
    return SPaneMapping{view.plotRect, view.xMin,   view.xCount,
                        view.yMin,     view.yRange, view.logScale};
}
} // namespace

CPaneInput::CPaneInput(CZentriStockView& view, CElementTracker& tracker)
    : m_view(view), m_tracker(tracker) {}

void CPaneInput::PrepareTracker() const {
    m_tracker.SetPane(m_view.Pane());
    m_tracker.SetSeries(&m_view.Stock(), m_view.paneIndex);
    m_tracker.SetPeriod(ElementPeriod(m_view.Stock()));
    m_tracker.SetBackground(m_view.backgroundColour);
}

void CPaneInput::ReadOut(int x, int y, SInputResult& result) const {
    result.readOut = true;
    if (!m_view.plotRect.Contains(x, y)) return;
    char value[64];
    std::snprintf(value, sizeof value, "%.2f", double{m_view.YToValue(y)});
    result.statusValue = value;
    const int bar = m_view.XToBar(x);
    const auto& bars = m_view.Stock().Display();
    if (bar >= 0 && bar < static_cast<int>(bars.size()))
        result.statusDate = PaneTexts::FormatDate(bars[bar].date, PaneTexts::DateFormat());
}

// ---- Left button -----------------------------------------------------------------------

SInputResult CPaneInput::Press(int x, int y) {
    SInputResult result;
    PrepareTracker();
    m_downX = m_pressX = x;
    m_downY = m_pressY = y;
    m_dateRemainder = 0;
    m_firstBefore = m_view.Stock().SavedFirst();
    m_endBefore = m_view.Stock().SavedEnd();
    m_yMaxBefore = m_view.yMax;
    m_yMinBefore = m_view.yMin;
    m_manualBefore = m_view.manualYScale;
    if (m_view.xAxisStrip.Contains(x, y))
        m_origin = EOrigin::DateStrip;
    else if (m_view.yAxisStrip.Contains(x, y))
        m_origin = EOrigin::ValueStrip;
    else
        m_origin = EOrigin::Plot;

    const int armed = m_tracker.ArmedTool();
    m_tracker.Hover(x, y);
    const CElementTracker::EDown down = m_tracker.MouseDown(x, y, MappingOf(m_view));
    CSymbol* selected = m_tracker.Selected();
    m_created = nullptr;
    m_dragged = nullptr;
    m_draggedRecord.clear();
    if (down == CElementTracker::kCreated || down == CElementTracker::kCreatedText) {
        m_created = selected;
        m_createdTwoAnchor = !OneAnchorTool(armed);
    } else if (selected && selected->tracking) {
        // Kept so that Escape can put the element back where the drag began.
        CArchiveWriter record;
        selected->Write(record);
        m_dragged = selected;
        m_draggedRecord = record.Bytes();
    }
    result.textPlaced = down == CElementTracker::kCreatedText;
    result.redrawAll = true;
    ReadOut(x, y, result);
    result.cursor = CursorAt(x, y);
    return result;
}

SInputResult CPaneInput::Move(int x, int y, bool leftDown, bool ctrl) {
    SInputResult result;
    PrepareTracker();
    const bool inside = m_view.plotRect.Contains(x, y);
    const int bar = m_view.XToBar(x);
    if (inside && bar != m_lastReportedBar) {
        m_lastReportedBar = bar;
        result.barEntered = true;
        result.bar = bar;
    }
    ReadOut(x, y, result);
    // A release the pane never saw (the button came up elsewhere) ends the drag here.
    if (!leftDown && m_origin != EOrigin::None) result.redrawAll = Release(x, y).redrawAll;
    switch (m_origin) {
    case EOrigin::None:
        break;
    case EOrigin::DateStrip:
        DragDates(x, y, result);
        break;
    case EOrigin::ValueStrip:
        DragValues(x, y, ctrl, result);
        break;
    case EOrigin::Plot:
        if (m_tracker.MouseMove(x, y, MappingOf(m_view))) result.redrawPane = true;
        break;
    }
    result.cursor = CursorAt(x, y);
    return result;
}

void CPaneInput::DragDates(int x, int y, SInputResult& result) {
    CStock& stock = m_view.Stock();
    const int w = m_view.plotRect.Width();
    const float slots = static_cast<float>(stock.SavedEnd() - stock.SavedFirst());
    if (w <= 0 || !(slots > 0.0f)) return;
    // The date grabbed stays under the mouse: a drag to the right brings earlier bars in.
    const float moved = static_cast<float>(x - m_downX) * slots / static_cast<float>(w);
    const float total = moved + m_dateRemainder;
    const int whole = static_cast<int>(total);
    m_dateRemainder = total - static_cast<float>(whole);
    m_downX = x;
    m_downY = y;
    if (whole == 0) return;
    stock.ShiftWindow(-whole, -whole, m_view.CurveFloating());
    m_view.ClearManualYScale();
    m_view.RelayoutAll();
    result.redrawAll = true;
}

void CPaneInput::DragValues(int x, int y, bool ctrl, SInputResult& result) {
    const float d = static_cast<float>(y - m_downY) * m_view.yRange * kScaleStepPerPixel;
    float max = m_view.yMax;
    float min = m_view.yMin;
    if (ctrl)
        min += d;
    else
        max += d;
    // The range stops at a hundredth of what it was before the drag, never at zero or below.
    const float smallest = (m_yMaxBefore - m_yMinBefore) * kSmallestRangeShare;
    if (!(max - min >= smallest)) {
        if (ctrl)
            min = max - smallest;
        else
            max = min + smallest;
    }
    m_view.SetManualYScale(max, min);
    m_downX = x;
    m_downY = y;
    result.redrawPane = true;
}

SInputResult CPaneInput::Release(int x, int y) {
    SInputResult result;
    if (m_origin == EOrigin::None) return result;
    PrepareTracker();
    m_tracker.MouseUp(x, y, MappingOf(m_view));
    const bool still =
        std::abs(x - m_pressX) < kMinimumDrag && std::abs(y - m_pressY) < kMinimumDrag;
    if (m_created && m_createdTwoAnchor && still && m_tracker.Selected() == m_created)
        m_tracker.RemoveSelected();
    EndPress();
    result.redrawAll = true;
    ReadOut(x, y, result);
    result.cursor = CursorAt(x, y);
    return result;
}

void CPaneInput::EndPress() {
    m_origin = EOrigin::None;
    m_dateRemainder = 0;
    m_created = nullptr;
    m_dragged = nullptr;
    m_draggedRecord.clear();
}

SInputResult CPaneInput::DoubleClick(int x, int y) {
    SInputResult result;
    PrepareTracker();
    CSymbol* selected = m_tracker.Selected();
    if (selected && selected->HitTest(x, y) != 0)
        result.open = SInputResult::EOpen::Properties;
    else if (m_view.xAxisStrip.Contains(x, y))
        result.open = SInputResult::EOpen::WindowSettings;
    else if (m_view.yAxisStrip.Contains(x, y))
        result.open = SInputResult::EOpen::YScale;
    result.cursor = CursorAt(x, y);
    return result;
}

SInputResult CPaneInput::Leave() {
    m_lastReportedBar = -1;
    SInputResult result;
    result.readOut = true;
    return result;
}

// ---- Wheel and keys --------------------------------------------------------------------

SInputResult CPaneInput::Wheel(int angleDelta, int x, int y, bool shift, bool ctrl) {
    SInputResult result;
    m_wheelRemainder += angleDelta;
    while (std::abs(m_wheelRemainder) >= kNotch) {
        const int notch = m_wheelRemainder > 0 ? kNotch : -kNotch;
        m_wheelRemainder -= notch;
        m_view.OnMouseWheel(notch, shift, ctrl);
        result.redrawAll = true;
    }
    result.cursor = CursorAt(x, y);
    return result;
}

SInputResult CPaneInput::Key(EKey key, const std::string& text, bool ctrl) {
    SInputResult result;
    PrepareTracker();
    switch (key) {
    case EKey::Right:
    case EKey::Left:
    case EKey::Up:
    case EKey::Down:
        // With Ctrl the arrows are menu shortcuts, handled as commands.
        if (!ctrl) ArrowKey(key, result);
        break;
    case EKey::Delete:
        if (m_tracker.RemoveSelected()) {
            m_created = m_dragged = nullptr;
            m_draggedRecord.clear();
        }
        break;
    case EKey::Escape:
        Escape(result);
        break;
    case EKey::Other:
        if (!ctrl && text.size() == 1) {
            const unsigned char c = static_cast<unsigned char>(text[0]);
            if (c < 128 && (std::isalnum(c) || c == '^')) {
                result.symbolKey = true;
                result.typed = static_cast<char>(c);
            }
        }
        break;
    }
    result.redrawAll = true;
    return result;
}

void CPaneInput::ArrowKey(EKey key, SInputResult& result) {
    CStock& stock = m_view.Stock();
    const bool floating = m_view.CurveFloating();
    switch (key) {
    case EKey::Right:
        stock.ShiftWindow(1, 1, floating);
        break;
    case EKey::Left:
        stock.ShiftWindow(-1, -1, floating);
        break;
    case EKey::Up:
        if (stock.SavedEnd() - stock.SavedFirst() > kFewestZoomedBars)
            stock.ShiftWindow(1, 0, floating);
        break;
    case EKey::Down:
        stock.ShiftWindow(-1, 1, floating);
        break;
    default:
        return;
    }
    m_view.RelayoutAll();
    result.redrawAll = true;
}

void CPaneInput::Escape(SInputResult& result) {
    if (m_origin == EOrigin::None) {
        m_tracker.Disarm();
        return;
    }
    const EOrigin origin = m_origin;
    PrepareTracker();
    CSymbol* selected = m_tracker.Selected();
    const bool placing = m_created && selected == m_created;
    const bool restore = m_dragged && selected == m_dragged;
    // The tracker ends the press where it began; the tool stays armed only when that was
    // outside the plot.
    m_tracker.MouseUp(m_pressX, m_pressY, MappingOf(m_view));
    m_tracker.Disarm();
    if (placing) {
        m_tracker.RemoveSelected();
    } else if (restore) {
        CArchiveReader record(m_draggedRecord);
        selected->Read(record);
        selected->EndTracking();
    } else if (origin == EOrigin::ValueStrip) {
        m_view.SetManualYScale(m_yMaxBefore, m_yMinBefore);
        if (!m_manualBefore) m_view.ClearManualYScale();
    } else if (origin == EOrigin::DateStrip) {
        CStock& stock = m_view.Stock();
        stock.ShiftWindow(m_firstBefore - stock.SavedFirst(), m_endBefore - stock.SavedEnd(),
                          m_view.CurveFloating());
        m_view.RelayoutAll();
    }
    EndPress();
    result.redrawAll = true;
}

// ---- Cursor ----------------------------------------------------------------------------

ECursor CPaneInput::CursorOfHit(int hitCode, float x1, float y1, float x2, float y2) {
    switch (hitCode) {
    case 1:
        return ECursor::PointElement;
    case 2:
        return ECursor::Move;
    case 3:
    case 4:
        return ECursor::EndPoint;
    case 5:
    case 6:
        // Corners (x1, y2) and (x2, y1) lie on one diagonal; values grow upwards.
        return (x1 - x2) * (y1 - y2) >= 0 ? ECursor::CornerNwse : ECursor::CornerNesw;
    case 7:
        return ECursor::PriceSeries;
    case 8:
        return ECursor::Curve;
    default:
        return ECursor::Chart;
    }
}

ECursor CPaneInput::CursorAt(int x, int y) const {
    // An axis drag keeps its cursor wherever the mouse goes.
    if (m_origin == EOrigin::DateStrip) return ECursor::DateAxis;
    if (m_origin == EOrigin::ValueStrip) return ECursor::ValueAxis;
    if (m_view.xAxisStrip.Contains(x, y)) return ECursor::DateAxis;
    if (m_view.yAxisStrip.Contains(x, y)) return ECursor::ValueAxis;
    PrepareTracker();
    if (m_tracker.ArmedTool())
        return m_view.plotRect.Contains(x, y) ? ECursor::Draw : ECursor::Chart;
    // While the button is down the element being dragged keeps the cursor of its part.
    if (m_tracker.ButtonDown()) {
        const CSymbol* dragged = m_tracker.Selected();
        if (!dragged || !dragged->tracking) return ECursor::Chart;
        return CursorOfHit(dragged->hitState, dragged->x1, dragged->y1, dragged->x2, dragged->y2);
    }
    const int code = m_tracker.Hover(x, y);
    const CSymbol* hot = m_tracker.Hot();
    // The price series and curves are hit without being listed elements.
    if (!hot) return CursorOfHit(code, 0, 0, 0, 0);
    return CursorOfHit(code, hot->x1, hot->y1, hot->x2, hot->y2);
}
