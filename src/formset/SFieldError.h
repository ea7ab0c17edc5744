#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A placeholder of a message ("%s") and what stands for it.
using SPlaceholder = std::pair<std::string_view, std::string>;

// `pattern` with every occurrence of each placeholder replaced, read from left to right in
// one pass, so that an inserted text is never read as a placeholder.
std::string FillPlaceholders(std::string_view pattern, const std::vector<SPlaceholder>& fills);

// What a dialog's validator reports about the first field it refuses: the control to put the
// focus on, the field's name and the message, which names the field.
struct SFieldError {
    // "<field name>: please enter a number."; translated through the language file's "Text"
    // key "EnterNumber" (the value's "%s" stands for the field name).
    static SFieldError NotANumber(unsigned controlId, std::string fieldName);
    // The text of the language file's "Text" key `key`, else `fallback`, with every "%s"
    // replaced by the field name.
    static SFieldError Make(unsigned controlId, std::string fieldName, std::string_view key,
                            std::string_view fallback);
    // As Make, with further placeholders ("%1", "%2", ...) filled in the same pass.
    static SFieldError Make(unsigned controlId, std::string fieldName, std::string_view key,
                            std::string_view fallback, const std::vector<SPlaceholder>& more);

    unsigned controlId = 0;
    std::string fieldName;
    std::string message;
};
