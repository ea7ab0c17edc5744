#include "AllocationGuard.h"
#include "ChartTestSupport.h"
#include "chart/CChartFile.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "indicators/IndicatorBuilder.h"
#include "tools/CHorizontal.h"
#include "tools/CLine.h"
#include "tools/CText.h"
#include <functional>
#include <memory>

namespace {

std::string Font(int height = 15, int width = 6, int weight = 400) {
    return Le32(height) + Le32(width) + Le32(weight) + std::string(1, '\0') + Counted("Arial");
}

std::string View(int cellMaxX = 70, int cellMaxY = 50, std::string identifiers = Le32(0),
                 std::string labelFont = Font(), std::string axisFont = Font()) {
    return Le32(0x808080) + Le32(0xFFFFFF) + Le32(0) + Le32(0x808080) + Le32(2) + Le32(cellMaxX) +
           Le32(cellMaxY) + Le32(1) + Le32(1) + labelFont + axisFont + identifiers +
           std::string(256, '\0');
}

// The stored list of `count` identifiers `identifier`.
std::string Identifiers(int count, const std::string& identifier = "SMA") {
    std::string list = Le32(count);
    for (int i = 0; i < count; ++i) list += Counted(identifier);
    return list;
}

// A view record whose label font is the one given; the axis font stays the default.
std::string ViewWithFont(int height, int width, int weight) {
    return View(70, 50, Le32(0), Font(height, width, weight));
}

std::string Pane(const std::string& name, int first, int end) {
    return Le32(0) + Le32(first) + Le32(end) + std::string(16, '\0') + Counted("Left Name") +
           Counted(name) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
}

std::string StoredQuote(int32_t date, float open, float high, float low, float close,
                        float volume) {
    return Le32(date) + LeF(open) + LeF(high) + LeF(low) + LeF(close) + LeF(volume);
}

// The pieces of a small chart: 2 panes, 2 bars in both series, window over both.
struct SHandChart {
    int paneCount = 2;
    int priceStyle = 1;
    int penStyle = 1;
    int lineWeight = 1;
    std::string views[10];
    int barsInWindow = 50;
    int maximumQuotes = 400;
    int nDays = 2;
    int period = 0;
    std::string baseCount = Le32(2);
    std::string panes = Pane("NoName", 0, 2) + Pane("NoName", 0, 2);

    SHandChart() {
        for (auto& view : views) view = View();
    }
    std::string Bytes() const {
        std::string bytes = Le32(paneCount) + Le32(priceStyle) + Le32(penStyle) + Le32(lineWeight) +
                            Le32(0x0000FF) + Le32(0xFFFFFF) + Le32(0x969600) + Le32(0x969600) +
                            Le32(0x00FF00);
        for (const auto& view : views) bytes += view;
        bytes += Le32(0) + Le32(barsInWindow) + Le32(maximumQuotes) + Le32(nDays) + Le32(period);
        bytes += Le32(0) + Le32(2) + LeF(11) + LeF(9);
        bytes += Counted("/q/AAA.csv") + Counted("AAA") + Counted("US") + Counted("");
        const std::string quotes = StoredQuote(86400, 9.5f, 11, 9, 10, 100) +
                                   StoredQuote(172800, 10, 11, 9.5f, 10.5f, 200);
        bytes += baseCount + quotes + Le32(2) + quotes + panes;
        bytes += std::string(255, '\0') + "\x07";
        return bytes;
    }
};

// Equal values bit for bit, NaN included.
bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class ChartFileTest : public ChartTest {
protected:
    // The stock SHandChart describes.
    std::unique_ptr<CStock> HandStock() {
        auto stock = std::make_unique<CStock>();
        std::vector<SQuote> bars = {Bar(86400, 10), Bar(172800, 10.5f)};
        bars[0].open = 9.5f;
        bars[0].high = 11;
        bars[0].low = 9;
        bars[0].volume = 100;
        bars[1].open = 10;
        bars[1].high = 11;
        bars[1].low = 9.5f;
        bars[1].volume = 200;
        stock->RestoreSeries(bars, bars);
        stock->RestoreWindow(0, 2);
        stock->RestoreVisibleRange(11, 9);
        stock->SetQuoteFilePath("/q/AAA.csv");
        stock->SetSymbolName("AAA");
        stock->SetMarket("US");
        stock->FlagBytes()[255] = 7;
        CStockPanes& panes = CStockPanes::InstallIn(*stock);
        panes.PaneAt(1);
        panes.SetPaneWindow(*stock, 0, 2);
        return stock;
    }

    // `count` hourly bars: as many days would pass the end of the 32-bit date.
    static std::vector<SQuote> HourlyBars(int count) {
        std::vector<SQuote> bars;
        for (int i = 0; i < count; ++i)
            bars.push_back(Bar(3600 * i, 20.0f + static_cast<float>(i % 17) * 0.25f));
        return bars;
    }

    std::unique_ptr<CStock> Read(const std::string& bytes) {
        std::unique_ptr<CStock> stock;
        result = CChartFile::Read(bytes, stock);
        error = result.message();
        return stock;
    }

    CFileResult result;
    std::string error;
};

TEST_F(ChartFileTest, WritesTheHandWrittenLayout) {
    auto stock = HandStock();
    const std::string written = CChartFile::Write(*stock);
    const std::string expected = SHandChart().Bytes();
    ASSERT_EQ(written.size(), expected.size());
    for (size_t i = 0; i < written.size(); ++i)
        ASSERT_EQ(written[i], expected[i]) << "offset " << i;
}

TEST_F(ChartFileTest, ReadsTheHandWrittenLayoutBack) {
    const std::string bytes = SHandChart().Bytes();
    auto stock = Read(bytes);
    ASSERT_TRUE(stock) << error;
    EXPECT_EQ(stock->SymbolName(), "AAA");
    EXPECT_EQ(stock->Market(), "US");
    EXPECT_EQ(stock->QuoteFilePath(), "/q/AAA.csv");
    ASSERT_EQ(stock->Display().size(), 2u);
    EXPECT_EQ(stock->Base()[1].close, 10.5f);
    EXPECT_EQ(stock->Base()[1].volume, 200.0f);
    EXPECT_EQ(stock->Colour(3), 0x0000FFu);
    EXPECT_EQ(stock->Colour(1), 0xFFFFFFu);
    EXPECT_EQ(stock->FlagBytes()[255], 7);
    EXPECT_EQ(CStockPanes::Of(*stock)->Count(), 2u);
    EXPECT_TRUE(CChartFile::Write(*stock) == bytes);
}

TEST_F(ChartFileTest, ThreePanesStoreThreeContainersAndTenViewRecords) {
    auto stock = std::make_unique<CStock>();
    stock->RestoreSeries(Bars(401), Bars(83));
    stock->SetPaneCount(3);
    const std::string bytes = CChartFile::Write(*stock);
    const size_t head = 36 + 10 * 334 + 20 + 16 + 3 + 7; // four strings, symbol "NoName"
    const size_t emptyPane = 28 + 10 + 11 + 16;          // "Curve Name" for panes never made
    EXPECT_EQ(bytes.size(), head + (4 + 401 * 24) + (4 + 83 * 24) + 3 * emptyPane + 256);
    auto read = Read(bytes);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(CStockPanes::Of(*read)->Count(), 3u);
    EXPECT_EQ(read->Base().size(), 401u);
    EXPECT_EQ(read->Display().size(), 83u);
}

struct SRefusal {
    const char* what;
    std::function<void(SHandChart&)> change;
};

TEST_F(ChartFileTest, RefusesStoredValuesOutOfRange) {
    const std::vector<SRefusal> cases = {
        {"pane count 0", [](SHandChart& c) { c.paneCount = 0; }},
        {"pane count 11", [](SHandChart& c) { c.paneCount = 11; }},
        {"period 4", [](SHandChart& c) { c.period = 4; }},
        {"period -1", [](SHandChart& c) { c.period = -1; }},
        {"DisDayNum -1", [](SHandChart& c) { c.barsInWindow = -1; }},
        {"DisPeriod -1", [](SHandChart& c) { c.maximumQuotes = -1; }},
        {"N -1", [](SHandChart& c) { c.nDays = -1; }},
        {"cellMaxX 1001", [](SHandChart& c) { c.views[0] = View(1001); }},
        {"cellMaxX 0", [](SHandChart& c) { c.views[3] = View(0); }},
        {"cellMaxY 1001", [](SHandChart& c) { c.views[9] = View(70, 1001); }},
        {"cellMaxY -5", [](SHandChart& c) { c.views[9] = View(70, -5); }},
        {"quote count 2 billion", [](SHandChart& c) { c.baseCount = Le32(2000000000); }},
        {"negative quote count", [](SHandChart& c) { c.baseCount = Le32(0xFFFFFFFF); }},
        {"identifier count 2 billion",
         [](SHandChart& c) { c.views[2] = View(70, 50, Le32(2000000000)); }},
        {"price series in a pane",
         [](SHandChart& c) {
             c.panes = Pane("a", 0, 2) + Pane("b", 0, 2);
             c.panes.replace(c.panes.size() - 4, 4, Le32(1) + Le32(37));
         }},
        {"element code without class",
         [](SHandChart& c) {
             c.panes = Pane("a", 0, 2) + Pane("b", 0, 2);
             c.panes.replace(c.panes.size() - 4, 4, Le32(1) + Le32(5) + std::string(700, '\0'));
         }},
        {"one pane record missing", [](SHandChart& c) { c.panes = Pane("a", 0, 2); }},
    };
    for (const SRefusal& c : cases) {
        SHandChart chart;
        c.change(chart);
        const std::string bytes = chart.Bytes();
        ResetLargestAllocation();
        EXPECT_EQ(Read(bytes), nullptr) << c.what;
        EXPECT_EQ(result.kind(), CFileResult::EKind::Damaged) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_LT(LargestAllocationSinceReset(), 64u * 1024) << c.what;
    }
}

TEST_F(ChartFileTest, AcceptsTheLimits) {
    const std::vector<SRefusal> cases = {
        {"cellMaxX and cellMaxY 1000", [](SHandChart& c) { c.views[0] = View(1000, 1000); }},
        {"cellMax 1", [](SHandChart& c) { c.views[5] = View(1, 1); }},
        {"period 3", [](SHandChart& c) { c.period = 3; }},
        {"one pane",
         [](SHandChart& c) {
             c.paneCount = 1;
             c.panes = Pane("NoName", 0, 2);
         }},
        {"the highest price style, pen style and line weight",
         [](SHandChart& c) {
             c.priceStyle = 6;
             c.penStyle = 5;
             c.lineWeight = 6;
         }},
        {"price style, pen style and line weight 0",
         [](SHandChart& c) { c.priceStyle = c.penStyle = c.lineWeight = 0; }},
        {"64 identifiers in a pane",
         [](SHandChart& c) { c.views[4] = View(70, 50, Identifiers(64)); }},
        {"fonts of 4096 pixels, weight 1000",
         [](SHandChart& c) { c.views[0] = View(70, 50, Le32(0), Font(4096, 4096, 1000)); }},
        {"character heights and widths of -4096, weight 0",
         [](SHandChart& c) { c.views[9] = View(70, 50, Le32(0), Font(), Font(-4096, -4096, 0)); }},
        {"31-character face name and no identifiers",
         [](SHandChart& c) {
             c.views[1] = View();
             c.views[1].replace(36 + 13, 6, Counted(std::string(31, 'N')));
         }},
    };
    for (const SRefusal& c : cases) {
        SHandChart chart;
        c.change(chart);
        const std::string bytes = chart.Bytes();
        auto stock = Read(bytes);
        ASSERT_TRUE(stock) << c.what << ": " << error;
        EXPECT_TRUE(CChartFile::Write(*stock) == bytes) << c.what;
    }
}

TEST_F(ChartFileTest, TwoBillionCountInOneKilobyteIsRefusedWithoutAllocating) {
    std::string bytes = Le32(2) + std::string(32, '\0') + View(70, 50, Le32(2000000000));
    bytes.resize(1024, '\0');
    ResetLargestAllocation();
    EXPECT_EQ(Read(bytes), nullptr);
    EXPECT_LT(LargestAllocationSinceReset(), 64u * 1024);
    EXPECT_EQ(result.kind(), CFileResult::EKind::Damaged);
    EXPECT_NE(error.find("2000000000"), std::string::npos) << error;
}

// Each identifier is one indicator build when the chart is opened: a file of 1 MB could ask
// for a quarter of a million.
TEST_F(ChartFileTest, AMegabyteAskingForAQuarterMillionBuildsIsRefusedBeforeAnyBuild) {
    SHandChart chart;
    chart.views[3] = View(70, 50, Identifiers(250000));
    const std::string bytes = chart.Bytes();
    ASSERT_GE(bytes.size(), 1000000u);
    EXPECT_EQ(Read(bytes), nullptr);
    EXPECT_EQ(result.kind(), CFileResult::EKind::Damaged);
    EXPECT_NE(error.find("identifier count of 250000 (allowed 0 to 64)"), std::string::npos)
        << error;
}

// What the user builds by hand must read back: the list stops at the limit the reader takes.
TEST_F(ChartFileTest, APaneTakesSixtyFourIndicatorsAndTheChartReadsBack) {
    auto stock = std::make_unique<CStock>();
    stock->RestoreSeries(Bars(40), Bars(40));
    stock->RestoreWindow(0, 40);
    stock->SetPaneCount(2);
    CStockPanes& panes = CStockPanes::InstallIn(*stock);
    panes.PaneAt(0);
    panes.PaneAt(1);
    for (int i = 0; i < 64; ++i) ASSERT_TRUE(BuildIndicator(*stock, "VOL", 1, true, true)) << i;
    const size_t curves = panes.Pane(1)->Curves().size();
    EXPECT_FALSE(BuildIndicator(*stock, "VOL", 1, true, true));
    EXPECT_EQ(stock->ViewPar(1).identifiers.size(), 64u);
    EXPECT_EQ(panes.Pane(1)->Curves().size(), curves);
    // Starting the list again is still allowed.
    EXPECT_TRUE(BuildIndicator(*stock, "RSI", 1, false, true));
    EXPECT_EQ(stock->ViewPar(1).identifiers, std::vector<std::string>{"RSI"});
    for (int i = 1; i < 64; ++i) ASSERT_TRUE(BuildIndicator(*stock, "VOL", 1, true, true)) << i;
    auto read = Read(CChartFile::Write(*stock));
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->ViewPar(1).identifiers.size(), 64u);
}

// A list filled past the limit by code that does not check (the view record is a plain
// struct) is replayed only as far as a chart file could hold it.
TEST_F(ChartFileTest, AReplayBuildsNoMoreThanSixtyFourEntries) {
    auto stock = std::make_unique<CStock>();
    stock->RestoreSeries(Bars(40), Bars(40));
    stock->RestoreWindow(0, 40);
    stock->SetPaneCount(2);
    CStockPanes& panes = CStockPanes::InstallIn(*stock);
    panes.PaneAt(0);
    panes.PaneAt(1);
    ASSERT_TRUE(BuildIndicator(*stock, "VOL", 1, false, true));
    const size_t perEntry = panes.Pane(1)->Curves().size();
    ASSERT_GT(perEntry, 0u);
    stock->ViewPar(1).identifiers.assign(1000, "VOL");
    panes.ReplayPane(*stock, 1);
    EXPECT_EQ(panes.Pane(1)->Curves().size(), 64 * perEntry);
    panes.ReplayIndicators(*stock);
    EXPECT_EQ(panes.Pane(1)->Curves().size(), 64 * perEntry);
}

struct SReplayWork {
    int bars;
    int entries; // spread over panes 0 to 2, then pane 9 beyond the pane count
    int beyondPaneCount;
    const char* reason; // empty: the chart opens
};

// Opening rebuilds every entry over the display series: the entries a chart may hold fall as
// its bars rise, so that no file makes opening take more than a moment.
TEST_F(ChartFileTest, IndicatorEntriesAreHeldToWhatTheBarsAllow) {
    EXPECT_EQ(MaxIndicatorEntries(0), 640);
    EXPECT_EQ(MaxIndicatorEntries(12500), 640);
    EXPECT_EQ(MaxIndicatorEntries(12501), 639);
    EXPECT_EQ(MaxIndicatorEntries(200000), 40);
    EXPECT_EQ(MaxIndicatorEntries(350000), 22);
    const std::vector<SReplayWork> cases = {
        {200000, 40, 0, ""},
        {200000, 41, 0, "41 indicator entries over 200000 bars (allowed 40 for that many bars)"},
        {200000, 40, 30, ""},
        {12500, 192, 0, ""},
    };
    for (const SReplayWork& c : cases) {
        auto stock = std::make_unique<CStock>();
        stock->RestoreSeries(HourlyBars(c.bars), HourlyBars(c.bars));
        stock->RestoreWindow(c.bars - 100, c.bars);
        stock->SetPaneCount(3);
        for (int i = 0; i < c.entries; ++i) stock->ViewPar(i % 3).identifiers.push_back("VOL");
        stock->ViewPar(9).identifiers.assign(static_cast<size_t>(c.beyondPaneCount), "VOL");
        auto read = Read(CChartFile::Write(*stock));
        if (std::string(c.reason).empty()) {
            EXPECT_TRUE(read) << c.entries << ": " << error;
        } else {
            EXPECT_EQ(read, nullptr) << c.entries;
            EXPECT_EQ(error.find(c.reason), 0u) << error;
        }
    }
}

// What the user adds by hand is what the reader takes: the entry past the limit is refused.
TEST_F(ChartFileTest, AnEntryPastWhatTheBarsAllowIsNotBuilt) {
    auto stock = std::make_unique<CStock>();
    stock->RestoreSeries(HourlyBars(200000), HourlyBars(200000));
    stock->RestoreWindow(199900, 200000);
    stock->SetPaneCount(2);
    CStockPanes& panes = CStockPanes::InstallIn(*stock);
    panes.PaneAt(0);
    panes.PaneAt(1);
    for (int i = 0; i < 39; ++i) ASSERT_TRUE(BuildIndicator(*stock, "VOL", 1, true, true)) << i;
    ASSERT_TRUE(BuildIndicator(*stock, "SMA", 0, true, true));
    EXPECT_FALSE(BuildIndicator(*stock, "VOL", 1, true, true));
    EXPECT_FALSE(BuildIndicator(*stock, "FLAGMA", 0, true, true));
    EXPECT_EQ(IndicatorEntryCount(*stock), 40);
    // Starting pane 1's list again frees its entries.
    EXPECT_TRUE(BuildIndicator(*stock, "RSI", 1, false, true));
    EXPECT_EQ(IndicatorEntryCount(*stock), 2);
    EXPECT_TRUE(Read(CChartFile::Write(*stock))) << error;
}

TEST_F(ChartFileTest, EveryShortenedFileIsRefused) {
    const std::string bytes = SHandChart().Bytes();
    for (size_t length = 0; length < bytes.size(); ++length) {
        ASSERT_EQ(Read(bytes.substr(0, length)), nullptr) << length;
        ASSERT_EQ(result.kind(), CFileResult::EKind::Damaged) << length;
        ASSERT_FALSE(error.empty()) << length;
    }
}

struct SReason {
    const char* what;
    std::function<void(SHandChart&)> change;
    const char* reason;
};

// 36 bytes of head and ten view records of 334 bytes come before the window settings.
TEST_F(ChartFileTest, RefusalsNameWhatWasRefusedAndWhere) {
    const std::vector<SReason> cases = {
        {"pane count 0", [](SHandChart& c) { c.paneCount = 0; }, "a pane count of 0 at offset 0"},
        {"pane count 11", [](SHandChart& c) { c.paneCount = 11; },
         "a pane count of 11 at offset 0"},
        {"DisDayNum -1", [](SHandChart& c) { c.barsInWindow = -1; },
         "a DisDayNum of -1 at offset 3380"},
        {"DisPeriod -1", [](SHandChart& c) { c.maximumQuotes = -1; },
         "a DisPeriod of -1 at offset 3384"},
        {"N -1", [](SHandChart& c) { c.nDays = -1; },
         "a N of the N-day period of -1 at offset 3388"},
        {"period 4", [](SHandChart& c) { c.period = 4; }, "a period of 4 at offset 3392"},
        {"price style 7", [](SHandChart& c) { c.priceStyle = 7; },
         "a price style of 7 at offset 4"},
        {"price style -1", [](SHandChart& c) { c.priceStyle = -1; },
         "a price style of -1 at offset 4"},
        {"pen style 6", [](SHandChart& c) { c.penStyle = 6; }, "a line pen style of 6 at offset 8"},
        {"line weight 7", [](SHandChart& c) { c.lineWeight = 7; },
         "a line weight of 7 at offset 12"},
        {"line weight INT_MAX", [](SHandChart& c) { c.lineWeight = INT32_MAX; },
         "a line weight of 2147483647 at offset 12"},
        {"65 identifiers", [](SHandChart& c) { c.views[0] = View(70, 50, Identifiers(65)); },
         "a view record's identifier count of 65 (allowed 0 to 64) before offset 114"},
        {"font height INT_MIN", [](SHandChart& c) { c.views[0] = ViewWithFont(INT32_MIN, 6, 400); },
         "a font height of -2147483648 (allowed -4096 to 4096) before offset 76"},
        {"font height 4097", [](SHandChart& c) { c.views[0] = ViewWithFont(4097, 6, 400); },
         "a font height of 4097 (allowed -4096 to 4096) before offset 76"},
        {"font width INT_MIN", [](SHandChart& c) { c.views[0] = ViewWithFont(15, INT32_MIN, 400); },
         "a font width of -2147483648 (allowed -4096 to 4096) before offset 80"},
        {"font width 4097", [](SHandChart& c) { c.views[0] = ViewWithFont(15, 4097, 400); },
         "a font width of 4097 (allowed -4096 to 4096) before offset 80"},
        {"font weight -1", [](SHandChart& c) { c.views[0] = ViewWithFont(15, 6, -1); },
         "a font weight of -1 (allowed 0 to 1000) before offset 84"},
        {"font weight 1001", [](SHandChart& c) { c.views[0] = ViewWithFont(15, 6, 1001); },
         "a font weight of 1001 (allowed 0 to 1000) before offset 84"},
        {"axis font height of the second record",
         [](SHandChart& c) { c.views[1] = View(70, 50, Le32(0), Font(), Font(-4097)); },
         "a font height of -4097 (allowed -4096 to 4096) before offset 429"},
    };
    for (const SReason& c : cases) {
        SHandChart chart;
        c.change(chart);
        EXPECT_EQ(Read(chart.Bytes()), nullptr) << c.what;
        EXPECT_EQ(result.kind(), CFileResult::EKind::Damaged) << c.what;
        EXPECT_EQ(error, c.reason) << c.what;
    }
    EXPECT_EQ(Read(""), nullptr);
    EXPECT_EQ(error, "the file ends early: 4 bytes wanted at offset 0, 0 left");
}

TEST_F(ChartFileTest, SaveAndLoadReportTheirOutcome) {
    auto stock = HandStock();
    const std::string path = home.Path() + "hand.cht";
    const CFileResult saved = CChartFile::Save(*stock, path);
    ASSERT_TRUE(saved.ok()) << saved.message();
    EXPECT_EQ(saved.message(), "");
    std::unique_ptr<CStock> read;
    const CFileResult loaded = CChartFile::Load(path, read);
    ASSERT_TRUE(loaded.ok()) << loaded.message();
    ASSERT_TRUE(read);
    EXPECT_TRUE(CChartFile::Write(*read) == SHandChart().Bytes());

    // Refusals leave the series given as it was.
    const CStock* kept = read.get();
    const CFileResult missing = CChartFile::Load(home.Path() + "missing.cht", read);
    EXPECT_EQ(missing.kind(), CFileResult::EKind::CannotOpen);
    EXPECT_EQ(missing.message(), "the file cannot be opened");
    SHandChart chart;
    chart.period = 4;
    EXPECT_EQ(CChartFile::Read(chart.Bytes(), read).kind(), CFileResult::EKind::Damaged);
    EXPECT_EQ(read.get(), kept);
}

TEST_F(ChartFileTest, WindowSettingsOfAChartStayWithTheChart) {
    SHandChart chart;
    chart.barsInWindow = 77;
    chart.maximumQuotes = 900;
    {
        auto stock = Read(chart.Bytes());
        ASSERT_TRUE(stock);
        EXPECT_EQ(stock->BarsInWindow(), 77);
        EXPECT_EQ(stock->MaximumQuotes(), 900);
    }
    const std::string setup = ReadBytesFrom(home.Path() + "setup.ini");
    EXPECT_EQ(setup.find("900"), std::string::npos) << setup;
    EXPECT_EQ(setup.find("77"), std::string::npos) << setup;
}

TEST_F(ChartFileTest, IndicatorsAreRecomputedFromTheIdentifierListsAfterLoading) {
    auto stock = std::make_unique<CStock>();
    stock->RestoreSeries(Bars(300), Bars(300));
    stock->RestoreWindow(100, 300);
    stock->SetPaneCount(3);
    CStockPanes& panes = CStockPanes::InstallIn(*stock);
    for (int number = 0; number < 3; ++number) panes.PaneAt(number);
    // Drawings first: a replay keeps them and appends the indicator output after them.
    auto line = std::make_unique<CLine>();
    line->x1 = 150;
    line->y2 = 22;
    panes.Pane(0)->AddElement(std::move(line));
    auto text = std::make_unique<CText>();
    text->text = "note";
    panes.Pane(2)->AddElement(std::move(text));
    ASSERT_TRUE(BuildIndicator(*stock, "SMA", 0, false, true));
    ASSERT_TRUE(BuildIndicator(*stock, "FLAGMA", 0, true, true));
    ASSERT_TRUE(BuildIndicator(*stock, "MACD", 1, false, true));
    ASSERT_TRUE(BuildIndicator(*stock, "RSI", 2, false, true));
    ASSERT_TRUE(BuildIndicator(*stock, "VOL", 2, true, true));
    panes.RebindPanes(*stock);

    const std::string bytes = CChartFile::Write(*stock);
    auto read = Read(bytes);
    ASSERT_TRUE(read) << error;
    CStockPanes* readPanes = CStockPanes::Of(*read);
    ASSERT_EQ(readPanes->Count(), 3u);
    for (int number = 0; number < 3; ++number) {
        const CTCurve& original = *panes.Pane(number);
        const CTCurve& loaded = *readPanes->Pane(number);
        EXPECT_EQ(loaded.paneName, original.paneName);
        ASSERT_EQ(loaded.Curves().size(), original.Curves().size()) << number;
        for (size_t i = 0; i < original.Curves().size(); ++i) {
            EXPECT_TRUE(SameBits(loaded.Curves()[i]->values, original.Curves()[i]->values));
            EXPECT_EQ(loaded.Curves()[i]->name, original.Curves()[i]->name);
        }
        ASSERT_EQ(loaded.Elements().size(), original.Elements().size()) << number;
        for (size_t i = 0; i < original.Elements().size(); ++i)
            EXPECT_EQ(loaded.Elements()[i]->TypeCode(), original.Elements()[i]->TypeCode());
        EXPECT_EQ(read->ViewPar(number).identifiers, stock->ViewPar(number).identifiers);
    }
    EXPECT_EQ(read->ViewPar(2).identifiers, (std::vector<std::string>{"RSI", "VOL"}));
    EXPECT_TRUE(CChartFile::Write(*read) == bytes);
}

TEST_F(ChartFileTest, CurvesAreRebuiltEvenWhenTheStoredValuesDiffer) {
    auto stock = std::make_unique<CStock>();
    stock->RestoreSeries(Bars(50), Bars(50));
    stock->RestoreWindow(0, 50);
    CStockPanes::InstallIn(*stock).PaneAt(1);
    ASSERT_TRUE(BuildIndicator(*stock, "SMA", 0, false, true));
    const std::vector<float> expected = CStockPanes::Of(*stock)->Pane(0)->Curves()[0]->values;
    CStockPanes::Of(*stock)->Pane(0)->Curves()[0]->values.assign(50, 1.0f);
    auto read = Read(CChartFile::Write(*stock));
    ASSERT_TRUE(read) << error;
    EXPECT_TRUE(SameBits(CStockPanes::Of(*read)->Pane(0)->Curves()[0]->values, expected));
}

} // namespace

TEST_F(ChartFileTest, EntryTagsAreNotStoredAndARemovedEntryStaysGoneAfterLoading) {
    auto stock = std::make_unique<CStock>();
    stock->RestoreSeries(Bars(120), Bars(120));
    stock->RestoreWindow(0, 120);
    ASSERT_TRUE(BuildIndicator(*stock, "MACD", 1, false, true));
    ASSERT_TRUE(BuildIndicator(*stock, "RSI", 1, true, true));
    // As an open chart has them: every pane over the window.
    CStockPanes::Of(*stock)->RebindPanes(*stock);
    CTCurve& pane = *CStockPanes::Of(*stock)->Pane(1);
    const std::string tagged = CChartFile::Write(*stock);
    for (const auto& curve : pane.Curves()) curve->entryIndex = 7;
    for (const auto& element : pane.Elements()) element->entryIndex = 7;
    EXPECT_TRUE(CChartFile::Write(*stock) == tagged);

    ASSERT_TRUE(RemoveIndicatorEntry(*stock, 1, 0));
    const std::string bytes = CChartFile::Write(*stock);
    auto read = Read(bytes);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->ViewPar(1).identifiers, std::vector<std::string>{"RSI"});
    const CTCurve& loaded = *CStockPanes::Of(*read)->Pane(1);
    ASSERT_EQ(loaded.Curves().size(), pane.Curves().size());
    for (std::size_t i = 0; i < pane.Curves().size(); ++i) {
        EXPECT_EQ(loaded.Curves()[i]->name, pane.Curves()[i]->name);
        const auto& got = loaded.Curves()[i]->values;
        const auto& want = pane.Curves()[i]->values;
        ASSERT_EQ(got.size(), want.size());
        EXPECT_EQ(std::memcmp(got.data(), want.data(), got.size() * sizeof(float)), 0);
        EXPECT_EQ(loaded.Curves()[i]->entryIndex, 0); // tagged again by the replay
    }
    EXPECT_EQ(loaded.Elements().size(), pane.Elements().size());
    const std::string again = CChartFile::Write(*read);
    ASSERT_EQ(again.size(), bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(again[i], bytes[i]) << "offset " << i;

    // The same chart with RSI alone from the start stores the same curves and elements.
    auto alone = std::make_unique<CStock>();
    alone->RestoreSeries(Bars(120), Bars(120));
    alone->RestoreWindow(0, 120);
    ASSERT_TRUE(BuildIndicator(*alone, "RSI", 1, false, true));
    const CTCurve& only = *CStockPanes::Of(*alone)->Pane(1);
    ASSERT_EQ(only.Curves().size(), pane.Curves().size());
    for (std::size_t i = 0; i < pane.Curves().size(); ++i)
        EXPECT_EQ(only.Curves()[i]->name, pane.Curves()[i]->name);
}
