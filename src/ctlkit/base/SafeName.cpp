#include "SafeName.h"

bool IsSafePathPart(std::string_view name) {
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos) return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
    }
    return true;
}
