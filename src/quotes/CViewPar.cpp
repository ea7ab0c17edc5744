#include "CViewPar.h"
#include <algorithm>
#include <cstring>

CViewPar::CViewPar() : labelFont(DefaultFont()), axisFont(DefaultFont()) {}

LOGFONT CViewPar::DefaultFont() {
    LOGFONT font;
    font.lfHeight = 15;
    font.lfWidth = 6;
    font.lfWeight = 400;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

void CViewPar::Reset() {
    *this = CViewPar();
}

void CViewPar::CopyFrom(const CViewPar& other) {
    if (this != &other) *this = other;
}

bool CViewPar::AddIdentifier(const std::string& identifier, bool clearFirst) {
    if (clearFirst) identifiers.clear();
    if (identifiers.size() >= static_cast<size_t>(kMaxIdentifiers)) return false;
    identifiers.push_back(identifier);
    return true;
}

bool CViewPar::IsFlagIdentifier(const std::string& identifier) {
    return identifier.size() > 4 && identifier.compare(0, 4, "FLAG") == 0;
}

void CViewPar::KeepFlagIdentifiers() {
    std::erase_if(identifiers, [](const std::string& id) { return !IsFlagIdentifier(id); });
}

void CViewPar::RemoveFlagIdentifiers() {
    std::erase_if(identifiers, IsFlagIdentifier);
}

std::string CViewPar::LinearScaleNotice(int pane) {
    const std::string which = pane == 0 ? "The price pane" : "Pane " + std::to_string(pane);
    return which + " holds values at or below 0, which have no logarithm: it keeps a linear scale.";
}
