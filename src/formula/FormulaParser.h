#pragma once
#include "CFormula.h"
#include "SFormulaToken.h"
#include <optional>
#include <string_view>
#include <vector>

// Recursive descent over the tokens of one formula text. Precedence from loosest: OR, AND,
// NOT, comparisons, + -, * /, unary minus. Constant subtrees are folded to numbers.
class FormulaParser {
public:
    explicit FormulaParser(std::string_view text) : m_text(text) {}
    std::optional<CFormula> Parse(SFormulaError& error);

private:
    struct SFailure {
        SFormulaError error;
    };

    [[noreturn]] void Fail(const SFormulaToken& at, const std::string& message) const;
    [[noreturn]] void Expected(const std::string& what) const;
    const SFormulaToken& Token(std::size_t ahead = 0) const;
    void Advance() {
        if (m_at + 1 < m_tokens.size()) ++m_at;
    }
    bool IsWord(const char* word) const;
    void Enter(const SFormulaToken& at);

    void ParseStatement(CFormula& formula);
    static void MarkLastReaders(CFormula& formula);
    FormulaNodePtr ParseOr();
    FormulaNodePtr ParseAnd();
    FormulaNodePtr ParseNot();
    FormulaNodePtr ParseComparison();
    FormulaNodePtr ParseSum();
    FormulaNodePtr ParseProduct();
    FormulaNodePtr ParseUnary();
    FormulaNodePtr ParsePrimary();
    FormulaNodePtr ParseCall(const SFormulaToken& name);

    FormulaNodePtr Binary(EFormulaToken op, FormulaNodePtr left, FormulaNodePtr right,
                          const SFormulaToken& at) const;
    FormulaNodePtr Unary(EFormulaNode kind, FormulaNodePtr operand, const SFormulaToken& at) const;
    void CheckHeight(SFormulaNode& node, const SFormulaToken& at) const;

    std::string_view m_text;
    std::vector<SFormulaToken> m_tokens;
    std::size_t m_at = 0;
    int m_depth = 0;
    const CFormula* m_formula = nullptr;
};
