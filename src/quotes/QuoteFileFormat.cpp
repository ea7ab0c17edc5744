#include "QuoteFileFormat.h"
#include "CTextLineReader.h"

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

CFileResult CheckQuoteFile(const std::string& path) {
    return AcceptQuoteFileFormat(DetectQuoteFileFormat(path), path);
}

CFileResult AcceptQuoteFileFormat(EQuoteFileFormat format, const std::string& path) {
    using EKind = CFileResult::EKind;
    switch (format) {
    case EQuoteFileFormat::Csv:
    case EQuoteFileFormat::TickerList:
        return {};
    case EQuoteFileFormat::Empty:
        return CFileResult::Failure(EKind::Damaged, std::string(kEmptyQuoteFileMessage));
    case EQuoteFileFormat::Unknown:
        return CFileResult::Failure(EKind::WrongType, std::string(kUnknownHeaderMessage));
    case EQuoteFileFormat::Unreadable:
        break;
    }
    return CFileResult::Failure(EKind::CannotOpen, "The data file " + path + " cannot be read.");
}
