#pragma once
#include "SFormulaError.h"
#include "SFormulaNode.h"
#include "quotes/CBarColumns.h"
#include "series/CCurve.h"
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One shown output of an evaluated formula: its name and its curve, one value per bar.
struct SFormulaOutput {
    std::string name;
    CurvePtr curve;
};

// A user formula: statements over the series library, one per line or ";", each an
// expression, named "NAME: expr" (shown) or "NAME := expr" (used by later statements only);
// an unnamed statement is shown under its own text. A formula exists only as parsed: it has
// no loops and reads nothing but the bars it is given.
class CFormula {
public:
    // Bounds that keep a hostile text from exhausting the stack or the memory.
    static constexpr std::size_t kMaxLength = 65536;
    static constexpr std::size_t kMaxStatements = 100;
    static constexpr int kMaxNesting = 100;
    static constexpr int kMaxHeight = 256;

    struct SStatement {
        std::string name;
        bool shown = true;
        FormulaNodePtr expression;
    };

    // The formula of `text`, or nothing with the first fault in `error`.
    static std::optional<CFormula> Parse(std::string_view text, SFormulaError& error);

    // The names of the shown outputs in formula order.
    std::vector<std::string> OutputNames() const;
    // The shown outputs over `quotes`, each curve named after its output.
    std::vector<SFormulaOutput> Evaluate(const CBarColumns& quotes) const;

    const std::vector<SStatement>& Statements() const { return m_statements; }

private:
    friend class FormulaParser;
    CFormula() = default;

    std::vector<SStatement> m_statements;
};
