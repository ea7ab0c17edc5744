#include "SQuoteReadStats.h"

void SQuoteReadStats::Count(EQuoteLine verdict) {
    switch (verdict) {
    case EQuoteLine::Quote:
        ++quotes;
        break;
    case EQuoteLine::Short:
        ++shortLines;
        break;
    case EQuoteLine::Markup:
        ++markupLines;
        break;
    case EQuoteLine::BadNumber:
        ++badNumberLines;
        break;
    case EQuoteLine::BadDate:
        ++badDateLines;
        break;
    case EQuoteLine::DateOutOfRange:
        ++dateOutOfRangeLines;
        break;
    case EQuoteLine::UnknownMonth:
        stoppedAtUnknownMonth = true;
        break;
    }
}
