#include "CNDaysFormset.h"

CNDaysFormset::CNDaysFormset(const SWholeNumberChoice& choice, QWidget* parent)
    : CWholeNumberFormset(kDialogId, choice, "User Defined Period", "&Days per bar:", parent) {}

std::optional<int> CNDaysFormset::Ask(QWidget* parent, int current, int baseQuotes) {
    return AskFor<CNDaysFormset>(parent, SWholeNumberChoice::NDays(current, baseQuotes));
}
