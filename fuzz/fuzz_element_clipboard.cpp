// libFuzzer target: the input is what another program may leave on the clipboard under our
// chart element type. Reading must refuse it with a reason or succeed without a crash and
// without allocating beyond what the bytes can hold; a record that was read must write the same
// bytes again, and its element must go onto a daily and a weekly chart with finite anchors.
#include "../src/app/CElementClipboard.h"
#include "element/CSymbol.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr int32_t kDay = 86400;
constexpr int32_t kMonday = 1767571200; // 2026-01-05

// Sixty trading days, in the period asked for.
CStock& Chart(int period) {
    static CStock* charts[2] = {};
    CStock*& chart = charts[period];
    if (!chart) {
        std::vector<SQuote> days;
        for (int day = 0; days.size() < 60; ++day) {
            if (day % 7 >= 5) continue;
            SQuote bar;
            bar.date = kMonday + day * kDay;
            bar.open = bar.high = bar.low = bar.close = 10;
            days.push_back(bar);
        }
        chart = new CStock(int64_t{kMonday});
        chart->SetSymbolName("IBM");
        chart->RestoreSeries(days, days);
        if (period == CStock::kPeriodWeek) chart->MakeWeekLine(false);
    }
    return *chart;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CElementClipboard record;
    const CFileResult read = CElementClipboard::Parse(bytes, record);
    if (!read) {
        if (read.message().empty() || record.TypeCode() != 0) std::abort();
        return 0;
    }
    if (record.Bytes() != bytes) std::abort();
    for (int period : {CStock::kPeriodDay, CStock::kPeriodWeek}) {
        std::unique_ptr<CSymbol> element = record.Recreate(Chart(period));
        if (!element || element->TypeCode() != record.TypeCode()) std::abort();
        element->MapBarIndices([](float x) {
            if (!std::isfinite(x)) std::abort();
            return x;
        });
        CTCurve pane;
        CElementClipboard::PlaceInPane(pane, std::move(element));
        if (pane.Elements().size() != 1) std::abort();
    }
    return 0;
}
