#pragma once
#include "IconStrip.h"
#include <string_view>

namespace IconStrip {
// The name of icon `index` of the strip ("Bull", "Bear", ... "Question"); empty outside
// 0..kIconCount-1.
std::string_view IconName(int index);
} // namespace IconStrip
