#include "SInnerSelChoice.h"
#include "SFieldError.h"
#include "ctlkit/lang/CLanguage.h"

namespace {

bool& RememberedInsert() {
    static bool insert = true;
    return insert;
}

} // namespace

SInnerSelChoice SInnerSelChoice::StartingFor(int pane, std::string paneName) {
    return {pane, std::move(paneName), Remembered()};
}

void SInnerSelChoice::Remember(bool insert) {
    RememberedInsert() = insert;
}

bool SInnerSelChoice::Remembered() {
    return RememberedInsert();
}

std::string SInnerSelChoice::TargetText() const {
    const std::string name =
        paneName.empty() ? CLanguage::TranslateText("EmptyPaneName", "(empty)") : paneName;
    return FillPlaceholders(CLanguage::TranslateText("PaneTarget", "Pane %1: %s"),
                            {{"%1", std::to_string(pane)}, {"%s", name}});
}
