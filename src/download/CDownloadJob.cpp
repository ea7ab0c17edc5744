#include "CDownloadJob.h"
#include "QuoteQuery.h"
#include <ctime>

void CDownloadJob::execute() {
    if (cancelRequested()) return Finish(EJobResult::Cancelled);
    if (!NamesAreSafe()) return Finish(EJobResult::Failed);
    std::string url = Source().BuildQuery(Ticker(), m_startDate, std::time(nullptr));
    std::string text;
    bool cutShort = false;
    switch (Transfer(url, nullptr, text, cutShort)) {
    case ETransfer::Cancelled:
        return Finish(EJobResult::Cancelled);
    case ETransfer::Failed:
        return Finish(EJobResult::Failed);
    case ETransfer::Received:
        break;
    }
    // The old file stays unless the answer reads back whole.
    if (!AnswerReadsWhole(text)) return Finish(EJobResult::Failed);
    if (!WriteQuoteFile(text)) {
        CloseDialog();
        Show("Can not saving the new data file.");
        return Finish(EJobResult::Failed);
    }
    // "Cancel" after the fetch keeps the file but does not reload the chart.
    if (Cancelled()) {
        CloseDialog();
        return Finish(EJobResult::Cancelled);
    }
    NotifyWritten();
    CloseDialog();
    Finish(EJobResult::Done);
}
