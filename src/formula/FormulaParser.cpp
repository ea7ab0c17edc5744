#include "FormulaParser.h"
#include "FormulaFunctions.h"
#include "FormulaLexer.h"
#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

struct SFieldName {
    const char* name;
    EFormulaField field;
};

constexpr SFieldName kFields[] = {
    {"C", EFormulaField::Close}, {"H", EFormulaField::High},   {"L", EFormulaField::Low},
    {"O", EFormulaField::Open},  {"V", EFormulaField::Volume},
};

const SFieldName* FindField(const std::string& name) {
    for (const SFieldName& f : kFields)
        if (name == f.name) return &f;
    return nullptr;
}

bool IsKeyword(const std::string& name) {
    return name == "AND" || name == "OR" || name == "NOT";
}

std::string Found(const SFormulaToken& token) {
    switch (token.kind) {
    case EFormulaToken::End: return "the end of the formula";
    case EFormulaToken::Separator: return token.text == "\n" ? "the end of the line" : "';'";
    case EFormulaToken::Name:
    case EFormulaToken::Number: return "\"" + token.text + "\"";
    default: return "'" + token.text + "'";
    }
}

bool IsComparison(EFormulaToken kind) {
    switch (kind) {
    case EFormulaToken::Greater:
    case EFormulaToken::GreaterEqual:
    case EFormulaToken::Less:
    case EFormulaToken::LessEqual:
    case EFormulaToken::Equal:
    case EFormulaToken::NotEqual: return true;
    default: return false;
    }
}

float Truth(bool holds) {
    return holds ? 1.0f : 0.0f;
}

// The value of op over two constants, in the floats the series would hold.
float Fold(EFormulaToken op, float a, float b) {
    switch (op) {
    case EFormulaToken::Plus: return a + b;
    case EFormulaToken::Minus: return a - b;
    case EFormulaToken::Star: return a * b;
    case EFormulaToken::Slash: return a / b;
    case EFormulaToken::Greater: return Truth(a > b);
    case EFormulaToken::GreaterEqual: return Truth(a >= b);
    case EFormulaToken::Less: return Truth(a < b);
    case EFormulaToken::LessEqual: return Truth(b >= a);
    case EFormulaToken::Equal: return Truth(a == b);
    case EFormulaToken::NotEqual: return Truth(!(a == b));
    case EFormulaToken::Name: return 0.0f; // not reached: AND and OR are folded by the caller
    default: return 0.0f;
    }
}

FormulaNodePtr NumberNode(float value) {
    auto node = std::make_unique<SFormulaNode>();
    node->kind = EFormulaNode::Number;
    node->number = value;
    return node;
}

// Bars are counted in int; a whole number beyond this is no period anyone means.
constexpr float kLargestWhole = 1.0e9f;

} // namespace

std::optional<CFormula> CFormula::Parse(std::string_view text, SFormulaError& error) {
    return FormulaParser(text).Parse(error);
}

void FormulaParser::Fail(const SFormulaToken& at, const std::string& message) const {
    throw SFailure{SFormulaError{at.line, at.column, message}};
}

void FormulaParser::Expected(const std::string& what) const {
    Fail(Token(), "expected " + what + ", found " + Found(Token()));
}

const SFormulaToken& FormulaParser::Token(std::size_t ahead) const {
    return m_tokens[std::min(m_at + ahead, m_tokens.size() - 1)];
}

bool FormulaParser::IsWord(const char* word) const {
    return Token().kind == EFormulaToken::Name && Token().text == word;
}

void FormulaParser::Enter(const SFormulaToken& at) {
    if (++m_depth > CFormula::kMaxNesting)
        Fail(at, "the formula nests deeper than " + std::to_string(CFormula::kMaxNesting) +
                          " levels");
}

std::optional<CFormula> FormulaParser::Parse(SFormulaError& error) {
    error = SFormulaError{};
    if (m_text.size() > CFormula::kMaxLength) {
        error = {1, 1,
                 "the formula is longer than " + std::to_string(CFormula::kMaxLength) +
                     " characters"};
        return std::nullopt;
    }
    FormulaLexer lexer(m_text);
    do {
        m_tokens.push_back(lexer.Next());
        if (m_tokens.back().kind == EFormulaToken::Bad) {
            const SFormulaToken& bad = m_tokens.back();
            error = {bad.line, bad.column, "unexpected " + Found(bad)};
            return std::nullopt;
        }
    } while (m_tokens.back().kind != EFormulaToken::End);

    CFormula formula;
    m_formula = &formula;
    try {
        while (Token().kind != EFormulaToken::End) {
            if (Token().kind == EFormulaToken::Separator) {
                Advance();
                continue;
            }
            ParseStatement(formula);
        }
        if (formula.m_statements.empty()) Expected("a formula");
        MarkLastReaders(formula);
    } catch (const SFailure& failure) {
        error = failure.error;
        return std::nullopt;
    }
    return formula;
}

namespace {

// In evaluation order: statements first to last, arguments left to right.
void FindLastReaders(SFormulaNode& node, std::vector<SFormulaNode*>& last) {
    for (FormulaNodePtr& arg : node.args) FindLastReaders(*arg, last);
    if (node.kind == EFormulaNode::Output) last[std::size_t(node.index)] = &node;
}

} // namespace

void FormulaParser::MarkLastReaders(CFormula& formula) {
    std::vector<SFormulaNode*> last(formula.m_statements.size(), nullptr);
    for (CFormula::SStatement& s : formula.m_statements) FindLastReaders(*s.expression, last);
    for (std::size_t i = 0; i < last.size(); ++i)
        if (last[i] && !formula.m_statements[i].shown) last[i]->takes = true;
}

void FormulaParser::ParseStatement(CFormula& formula) {
    if (formula.m_statements.size() >= CFormula::kMaxStatements)
        Fail(Token(), "a formula holds at most " + std::to_string(CFormula::kMaxStatements) +
                          " statements");
    CFormula::SStatement statement;
    const SFormulaToken start = Token();
    const bool named = start.kind == EFormulaToken::Name &&
                       (Token(1).kind == EFormulaToken::Colon ||
                        Token(1).kind == EFormulaToken::Assign);
    if (named) {
        const std::string& name = start.text;
        if (IsKeyword(name) || FindField(name) || FormulaFunctions::Known(name))
            Fail(start, "\"" + name + "\" is a word of the formula language, not an output name");
        for (const CFormula::SStatement& earlier : formula.m_statements)
            if (earlier.name == name) Fail(start, "\"" + name + "\" is already named");
        statement.name = name;
        statement.shown = Token(1).kind == EFormulaToken::Colon;
        Advance();
        Advance();
    }
    m_depth = 0;
    statement.expression = ParseOr();
    if (Token().kind != EFormulaToken::Separator && Token().kind != EFormulaToken::End)
        Expected("an operator, ';' or the end of the line");
    if (!named) {
        std::string_view text = m_text.substr(start.offset, Token().offset - start.offset);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
            text.remove_suffix(1);
        statement.name = std::string(text);
    }
    formula.m_statements.push_back(std::move(statement));
}

FormulaNodePtr FormulaParser::ParseOr() {
    FormulaNodePtr left = ParseAnd();
    while (IsWord("OR")) {
        const SFormulaToken at = Token();
        Advance();
        left = Binary(EFormulaToken::Name, std::move(left), ParseAnd(), at);
        left->index = 1;
    }
    return left;
}

FormulaNodePtr FormulaParser::ParseAnd() {
    FormulaNodePtr left = ParseNot();
    while (IsWord("AND")) {
        const SFormulaToken at = Token();
        Advance();
        left = Binary(EFormulaToken::Name, std::move(left), ParseNot(), at);
        left->index = 0;
    }
    return left;
}

FormulaNodePtr FormulaParser::ParseNot() {
    if (!IsWord("NOT")) return ParseComparison();
    const SFormulaToken at = Token();
    Advance();
    Enter(at);
    FormulaNodePtr operand = ParseNot();
    --m_depth;
    return Unary(EFormulaNode::Not, std::move(operand), at);
}

FormulaNodePtr FormulaParser::ParseComparison() {
    FormulaNodePtr left = ParseSum();
    while (IsComparison(Token().kind)) {
        const SFormulaToken at = Token();
        Advance();
        left = Binary(at.kind, std::move(left), ParseSum(), at);
    }
    return left;
}

FormulaNodePtr FormulaParser::ParseSum() {
    FormulaNodePtr left = ParseProduct();
    while (Token().kind == EFormulaToken::Plus || Token().kind == EFormulaToken::Minus) {
        const SFormulaToken at = Token();
        Advance();
        left = Binary(at.kind, std::move(left), ParseProduct(), at);
    }
    return left;
}

FormulaNodePtr FormulaParser::ParseProduct() {
    FormulaNodePtr left = ParseUnary();
    while (Token().kind == EFormulaToken::Star || Token().kind == EFormulaToken::Slash) {
        const SFormulaToken at = Token();
        Advance();
        left = Binary(at.kind, std::move(left), ParseUnary(), at);
    }
    return left;
}

FormulaNodePtr FormulaParser::ParseUnary() {
    if (Token().kind != EFormulaToken::Minus && Token().kind != EFormulaToken::Plus)
        return ParsePrimary();
    const SFormulaToken at = Token();
    Advance();
    Enter(at);
    FormulaNodePtr operand = ParseUnary();
    --m_depth;
    if (at.kind == EFormulaToken::Plus) return operand;
    return Unary(EFormulaNode::Negate, std::move(operand), at);
}

FormulaNodePtr FormulaParser::ParsePrimary() {
    const SFormulaToken at = Token();
    if (at.kind == EFormulaToken::Number) {
        Advance();
        return NumberNode(at.number);
    }
    if (at.kind == EFormulaToken::Open) {
        Advance();
        Enter(at);
        FormulaNodePtr inner = ParseOr();
        --m_depth;
        if (Token().kind != EFormulaToken::Close) Expected("')'");
        Advance();
        return inner;
    }
    if (at.kind != EFormulaToken::Name || IsKeyword(at.text))
        Expected("a number, a name or '('");
    Advance();
    if (FormulaFunctions::Known(at.text)) return ParseCall(at);
    if (Token().kind == EFormulaToken::Open)
        Fail(at, "unknown function \"" + at.text + "\"");
    auto node = std::make_unique<SFormulaNode>();
    if (const SFieldName* field = FindField(at.text)) {
        node->kind = EFormulaNode::Field;
        node->index = static_cast<int>(field->field);
        return node;
    }
    const auto& earlier = m_formula->m_statements;
    for (std::size_t i = 0; i < earlier.size(); ++i) {
        if (earlier[i].name != at.text) continue;
        node->kind = EFormulaNode::Output;
        node->index = static_cast<int>(i);
        return node;
    }
    Fail(at, "unknown name \"" + at.text + "\"");
}

FormulaNodePtr FormulaParser::ParseCall(const SFormulaToken& name) {
    if (Token().kind != EFormulaToken::Open) Expected("'(' after " + name.text);
    Advance();
    Enter(name);
    auto node = std::make_unique<SFormulaNode>();
    node->kind = EFormulaNode::Call;
    std::vector<SFormulaToken> starts;
    if (Token().kind != EFormulaToken::Close) {
        for (;;) {
            starts.push_back(Token());
            node->args.push_back(ParseOr());
            if (Token().kind == EFormulaToken::Close) break;
            if (Token().kind != EFormulaToken::Comma) Expected("',' or ')'");
            Advance();
        }
    }
    Advance();
    --m_depth;
    const int index = FormulaFunctions::Find(name.text, node->args.size());
    if (index < 0)
        Fail(name, name.text + " takes " + FormulaFunctions::Forms(name.text) + ", not " +
                       std::to_string(node->args.size()) + " argument" +
                       (node->args.size() == 1 ? "" : "s"));
    node->index = index;
    const char* kinds = FormulaFunctions::Table()[std::size_t(index)].arguments;
    for (std::size_t i = 0; i < node->args.size(); ++i) {
        const SFormulaNode& arg = *node->args[i];
        const std::string which = "argument " + std::to_string(i + 1) + " of " + name.text;
        if (kinds[i] == 'k' && arg.kind != EFormulaNode::Number)
            Fail(starts[i], which + " must be a number");
        if (kinds[i] == 'n' &&
            (arg.kind != EFormulaNode::Number || !(std::fabs(arg.number) <= kLargestWhole) ||
             std::trunc(arg.number) != arg.number))
            Fail(starts[i], which + " must be a whole number");
        if (kinds[i] == 'k' && !std::isfinite(arg.number))
            Fail(starts[i], which + " must be a finite number");
    }
    CheckHeight(*node, name);
    return node;
}

void FormulaParser::CheckHeight(SFormulaNode& node, const SFormulaToken& at) const {
    for (const FormulaNodePtr& arg : node.args) node.height = std::max(node.height, arg->height + 1);
    if (node.height > CFormula::kMaxHeight)
        Fail(at, "the formula composes more than " + std::to_string(CFormula::kMaxHeight) +
                     " operations in one expression");
}

FormulaNodePtr FormulaParser::Binary(EFormulaToken op, FormulaNodePtr left, FormulaNodePtr right,
                                     const SFormulaToken& at) const {
    if (left->kind == EFormulaNode::Number && right->kind == EFormulaNode::Number) {
        const float a = left->number, b = right->number;
        if (op == EFormulaToken::Name) // AND, OR: the caller marks which after this returns
            return NumberNode(at.text == "AND" ? Truth(a != 0.0f && b != 0.0f)
                                               : Truth(a != 0.0f || b != 0.0f));
        return NumberNode(Fold(op, a, b));
    }
    auto node = std::make_unique<SFormulaNode>();
    node->kind = EFormulaNode::Binary;
    node->op = op;
    node->args.push_back(std::move(left));
    node->args.push_back(std::move(right));
    CheckHeight(*node, at);
    return node;
}

FormulaNodePtr FormulaParser::Unary(EFormulaNode kind, FormulaNodePtr operand,
                                    const SFormulaToken& at) const {
    if (operand->kind == EFormulaNode::Number)
        return NumberNode(kind == EFormulaNode::Negate ? -operand->number
                                                       : Truth(operand->number == 0.0f));
    auto node = std::make_unique<SFormulaNode>();
    node->kind = kind;
    node->args.push_back(std::move(operand));
    CheckHeight(*node, at);
    return node;
}
