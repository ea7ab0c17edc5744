#include "FormulaTestSupport.h"
#include <string>

namespace {

std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

struct SBadFormula {
    std::string text;
    std::string error;
};

TEST(FormulaParserTest, FaultsNameLineColumnAndWhatWasExpected) {
    const SBadFormula cases[] = {
        {"MA(C,5", "line 1, column 7: expected ',' or ')', found the end of the formula"},
        {"A: (C+1;", "line 1, column 8: expected ')', found ';'"},
        {"A: C+\nB: C", "line 1, column 6: expected a number, a name or '(', found the end of "
                        "the line"},
        {"A: C;\nB: FOO(C)", "line 2, column 4: unknown function \"FOO\""},
        {"A: C;\n  B: foo + 1", "line 2, column 6: unknown name \"FOO\""},
        {"B: A+1;\nA: C", "line 1, column 4: unknown name \"A\""},
        {"MA(C)", "line 1, column 1: MA takes MA(series, whole number), not 1 argument"},
        {"X: MAX(C)", "line 1, column 4: MAX takes MAX(series, series) or MAX(series, series, "
                      "series), not 1 argument"},
        {"IF(C>O,1)", "line 1, column 1: IF takes IF(series, series, series), not 2 arguments"},
        {"MA(C,2.5)", "line 1, column 6: argument 2 of MA must be a whole number"},
        {"EMA(C, H)", "line 1, column 8: argument 2 of EMA must be a whole number"},
        {"SMA(C,3,1e)", "line 1, column 10: expected ',' or ')', found \"E\""},
        {"SAR(C,0.2)", "line 1, column 5: argument 1 of SAR must be a number"},
        {"REF(C,1/0)", "line 1, column 7: argument 2 of REF must be a whole number"},
        {"A: C;\nA: O", "line 2, column 1: \"A\" is already named"},
        {"MA: C", "line 1, column 1: \"MA\" is a word of the formula language, not an output name"},
        {"and := C", "line 1, column 1: \"AND\" is a word of the formula language, not an output "
                     "name"},
        {"C O", "line 1, column 3: expected an operator, ';' or the end of the line, found \"O\""},
        {"C # 1", "line 1, column 3: unexpected '#'"},
        {"C(1)", "line 1, column 1: unknown function \"C\""},
        {"MA + 1", "line 1, column 4: expected '(' after MA, found '+'"},
        {"C AND", "line 1, column 6: expected a number, a name or '(', found the end of the "
                  "formula"},
        {"C > OR O", "line 1, column 5: expected a number, a name or '(', found \"OR\""},
        {"", "line 1, column 1: expected a formula, found the end of the formula"},
        {" ;\n// only a note\n", "line 3, column 1: expected a formula, found the end of the "
                                 "formula"},
        {Repeated("(", 101) + "C" + Repeated(")", 101),
         "line 1, column 101: the formula nests deeper than 100 levels"},
        {Repeated("-", 101) + "C", "line 1, column 101: the formula nests deeper than 100 levels"},
        {"C" + Repeated("+C", 300),
         "line 1, column 512: the formula composes more than 256 operations in one expression"},
        {Repeated("C;", 101), "line 1, column 201: a formula holds at most 100 statements"},
        {std::string(CFormula::kMaxLength + 1, ' '),
         "line 1, column 1: the formula is longer than 65536 characters"},
    };
    for (const SBadFormula& c : cases) {
        SFormulaError error;
        EXPECT_FALSE(CFormula::Parse(c.text, error)) << c.text.substr(0, 40);
        EXPECT_EQ(error.Text(), c.error) << c.text.substr(0, 40);
    }
}

TEST(FormulaParserTest, StatementsKeepTheirNamesAndOnlyShownOnesAreOutputs) {
    SFormulaError error;
    const auto formula = CFormula::Parse(
        "dif: EMA(C,12)-EMA(C,26);\n// a note\nhidden := REF(C, 1)\n\n"
        "DEA: EMA(DIF, 9); CROSS(DIF, DEA)   \n C > hidden;",
        error);
    ASSERT_TRUE(formula) << error.Text();
    EXPECT_EQ(formula->OutputNames(),
              (std::vector<std::string>{"DIF", "DEA", "CROSS(DIF, DEA)", "C > hidden"}));
    EXPECT_EQ(formula->Statements().size(), 5u);
}

TEST(FormulaParserTest, ParenthesesAndLineEndsWithinThemAreTheFormulasOwn) {
    SFormulaError error;
    const auto formula =
        CFormula::Parse("A: MA(C,\n 5) + (H\n - L)\nB: A", error);
    ASSERT_TRUE(formula) << error.Text();
    EXPECT_EQ(formula->OutputNames(), (std::vector<std::string>{"A", "B"}));
}

} // namespace
