// libFuzzer target: the input is a formula text. It is parsed; a formula that parses is
// evaluated over a fixed series of 40 bars and every output must hold one value per bar; a
// text that does not parse must say where and why.
#include "formula/CFormula.h"
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
const CBarColumns& Bars() {
    static const CBarColumns bars = [] {
        std::vector<SQuote> quotes(40);
        for (std::size_t i = 0; i < quotes.size(); ++i) {
            const float c = 20.0f + float(i * 7 % 13) - float(i % 4);
            quotes[i].open = c - 0.5f;
            quotes[i].high = c + 1.0f;
            quotes[i].low = c - 1.5f;
            quotes[i].close = c;
            quotes[i].volume = float(1000 + i * 37 % 500);
        }
        return CBarColumns(quotes);
    }();
    return bars;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SFormulaError error;
    const auto formula = CFormula::Parse(text, error);
    if (!formula) {
        if (error.line < 1 || error.column < 1 || error.message.empty()) std::abort();
        return 0;
    }
    const auto outputs = formula->Evaluate(Bars());
    if (outputs.size() != formula->OutputNames().size()) std::abort();
    for (const SFormulaOutput& out : outputs)
        if (!out.curve || out.curve->size() != Bars().size()) std::abort();
    return 0;
}
