#include "CPaneCountFormset.h"

CPaneCountFormset::CPaneCountFormset(const SWholeNumberChoice& choice, QWidget* parent)
    : CWholeNumberFormset(kDialogId, choice, "New Chart with Panes", "&Number of panes:", parent) {}

std::optional<int> CPaneCountFormset::Ask(QWidget* parent, int current) {
    return AskFor<CPaneCountFormset>(parent, SWholeNumberChoice::PaneCount(current));
}
