#pragma once
#include "CQuoteJob.h"

// The full download: fetches the whole history from the start date and writes it as the
// quote file, byte for byte; the old file stays until the new one is complete.
class CDownloadJob : public CQuoteJob {
public:
    // Local midnight of the first day asked for.
    void SetStartDate(int64_t date) { m_startDate = date; }
    int64_t StartDate() const { return m_startDate; }

    void execute() override;

private:
    int64_t m_startDate = 0;
};
