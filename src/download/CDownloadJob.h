#pragma once
#include "CQuoteJob.h"

// The full download: fetches the whole history from the start date and writes it as the
// quote file, byte for byte, once it has been read back whole; the old file stays until the
// new one is complete, and an answer the quote reader would not read to its end leaves it.
class CDownloadJob : public CQuoteJob {
public:
    // Local midnight of the first day asked for.
    void SetStartDate(int64_t date) { m_startDate = date; }
    int64_t StartDate() const { return m_startDate; }

    void execute() override;

private:
    int64_t m_startDate = 0;
};
