#include "SFieldError.h"
#include "ctlkit/lang/CLanguage.h"

SFieldError SFieldError::NotANumber(unsigned controlId, std::string fieldName) {
    return Make(controlId, std::move(fieldName), "EnterNumber", "%s: please enter a number.");
}

SFieldError SFieldError::Make(unsigned controlId, std::string fieldName, std::string_view key,
                              std::string_view fallback) {
    std::string message = CLanguage::TranslateText(key, fallback);
    for (size_t at = message.find("%s"); at != std::string::npos;
         at = message.find("%s", at + fieldName.size()))
        message.replace(at, 2, fieldName);
    return {controlId, std::move(fieldName), std::move(message)};
}
