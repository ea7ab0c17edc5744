#include "QuoteFileFormat.h"
#include "CTextLineReader.h"
#include "ctlkit/base/CPrompter.h"

EQuoteFileFormat DetectQuoteFileFormat(const std::string& path) {
    CTextLineReader reader;
    if (!reader.Open(path)) return EQuoteFileFormat::Unreadable;
    std::string_view line;
    bool overlong = false;
    if (!reader.Next(line, overlong)) {
        return reader.Failed() ? EQuoteFileFormat::Unreadable : EQuoteFileFormat::Empty;
    }
    if (overlong) return EQuoteFileFormat::Unknown;
    if (line == kCsvQuoteHeader) return EQuoteFileFormat::Csv;
    if (line == kTickerQuoteHeader) return EQuoteFileFormat::TickerList;
    return EQuoteFileFormat::Unknown;
}

bool CheckQuoteFile(const std::string& path) {
    return AcceptQuoteFileFormat(DetectQuoteFileFormat(path), path);
}

bool AcceptQuoteFileFormat(EQuoteFileFormat format, const std::string& path) {
    switch (format) {
    case EQuoteFileFormat::Csv:
    case EQuoteFileFormat::TickerList:
        return true;
    case EQuoteFileFormat::Empty:
        CPrompter::Active().ShowMessage(std::string(kEmptyQuoteFileMessage));
        return false;
    case EQuoteFileFormat::Unknown:
        CPrompter::Active().ShowMessage(std::string(kUnknownHeaderMessage));
        return false;
    case EQuoteFileFormat::Unreadable:
        break;
    }
    CPrompter::Active().ShowMessage("The data file " + path + " cannot be read.");
    return false;
}
