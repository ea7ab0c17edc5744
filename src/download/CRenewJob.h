#pragma once
#include "CQuoteJob.h"
#include <string>
#include <vector>

// The renewal: fetches the history since 1 January 1980 but stops reading once the answer
// reaches a day before the newest day of the quote file, and puts the days after it in front
// of the file's lines. The newest local day is read from the quote file itself. The file is
// written only after a successful merge.
class CRenewJob : public CQuoteJob {
public:
    void execute() override;

    // After execute: what the merge found.
    bool HasNewestLocalDay() const { return m_hasNewestLocalDay; }
    int64_t NewestLocalDay() const { return m_newestLocalDay; }
    int64_t QueryStart() const { return m_queryStart; }
    const std::vector<std::string>& PreviousLines() const { return m_previousLines; }
    const std::vector<std::string>& NewLines() const { return m_newLines; }

private:
    // Reads the quote file: CannotOpen when it is missing, WrongType when it has no header,
    // either with the text the job shows for it.
    CFileResult ReadPrevious();
    bool Merge(const std::string& text, bool cutShort);

    bool m_hasNewestLocalDay = false;
    int64_t m_newestLocalDay = 0;
    int64_t m_queryStart = 0;
    std::vector<std::string> m_previousLines;
    std::vector<std::string> m_newLines;
};
