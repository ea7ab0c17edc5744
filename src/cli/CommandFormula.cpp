#include "CommandFormula.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

bool ReadFormulaFile(const std::string& path, std::string& text, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = std::strerror(errno);
        return false;
    }
    text.assign(CFormula::kMaxLength + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    if (in.bad()) {
        why = "read error";
        return false;
    }
    text.resize(std::size_t(in.gcount()));
    return true;
}

std::optional<CFormula> ParseCommandFormula(const std::string& text, const std::string& source) {
    SFormulaError error;
    auto formula = CFormula::Parse(text, error);
    if (!formula) std::fprintf(stderr, "%s: %s\n", source.c_str(), error.Text().c_str());
    return formula;
}

int UsageError(const char* usage, const std::string& error) {
    std::fprintf(stderr, "%s%s\n", usage, error.c_str());
    return 2;
}
