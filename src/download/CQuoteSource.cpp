#include "CQuoteSource.h"

std::string CQuoteSource::RefusalMessage(EQuoteAnswerKind kind, unsigned long status) const {
    const std::string name(Name());
    switch (kind) {
    case EQuoteAnswerKind::RateLimited:
        return "The quote service " + name +
               " refused the download: its request limit is used up. Try again later or choose "
               "another source in section QUOTE_SOURCE of setup.ini.";
    case EQuoteAnswerKind::KeyRequired:
        return "The quote service " + name + " asks for an API key. Enter it as ApiKey_" + name +
               " in section QUOTE_SOURCE of setup.ini.";
    case EQuoteAnswerKind::ServiceError:
        return "The quote service " + name + " answered with an error (HTTP status " +
               std::to_string(status) + "). Try again later.";
    case EQuoteAnswerKind::PremiumRefused:
        return "The quote service " + name +
               " keeps this history for paying subscribers. Choose another source in section "
               "QUOTE_SOURCE of setup.ini for a full download.";
    case EQuoteAnswerKind::Quotes:
    case EQuoteAnswerKind::NoAnswer:
    case EQuoteAnswerKind::UnknownSymbol:
        break;
    }
    return {};
}
