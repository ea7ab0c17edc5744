#include "CStock.h"
#include "CCsvQuoteReader.h"
#include "CCsvQuoteWriter.h"
#include "CTickerQuoteReader.h"
#include "PeriodBars.h"
#include "PriceBarPainter.h"
#include "QuoteDayMerge.h"
#include "QuoteFileFormat.h"
#include "QuoteFileLocation.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/QuoteFileLock.h"
#include "settings/CModelContext.h"
#include <algorithm>
#include <cstring>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <limits>
#include <optional>
#include <sys/stat.h>

namespace {
int32_t AsDate(int64_t seconds) {
    return static_cast<int32_t>(std::clamp<int64_t>(seconds, 0, INT32_MAX));
}

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

int CountOf(const std::vector<SQuote>& series) {
    return ClampToInt(static_cast<int64_t>(series.size()));
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
} // namespace

CStock::CStock() : CStock(static_cast<int64_t>(std::time(nullptr))) {}

CStock::CStock(int64_t now) {
    typeCode = kElementType;
    SQuote placeholder;
    placeholder.date = AsDate(now);
    SetDisplay({placeholder});
    m_base.push_back(placeholder);
    m_windowEnd = m_savedEnd = 1;
}

CStock::~CStock() = default;

void CStock::LoadSettings(CModelContext& context) {
    const StockLineSettings setup = StockLineSettings::Read(context.Settings());
    if (!setup.sectionExists) context.Prompter().ShowMessage("Section doesn't exist");
    m_maximumQuotes = setup.maximumQuotes;
    m_setupMaximumQuotes = m_maximumQuotes;
}

CFileResult CStock::Close(CModelContext& context) {
    CFileResult exported;
    if (m_exportOnClose) exported = ExportBaseOnClose(context.DataFolder());
    StoreWindowSettings(context.Settings());
    return exported;
}

// A chart's own values stay with the chart; only the user's choices go to setup.ini, and a
// settings file without the section still gets it.
void CStock::StoreWindowSettings(CIniReader& settings) {
    bool sectionMissing = !StockLineSettings::SectionExists(settings);
    if (m_barsInWindowChosen || sectionMissing) {
        int bars = m_barsInWindowChosen ? m_barsInWindow : kDefaultBarsInWindow;
        StockLineSettings::WriteBarsInWindow(settings, bars);
    }
    if (m_maximumQuotesChosen || sectionMissing) {
        int maximum = m_maximumQuotesChosen ? m_maximumQuotes : m_setupMaximumQuotes;
        StockLineSettings::WriteMaximumQuotes(settings, maximum);
    }
}

// ---- periods ----

void CStock::RebuildDisplay(std::vector<SQuote> bars) {
    m_previousDates.clear();
    m_previousDates.reserve(m_display.size());
    for (const SQuote& q : m_display) m_previousDates.push_back(q.date);
    ClearSeries(false, true);
    SetDisplay(std::move(bars));
}

// What RebuildDisplay(m_base) ends in when the display already holds the base bars, as it does
// right after a read, without copying a long series and its columns once more.
void CStock::KeepDisplayAsDayBars() {
    m_previousDates.clear();
    m_previousDates.reserve(m_display.size());
    for (const SQuote& q : m_display) m_previousDates.push_back(q.date);
    if (!m_paneHost) return;
    m_paneHost->ClearCostDistribution(*this);
    m_paneHost->ClearCurveData(*this);
}

void CStock::SetDisplay(std::vector<SQuote> bars) {
    m_display = std::move(bars);
    m_displayColumns = CBarColumns(m_display);
}

void CStock::FinishMake(int period, bool force) {
    SetWholeWindow();
    if (m_paneHost) m_paneHost->RebuildCostDistribution(*this);
    m_period = period;
    if (!force && m_paneHost) m_paneHost->ReplayIndicators(*this);
    if (m_paneHost) m_paneHost->RebindPanes(*this);
    // Drawings are anchored to bars: carry them to the bars of the new series by date.
    if (m_paneHost) m_paneHost->RemapElements(*this, m_previousDates);
    m_previousDates.clear();
}

void CStock::MakeDayLine(bool force) {
    if (!force && m_period == kPeriodDay) return;
    // Compared bit for bit, so a NaN price counts as the same and -0 not as 0.
    const bool same = m_display.size() == m_base.size() &&
                      (m_base.empty() || std::memcmp(m_display.data(), m_base.data(),
                                                     m_base.size() * sizeof(SQuote)) == 0);
    if (same)
        KeepDisplayAsDayBars();
    else
        RebuildDisplay(m_base);
    FinishMake(kPeriodDay, force);
}

void CStock::MakeWeekLine(bool force) {
    if (!force && m_period == kPeriodWeek) return;
    RebuildDisplay(BuildWeekBars(m_base));
    FinishMake(kPeriodWeek, force);
}

void CStock::MakeMonthLine(bool force) {
    if (!force && m_period == kPeriodMonth) return;
    RebuildDisplay(BuildMonthBars(m_base));
    FinishMake(kPeriodMonth, force);
}

void CStock::MakeNDayLine(bool force) {
    if (m_nDays == 1 && !force) {
        MakeDayLine(false);
        return;
    }
    if (m_nDays < 1) return;
    RebuildDisplay(BuildNDayBars(m_base, m_nDays));
    FinishMake(kPeriodNDays, force);
}

void CStock::RebuildPeriod() {
    switch (m_period) {
    case kPeriodWeek:
        MakeWeekLine(true);
        break;
    case kPeriodMonth:
        MakeMonthLine(true);
        break;
    case kPeriodNDays:
        MakeNDayLine(true);
        break;
    default:
        MakeDayLine(true);
        break;
    }
}

void CStock::SetNDays(int n) {
    if (n > 0) m_nDays = n;
}

bool CStock::RestorePeriod(int period, int nDays) {
    if (period < kPeriodDay || period > kPeriodNDays || nDays < 0) return false;
    m_period = period;
    m_nDays = nDays;
    return true;
}

// ---- window ----

void CStock::SetWholeWindow() {
    m_windowFirst = 0;
    m_windowEnd = CountOf(m_display);
}

void CStock::ShowLastBars() {
    int count = CountOf(m_display);
    m_windowEnd = count;
    int first = count - std::max(1, m_barsInWindow);
    m_windowFirst = first < 1 ? 0 : first;
    m_savedFirst = m_windowFirst;
    m_savedEnd = m_windowEnd;
    ComputeVisibleRange();
}

void CStock::ShiftWindow(int firstDelta, int endDelta, bool keepSaved) {
    int count = CountOf(m_display);
    if (count == 0) {
        // Nothing to show: no window to move and no size worth remembering.
        m_windowFirst = m_windowEnd = 0;
        ComputeVisibleRange();
        return;
    }
    int64_t a = int64_t{m_savedFirst} + firstDelta;
    int64_t b = int64_t{m_savedEnd} + endDelta;
    int64_t candidate = b - 1;
    if (a < b) {
        m_savedFirst = ClampToInt(a);
        m_savedEnd = ClampToInt(b);
        candidate = a;
    }
    m_windowFirst = candidate < 0 ? 0 : candidate >= count - 1 ? count - 1 : ClampToInt(candidate);
    if (b > count)
        m_windowEnd = count;
    else if (b > 1)
        m_windowEnd = ClampToInt(b);
    // A window restored from elsewhere may not fit this series.
    m_windowEnd = std::clamp(m_windowEnd, m_windowFirst, count);
    if (!keepSaved) {
        m_savedFirst = m_windowFirst;
        m_savedEnd = m_windowEnd;
    }
    m_barsInWindow = m_windowEnd - m_windowFirst;
    m_barsInWindowChosen = true;
    ComputeVisibleRange();
}

void CStock::ResetWindow() {
    int count = CountOf(m_display);
    m_windowFirst = count <= kResetWindowBars ? 0 : count - kResetWindowBars;
    m_windowEnd = count;
    m_savedFirst = m_windowFirst;
    m_savedEnd = m_windowEnd;
    ComputeVisibleRange();
}

void CStock::ComputeVisibleRange() {
    int count = CountOf(m_display);
    int first = std::clamp(m_windowFirst, 0, count);
    int end = std::clamp(m_windowEnd, first, count);
    if (first < end) {
        m_visibleHigh = m_display[first].high;
        m_visibleLow = m_display[first].low;
        for (int i = first + 1; i < end; ++i) {
            if (m_display[i].high > m_visibleHigh) m_visibleHigh = m_display[i].high;
            if (m_display[i].low < m_visibleLow) m_visibleLow = m_display[i].low;
        }
    }
    if (!m_paneHost) return;
    m_paneHost->SetPaneWindow(*this, first, end);
    float high = 0;
    float low = 0;
    if (m_paneHost->PricePaneCurveRange(*this, high, low)) {
        if (high > m_visibleHigh) m_visibleHigh = high;
        if (low < m_visibleLow) m_visibleLow = low;
    }
}

void CStock::ClearSeries(bool alsoBase, bool curves) {
    SetDisplay({});
    if (alsoBase) m_base.clear();
    if (!m_paneHost) return;
    m_paneHost->ClearCostDistribution(*this);
    if (curves) m_paneHost->ClearCurveData(*this);
}

void CStock::RestoreSeries(std::vector<SQuote> base, std::vector<SQuote> display) {
    m_base = std::move(base);
    SetDisplay(std::move(display));
}

void CStock::RestoreWindow(int first, int end) {
    m_windowFirst = m_savedFirst = first;
    m_windowEnd = m_savedEnd = end;
}

void CStock::RestoreVisibleRange(float high, float low) {
    m_visibleHigh = high;
    m_visibleLow = low;
}

bool CStock::SetMaximumQuotes(int maximum, bool userChoice) {
    if (maximum < 0) return false;
    m_maximumQuotes = maximum;
    m_maximumQuotesChosen = m_maximumQuotesChosen || userChoice;
    return true;
}

bool CStock::SetBarsInWindow(int bars, bool userChoice) {
    if (bars < 0) return false;
    m_barsInWindow = bars;
    m_barsInWindowChosen = m_barsInWindowChosen || userChoice;
    return true;
}

// ---- quote files ----

namespace {
// A writer holds the lock from reading the old file to renaming the new one, which may span
// a transfer; the chart does not wait that long: the rename keeps every read whole anyway.
constexpr std::chrono::milliseconds kQuoteReadPatience{2000};
} // namespace

CFileResult CStock::LoadQuoteFile(const std::string& path) {
    m_quoteFilePath = path;
    if (!IsRegularFile(path)) return CFileResult::Failure(CFileResult::EKind::CannotOpen, "");
    QuoteFileLock lock(path, QuoteFileLock::EMode::Shared, kQuoteReadPatience);
    EQuoteFileFormat format = DetectQuoteFileFormat(path);
    CFileResult accepted = AcceptQuoteFileFormat(format, path);
    if (!accepted) return accepted;
    ClearSeries(true, true);
    CFileResult read = ReadWithFormat(format, path);
    RebuildPeriod();
    if (m_paneHost) m_paneHost->ReplayIndicators(*this);
    // The header was accepted, so the series was replaced whatever the reading found.
    return read.ok() || read.partial() ? read : CFileResult::Partial(read.kind(), read.message());
}

CFileResult CStock::ReloadQuoteFile(const std::string& path, bool alsoBase, bool curves) {
    ClearSeries(alsoBase, curves);
    QuoteFileLock lock(path, QuoteFileLock::EMode::Shared, kQuoteReadPatience);
    CFileResult read = ReadWithFormat(DetectQuoteFileFormat(path), path);
    RebuildPeriod();
    return read;
}

// The header tells which reader the file needs; a file with neither header keeps the
// series' own choice.
CFileResult CStock::ReadWithFormat(EQuoteFileFormat format, const std::string& path) {
    if (format == EQuoteFileFormat::Csv) m_sourceFormat = kSourceCsv;
    if (format == EQuoteFileFormat::TickerList) m_sourceFormat = kSourceTickerList;
    return m_sourceFormat == kSourceTickerList ? ReadTickerQuotes(path) : ReadCsvQuotes(path);
}

CFileResult CStock::ReadCsvQuotes(const std::string& path) {
    m_readStats = {};
    // The series may hold one quote more than the maximum, counting what it holds already.
    size_t held = m_base.size();
    size_t maximum = static_cast<size_t>(std::max(0, m_maximumQuotes));
    size_t limit = held <= maximum ? maximum + 1 - held : 1;
    std::vector<SQuote> newestFirst;
    CCsvQuoteReader reader;
    CCsvQuoteReader::EResult result = reader.Read(path, limit, newestFirst, m_readStats);
    if (result == CCsvQuoteReader::EResult::NoHeader)
        return CFileResult::Failure(CFileResult::EKind::WrongType,
                                    std::string(kUnknownHeaderMessage));
    PrependQuotes(std::move(newestFirst));
    if (result == CCsvQuoteReader::EResult::UnknownMonth)
        return CFileResult::Partial(CFileResult::EKind::Damaged, std::string(kUnknownMonthMessage));
    SetWholeWindow();
    return {};
}

// Same result as inserting each quote at the front in file order, in one pass.
void CStock::PrependQuotes(std::vector<SQuote> newestFirst) {
    if (m_base.empty() && m_display.empty()) {
        // The usual load into emptied series: turned round where it lies.
        std::reverse(newestFirst.begin(), newestFirst.end());
        SetDisplay(newestFirst);
        m_base = std::move(newestFirst);
        return;
    }
    const auto joined = [&newestFirst](const std::vector<SQuote>& series) {
        std::vector<SQuote> bars;
        bars.reserve(newestFirst.size() + series.size());
        bars.insert(bars.end(), newestFirst.rbegin(), newestFirst.rend());
        bars.insert(bars.end(), series.begin(), series.end());
        return bars;
    };
    SetDisplay(joined(m_display));
    m_base = joined(m_base);
}

CFileResult CStock::ReadTickerQuotes(const std::string& path) {
    m_readStats = {};
    std::vector<SQuote> oldestFirst;
    CTickerQuoteReader reader;
    if (!reader.Read(path, oldestFirst, m_readStats))
        return CFileResult::Failure(CFileResult::EKind::WrongType,
                                    std::string(kUnknownHeaderMessage));
    std::vector<SQuote> display = std::move(m_display);
    display.insert(display.end(), oldestFirst.begin(), oldestFirst.end());
    SetDisplay(std::move(display));
    m_base.insert(m_base.end(), oldestFirst.begin(), oldestFirst.end());
    SetWholeWindow();
    m_symbolName = CTickerQuoteReader::SymbolOfPath(path);
    return {};
}

CFileResult CStock::ExportCsv(const std::string& path) {
    CFileResult written = WriteCsv(path, m_display);
    if (written) m_exportOnClose = 0;
    return written;
}

CFileResult CStock::WriteCsv(const std::string& path, const std::vector<SQuote>& oldestFirst) {
    if (std::string refused = CCsvQuoteWriter::UnwritableDate(oldestFirst); !refused.empty())
        return CFileResult::Failure(CFileResult::EKind::Damaged,
                                    refused + " The old file " + path + " is unchanged.");
    const CFileResult written = WriteFileAtomically(path, CCsvQuoteWriter::Format(oldestFirst));
    if (written) return {};
    return CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                "The quotes could not be written (" + written.message() +
                                    "). The old file " + path + " is unchanged.");
}

// Only the daily quotes go back, and only into the data folder: the path comes from a chart
// file, which may name any file at all.
CFileResult CStock::ExportBaseOnClose(const std::string& dataFolder) {
    std::string resolved;
    if (!IsInsideDataFolder(dataFolder, m_quoteFilePath, &resolved)) {
        return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                    "The quotes were not exported on closing: \"" +
                                        m_quoteFilePath + "\" lies outside the data folder " +
                                        dataFolder + ".");
    }
    // The chart holds only the quotes it was opened with: merged by day, the file keeps every
    // day it had (its own line where both have a day, as a download writes the file before a
    // chart reloads it) and gains the chart's days it lacked.
    const std::string refused = "The quotes were not exported on closing: ";
    if (std::string unwritable = CCsvQuoteWriter::UnwritableDate(m_base); !unwritable.empty())
        return CFileResult::Failure(CFileResult::EKind::Damaged, refused + unwritable +
                                                                     " The file " + resolved +
                                                                     " is unchanged.");
    // A download of the same file between this read and the write would lose its days.
    // A missing market folder is left for the write to report.
    std::error_code error;
    std::optional<QuoteFileLock> lock;
    if (std::filesystem::is_directory(std::filesystem::path(resolved).parent_path(), error))
        lock.emplace(resolved, QuoteFileLock::EMode::Exclusive, kQuoteReadPatience);
    if (lock && !lock->Locked())
        return CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                    refused + resolved +
                                        " is being written by another program, or its folder "
                                        "cannot be written. It is unchanged.");
    std::string old;
    std::vector<std::string_view> local;
    struct stat st {};
    if (::stat(resolved.c_str(), &st) == 0 || errno != ENOENT) {
        CFileResult read = ReadWholeFile(resolved, old);
        if (!read)
            return CFileResult::Failure(read.kind(), refused + read.message() + ". The file " +
                                                         resolved + " is unchanged.");
        if (!old.empty() && !ReadQuoteFileLines(old, local))
            return CFileResult::Failure(CFileResult::EKind::WrongType,
                                        refused + resolved +
                                            " is not a CSV quote file. It is unchanged.");
    }
    const std::string chart = CCsvQuoteWriter::Format(m_base);
    std::vector<std::string_view> incoming;
    ReadQuoteFileLines(chart, incoming);
    const SQuoteDayMerge merged = MergeQuoteDays(local, incoming, false);
    const CFileResult written = WriteFileAtomically(resolved, merged.text);
    if (written) return {};
    return CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                "The quotes could not be written (" + written.message() +
                                    "). The old file " + resolved + " is unchanged.");
}

void CStock::AdjustBarHalfWidth(int delta) {
    m_barHalfWidth = std::max(0, m_barHalfWidth + delta);
    m_barHalfWidthByHand = true;
}

SPriceLook CStock::PriceLook() const {
    SPriceLook look;
    look.riseFill = Colour(1);
    look.fallFill = Colour(2);
    look.riseLine = Colour(3);
    look.fallLine = Colour(4);
    look.dojiLine = Colour(5);
    look.barHalfWidth = m_barHalfWidth;
    return look;
}

void CStock::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    CSymbol::Draw(dc, max, min, first, end, plot);
    PriceBarPainter(*this).Paint(dc);
}

int CStock::HitTest(int x, int y) {
    if (tracking) return hitState;
    hitState = PriceBarPainter(*this).Hits(x, y, hitTolerance) ? kHitPriceSeries : 0;
    return hitState;
}
