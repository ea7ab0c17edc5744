#include "FormulaLexer.h"
#include <cctype>
#include <charconv>

namespace {

bool NameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool NamePart(char c) {
    return NameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

bool Digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

void FormulaLexer::Advance(std::size_t count) {
    for (; count > 0 && m_at < m_text.size(); --count) {
        if (m_text[m_at++] == '\n') {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
    }
}

void FormulaLexer::SkipBlanks() {
    for (;;) {
        const char c = Peek();
        if (c == ' ' || c == '\t' || c == '\r' || (c == '\n' && m_depth > 0)) {
            Advance();
        } else if (c == '/' && Peek(1) == '/') {
            while (m_at < m_text.size() && Peek() != '\n') Advance();
        } else {
            return;
        }
    }
}

SFormulaToken FormulaLexer::Next() {
    SkipBlanks();
    SFormulaToken token;
    token.line = m_line;
    token.column = m_column;
    token.offset = m_at;
    if (m_at >= m_text.size()) return token;
    const char c = Peek();
    const auto single = [&](EFormulaToken kind, std::size_t length = 1) {
        token.kind = kind;
        token.text = std::string(m_text.substr(m_at, length));
        Advance(length);
        return token;
    };
    if (NameStart(c)) {
        std::size_t end = m_at;
        while (end < m_text.size() && NamePart(m_text[end])) ++end;
        token.kind = EFormulaToken::Name;
        for (std::size_t i = m_at; i < end; ++i)
            token.text += char(std::toupper(static_cast<unsigned char>(m_text[i])));
        Advance(end - m_at);
        return token;
    }
    if (Digit(c) || (c == '.' && Digit(Peek(1)))) {
        std::size_t end = m_at;
        while (end < m_text.size() && Digit(m_text[end])) ++end;
        if (end < m_text.size() && m_text[end] == '.') ++end;
        while (end < m_text.size() && Digit(m_text[end])) ++end;
        const char* first = m_text.data() + m_at;
        const auto [last, status] = std::from_chars(first, m_text.data() + end, token.number,
                                                    std::chars_format::fixed);
        if (status != std::errc() || last != m_text.data() + end) return single(EFormulaToken::Bad, end - m_at);
        return single(EFormulaToken::Number, end - m_at);
    }
    switch (c) {
    case '+': return single(EFormulaToken::Plus);
    case '-': return single(EFormulaToken::Minus);
    case '*': return single(EFormulaToken::Star);
    case '/': return single(EFormulaToken::Slash);
    case ',': return single(EFormulaToken::Comma);
    case ';': return single(EFormulaToken::Separator);
    case '\n': return single(EFormulaToken::Separator);
    case '(':
        ++m_depth;
        return single(EFormulaToken::Open);
    case ')':
        if (m_depth > 0) --m_depth;
        return single(EFormulaToken::Close);
    case ':':
        return Peek(1) == '=' ? single(EFormulaToken::Assign, 2) : single(EFormulaToken::Colon);
    case '>':
        return Peek(1) == '=' ? single(EFormulaToken::GreaterEqual, 2)
                              : single(EFormulaToken::Greater);
    case '<':
        if (Peek(1) == '=') return single(EFormulaToken::LessEqual, 2);
        if (Peek(1) == '>') return single(EFormulaToken::NotEqual, 2);
        return single(EFormulaToken::Less);
    case '=':
        return Peek(1) == '=' ? single(EFormulaToken::Equal, 2) : single(EFormulaToken::Equal);
    case '!':
        if (Peek(1) == '=') return single(EFormulaToken::NotEqual, 2);
        break;
    default:
        break;
    }
    return single(EFormulaToken::Bad);
}
