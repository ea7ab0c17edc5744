#include "ChartJson.h"
#include "JsonText.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "tools/CArrow.h"
#include "tools/CCycle.h"
#include "tools/CEllipse.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CGChannel.h"
#include "tools/CGannFan.h"
#include "tools/CGannLine.h"
#include "tools/CHorizontal.h"
#include "tools/CIco.h"
#include "tools/CLineReg.h"
#include "tools/CSpeed.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include "tools/CVertical.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>

namespace {

// Builds one JSON object; fields are written in the order they are added.
class CJsonObject {
public:
    CJsonObject& Raw(const char* key, const std::string& json) {
        m_text += m_text.empty() ? '{' : ',';
        m_text += JsonString(key);
        m_text += ':';
        m_text += json;
        return *this;
    }
    CJsonObject& Int(const char* key, long long value) { return Raw(key, std::to_string(value)); }
    CJsonObject& Float(const char* key, float value) { return Raw(key, JsonNumber(value)); }
    CJsonObject& Text(const char* key, const std::string& value) {
        return Raw(key, JsonString(value));
    }
    std::string Done() const { return m_text.empty() ? "{}" : m_text + "}"; }

private:
    std::string m_text;
};

template <typename T, typename F> std::string Array(const T& items, F&& each) {
    std::string out = "[";
    bool first = true;
    for (const auto& item : items) {
        if (!first) out += ",";
        first = false;
        out += each(item);
    }
    return out + "]";
}

std::string Hex(std::span<const uint8_t> bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out + "\"";
}

std::string FloatArray(const std::vector<float>& values) {
    return Array(values, [](float v) { return JsonNumber(v); });
}

std::string FontJson(const LOGFONT& font) {
    return CJsonObject()
        .Int("height", font.lfHeight)
        .Int("width", font.lfWidth)
        .Int("weight", font.lfWeight)
        .Int("italic", font.lfItalic)
        .Text("face",
              std::string(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName)))
        .Done();
}

std::string PointJson(const SPoint& point) {
    return CJsonObject().Int("x", point.x).Int("y", point.y).Done();
}

std::string ViewParJson(const CViewPar& par) {
    return CJsonObject()
        .Int("frameColour", par.frameColour)
        .Int("backgroundColour", par.backgroundColour)
        .Int("titleColour", par.titleColour)
        .Int("axisTextColour", par.axisTextColour)
        .Int("gridPenStyle", par.gridPenStyle)
        .Int("cellMaxX", par.cellMaxX)
        .Int("cellMaxY", par.cellMaxY)
        .Int("showVerticalGrid", par.showVerticalGrid)
        .Int("showHorizontalGrid", par.showHorizontalGrid)
        .Raw("labelFont", FontJson(par.labelFont))
        .Raw("axisFont", FontJson(par.axisFont))
        .Raw("identifiers",
             Array(par.identifiers, [](const std::string& s) { return JsonString(s); }))
        .Raw("flagBytes", Hex(par.flagBytes))
        .Done();
}

void SymbolFields(CJsonObject& json, const CSymbol& e) {
    json.Int("plotBottom", e.plotBottom)
        .Int("hitState", e.hitState)
        .Int("plotHeight", e.plotHeight)
        .Int("plotLeft", e.plotLeft)
        .Int("moving", e.moving)
        .Int("selected", e.selected)
        .Int("tracking", e.tracking)
        .Float("endIndex", e.endIndex)
        .Float("yMax", e.yMax)
        .Float("firstIndex", e.firstIndex)
        .Float("yMin", e.yMin)
        .Float("indexCount", e.indexCount)
        .Float("yRange", e.yRange)
        .Raw("grabPoint", PointJson(e.grabPoint))
        .Float("x1", e.x1)
        .Float("y1", e.y1)
        .Float("x2", e.x2)
        .Float("y2", e.y2)
        .Text("name", e.name)
        .Int("plotRight", e.plotRight)
        .Int("plotTop", e.plotTop)
        .Int("plotWidth", e.plotWidth)
        .Int("placed", e.placed)
        .Int("period", e.Period())
        .Raw("block1", Hex(e.block1))
        .Raw("block2", Hex(e.block2));
}

void LineFields(CJsonObject& json, const CLine& line) {
    json.Int("extendLeft", line.extendLeft)
        .Int("extendRight", line.extendRight)
        .Int("snapToPrice", line.snapToPrice)
        .Int("color", line.color)
        .Int("lineStyle", line.lineStyle)
        .Int("lineWidth", line.lineWidth)
        .Text("snapField", line.snapField)
        .Raw("block3", Hex(line.block3));
}

void ChannelFields(CJsonObject& json, int lower, int upper, float x4, float y4, float x3,
                   float y3) {
    json.Int("lowerShown", lower).Int("upperShown", upper).Float("x4", x4).Float("y4", y4);
    json.Float("x3", x3).Float("y3", y3);
}

// The fields a tool adds after the line record, in record order.
void ToolFields(CJsonObject& json, const CSymbol& e) {
    if (auto* t = dynamic_cast<const CArrow*>(&e))
        json.Int("headFlag", t->headFlag)
            .Float("headFactor", t->headFactor)
            .Int("headLength", t->headLength);
    else if (auto* t = dynamic_cast<const CCycle*>(&e))
        json.Int("cycleCount", t->cycleCount);
    else if (auto* t = dynamic_cast<const CFiboArc*>(&e))
        json.Float("ratio", t->ratio);
    else if (auto* t = dynamic_cast<const CFiboFan*>(&e))
        json.Float("ratio", t->ratio).Raw("fanPoints", Array(t->fanPoints, PointJson));
    else if (auto* t = dynamic_cast<const CFiboRetrace*>(&e))
        json.Int("labelColour", t->labelColour)
            .Raw("labelFont", FontJson(t->labelFont))
            .Raw("levels", Array(t->levels, [](const CFiboRetrace::SLevel& level) {
                     return CJsonObject()
                         .Int("shown", level.shown)
                         .Float("ratio", level.ratio)
                         .Done();
                 }));
    else if (auto* t = dynamic_cast<const CFiboTime*>(&e))
        json.Int("zoneCount", t->zoneCount).Raw("offsets", Array(t->offsets, [](uint32_t v) {
                                                    return std::to_string(v);
                                                }));
    else if (auto* t = dynamic_cast<const CGannFan*>(&e))
        json.Raw("endPoints", Array(t->endPoints, PointJson));
    else if (auto* t = dynamic_cast<const CSpeed*>(&e))
        json.Raw("endPoints", Array(t->endPoints, PointJson));
    else if (auto* t = dynamic_cast<const CTriangle*>(&e)) {
        ChannelFields(json, t->lowerShown, t->upperShown, t->x4, t->y4, t->x3, t->y3);
        json.Raw("channelBlock", Hex(t->channelBlock));
    } else if (auto* t = dynamic_cast<const CGChannel*>(&e))
        ChannelFields(json, t->lowerShown, t->upperShown, t->x4, t->y4, t->x3, t->y3);
    else if (auto* t = dynamic_cast<const CIco*>(&e))
        json.Int("iconNumber", t->iconNumber);
    else if (auto* t = dynamic_cast<const CLineReg*>(&e))
        json.Float("intercept", t->intercept).Float("slope", t->slope);
    else if (auto* t = dynamic_cast<const CText*>(&e))
        json.Int("textColour", t->textColour).Text("text", t->text).Raw("font", FontJson(t->font));
}

// The tool's own reserved block, for the classes that store one.
template <typename... Tools> const std::array<uint8_t, 256>* OwnBlockOf(const CSymbol& element) {
    const std::array<uint8_t, 256>* found = nullptr;
    ((found = found ? found
                    : (dynamic_cast<const Tools*>(&element)
                           ? &dynamic_cast<const Tools*>(&element)->ownBlock
                           : nullptr)),
     ...);
    return found;
}

std::string CurveRecord(const CCurve& curve) {
    CJsonObject json;
    SymbolFields(json, curve);
    return json.Int("colour", curve.colour)
        .Int("lineStyle", curve.lineStyle)
        .Int("extraColour1", curve.extraColour1)
        .Int("extraColour2", curve.extraColour2)
        .Int("secondLineSetting", curve.secondLineSetting)
        .Int("lineWidth", curve.lineWidth)
        .Int("drawKind", curve.drawKind)
        .Text("curveName", curve.name)
        .Text("parameter", curve.parameter)
        .Raw("values", FloatArray(curve.values))
        .Raw("block", Hex(curve.block))
        .Done();
}

std::string ElementRecord(const CSymbol& element) {
    if (auto* curve = dynamic_cast<const CCurve*>(&element)) return CurveRecord(*curve);
    CJsonObject json;
    SymbolFields(json, element);
    if (auto* flag = dynamic_cast<const CTradeFlag*>(&element)) {
        json.Raw("values", FloatArray(flag->values))
            .Int("direction", flag->direction)
            .Int("colour", flag->colour)
            .Int("secondColour", flag->secondColour)
            .Int("symbol", flag->symbol)
            .Text("text", flag->text)
            .Raw("font", FontJson(flag->font))
            .Raw("block", Hex(flag->block));
    } else if (auto* line = dynamic_cast<const CLine*>(&element)) {
        LineFields(json, *line);
        ToolFields(json, element);
        const auto* own =
            OwnBlockOf<CArrow, CCycle, CEllipse, CFiboArc, CFiboFan, CFiboRetrace, CFiboTime,
                       CGannFan, CGannLine, CHorizontal, CSpeed, CText, CTriangle, CVertical>(
                element);
        // A channel's own block is its channel block; a triangle has one after that.
        if (auto* channel = dynamic_cast<const CGChannel*>(&element); channel && !own)
            own = &channel->channelBlock;
        if (own) json.Raw("ownBlock", Hex(*own));
    }
    return json.Done();
}

std::string CurveList(const std::vector<std::unique_ptr<CCurve>>& curves) {
    return Array(curves, [](const std::unique_ptr<CCurve>& c) { return CurveRecord(*c); });
}

std::string PaneJson(const CTCurve& pane) {
    return CJsonObject()
        .Int("paneSetting", pane.paneSetting)
        .Int("windowFirst", pane.WindowFirst())
        .Int("windowEnd", pane.WindowEnd())
        .Float("secondRangeMax", pane.SecondRangeMax())
        .Float("secondRangeMin", pane.SecondRangeMin())
        .Float("rangeMax", pane.RangeMax())
        .Float("rangeMin", pane.RangeMin())
        .Text("secondName", pane.secondName)
        .Text("paneName", pane.paneName)
        .Raw("curves", CurveList(pane.Curves()))
        .Raw("secondCurves", CurveList(pane.SecondCurves()))
        .Raw("floats", FloatArray(pane.floats))
        .Raw("elements", Array(pane.Elements(),
                               [](const std::unique_ptr<CSymbol>& e) {
                                   return CJsonObject()
                                       .Int("typeCode", e->TypeCode())
                                       .Raw("record", ElementRecord(*e))
                                       .Done();
                               }))
        .Done();
}

std::string QuotesJson(const std::vector<SQuote>& quotes) {
    return Array(quotes, [](const SQuote& q) {
        return CJsonObject()
            .Int("date", q.date)
            .Float("open", q.open)
            .Float("high", q.high)
            .Float("low", q.low)
            .Float("close", q.close)
            .Float("volume", q.volume)
            .Done();
    });
}

std::string ColoursJson(const std::array<uint32_t, 5>& colours) {
    return Array(colours, [](uint32_t c) { return std::to_string(c); });
}
} // namespace

std::string ChartJson(CStock& stock) {
    std::array<uint32_t, 5> colours{};
    for (int number = 1; number <= 5; ++number) colours[number - 1] = stock.Colour(number);
    std::vector<const CViewPar*> pars;
    for (int pane = 0; pane < CStock::kViewParCount; ++pane) pars.push_back(&stock.ViewPar(pane));
    std::vector<const CTCurve*> panes;
    if (CStockPanes* host = CStockPanes::Of(stock))
        for (int number = 0; number < stock.PaneCount(); ++number)
            if (const CTCurve* pane = host->Pane(number)) panes.push_back(pane);
    return CJsonObject()
        .Int("paneCount", stock.PaneCount())
        .Int("priceStyle", stock.ViewSwitchA())
        .Int("penStyle", stock.ViewSwitchD())
        .Int("lineWeight", stock.ViewSwitchC())
        .Raw("colours", ColoursJson(colours))
        .Raw("viewPars", Array(pars, [](const CViewPar* p) { return ViewParJson(*p); }))
        .Int("exportOnClose", stock.ExportOnClose() ? 1 : 0)
        .Int("disDayNum", stock.BarsInWindow())
        .Int("disPeriod", stock.MaximumQuotes())
        .Int("nDays", stock.NDays())
        .Int("period", stock.Period())
        .Int("windowFirst", stock.WindowFirst())
        .Int("windowEnd", stock.WindowEnd())
        .Float("visibleHigh", stock.VisibleHigh())
        .Float("visibleLow", stock.VisibleLow())
        .Text("quoteFilePath", stock.QuoteFilePath())
        .Text("symbol", stock.SymbolName())
        .Text("market", stock.Market())
        .Text("spareText", stock.SpareText())
        .Raw("base", QuotesJson(stock.Base()))
        .Raw("display", QuotesJson(stock.Display()))
        .Raw("panes", Array(panes, [](const CTCurve* p) { return PaneJson(*p); }))
        .Raw("flagBytes", Hex(stock.FlagBytes()))
        .Done();
}

std::string TemplateJson(const CChartTemplate& t) {
    return CJsonObject()
        .Int("paneCount", t.paneCount)
        .Int("priceStyle", t.priceStyle)
        .Int("penStyle", t.penStyle)
        .Int("lineWeight", t.lineWeight)
        .Raw("colours", ColoursJson(t.colours))
        .Raw("flagBytes", Hex(t.flagBytes))
        .Raw("viewPars", Array(t.viewPars, ViewParJson))
        .Done();
}
