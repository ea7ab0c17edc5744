#include "MenuTable.h"

std::string_view MenuItemShortcut(std::string_view text) {
    const size_t tab = text.find('\t');
    return tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1);
}
