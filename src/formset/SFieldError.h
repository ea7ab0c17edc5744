#pragma once
#include <string>
#include <string_view>

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

    unsigned controlId = 0;
    std::string fieldName;
    std::string message;
};
