#include "PaneTexts.h"
#include "ctlkit/lang/CLanguage.h"
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace PaneTexts {

namespace {
constexpr unsigned kTitleFormatId = 37;
constexpr unsigned kDateFormatId = 38;
constexpr const char* kDefaultDateFormat = "%d-%b-%y";
constexpr const char* kDefaultTitleFormat = "%s  O: %.2f  H: %.2f  L: %.2f  C: %.2f  V: %.0f";

// The conversion letter of the directive at text[i] ('%'), with i moved past it; 0 when the
// directive is malformed.
char NextConversion(const std::string& text, std::size_t& i) {
    ++i;
    while (i < text.size() && std::strchr("-+ #0", text[i])) ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    }
    if (i >= text.size()) return 0;
    return text[i++];
}
} // namespace

std::string DateFormat() {
    auto text = CLanguage::TranslateString(kDateFormatId);
    return text && !text->empty() ? *text : kDefaultDateFormat;
}

bool IsTitleFormat(const std::string& format) {
    std::string kinds;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            i += 2;
            continue;
        }
        const char c = NextConversion(format, i);
        if (c == 0) return false;
        kinds.push_back(c);
    }
    if (kinds.size() != 6 || kinds[0] != 's') return false;
    for (std::size_t k = 1; k < kinds.size(); ++k)
        if (!std::strchr("fFeEgG", kinds[k])) return false;
    return true;
}

std::string TitleFormat() {
    auto text = CLanguage::TranslateString(kTitleFormatId);
    return text && IsTitleFormat(*text) ? *text : kDefaultTitleFormat;
}

std::string FormatDate(int32_t date, const std::string& format) {
    const std::time_t t = date;
    std::tm local{};
    if (!localtime_r(&t, &local)) return {};
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, format.c_str(), &local);
    return std::string(text, n);
}

std::string FormatTitle(const SQuote& bar) {
    const std::string format = TitleFormat();
    const std::string date = FormatDate(bar.date, DateFormat());
    char text[512];
    std::snprintf(text, sizeof text, format.c_str(), date.c_str(), double{bar.open},
                  double{bar.high}, double{bar.low}, double{bar.close}, double{bar.volume});
    return text;
}

std::string CurveTitle(const std::string& name, const std::string& parameter, float value) {
    char text[64];
    std::string title = name;
    if (!parameter.empty()) {
        title += "(" + parameter + ")";
    }
    if (std::isfinite(value)) {
        std::snprintf(text, sizeof text, "=%.2f", double{value});
        title += text;
    }
    return title;
}

} // namespace PaneTexts
