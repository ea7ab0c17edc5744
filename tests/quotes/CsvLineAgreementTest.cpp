// The reader takes a line's fields in one pass and works out local midnights from the zone's
// offset. These tests hold it to the way lines were read before: cut into fields first, each
// field read alone, every midnight asked of mktime.
#include "quotes/CCsvQuoteReader.h"
#include "quotes/CLocalMidnightCache.h"
#include "quotes/LocalDate.h"
#include "quotes/QuoteFields.h"
#include "quotes/QuoteLineDate.h"
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {
using ELine = CCsvQuoteReader::ELine;

ELine ReadByCuttingFirst(std::string_view line, SQuote& quote) {
    if (line.size() < 20) return ELine::Short;
    if (line.front() == '<') return ELine::Markup;
    std::string_view fields[7];
    SplitQuoteFields(line, fields, 7);
    SQuoteDay day;
    switch (ParseQuoteDate(fields[0], EQuoteDateRule::Strict, day)) {
    case EQuoteDate::Ok:
        break;
    case EQuoteDate::UnknownMonth:
        return ELine::UnknownMonth;
    default:
        return ELine::BadDate;
    }
    SQuote parsed;
    switch (LocalMidnight(day.year, day.month, day.day, parsed.date)) {
    case ELocalMidnight::Ok:
        break;
    case ELocalMidnight::NoSuchDay:
        return ELine::BadDate;
    case ELocalMidnight::OutOfRange:
        return ELine::DateOutOfRange;
    }
    bool numbers =
        ReadRequiredNumber(fields[1], parsed.open) && ReadRequiredNumber(fields[2], parsed.high) &&
        ReadRequiredNumber(fields[3], parsed.low) && ReadRequiredNumber(fields[4], parsed.close) &&
        ReadOptionalNumber(fields[5], parsed.volume) &&
        ReadOptionalNumber(fields[6], parsed.adjClose);
    if (!numbers) return ELine::BadNumber;
    quote = parsed;
    return ELine::Quote;
}

// Sets TZ for the life of the object and puts the old value back.
class CScopedZone {
public:
    explicit CScopedZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~CScopedZone() {
        if (m_old)
            ::setenv("TZ", m_old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> m_old;
};

// Lines and what they are, for a mismatch to name.
int CountDisagreements(const std::vector<std::string>& lines) {
    CCsvQuoteReader reader;
    int disagreements = 0;
    for (const std::string& line : lines) {
        SQuote onePass, cutFirst;
        ELine fast = reader.ParseLine(line, onePass);
        ELine slow = ReadByCuttingFirst(line, cutFirst);
        bool same = fast == slow && std::memcmp(&onePass, &cutFirst, sizeof(SQuote)) == 0;
        if (!same && ++disagreements <= 10)
            ADD_FAILURE() << "\"" << line << "\": one pass " << int(fast) << ", cut first "
                          << int(slow);
    }
    return disagreements;
}
} // namespace

TEST(CsvLineAgreement, EdgeLinesReadAsWhenTheFieldsWereCutFirst) {
    std::vector<std::string> lines = {
        "5-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "05-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95,trailing,fields",
        "5-Dec-05,52.05,52.27,51.78,51.95,4943331,",
        "5-Dec-05,52.05,52.27,51.78,51.95,,",
        "5-Dec-05,52.05,52.27,51.78,51.95,,51.95",
        "5-Dec-05,52.05,52.27,51.78,51.95",
        "5-Dec-05,52.05,52.27,51.78,51.95,",
        "5-Dec-05,52.05,52.27,51.78,,4943331,51.95",
        "5-Dec-05,52.05,52.27,51.78",
        "5-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95x",
        "5-Dec-05,52.05,52.27,51.78,51.95,4943331x,51.95",
        "5-Dec-05,1e,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,1e5,-0,.5,5.,1e-50,1e38",
        "5-Dec-05,1e39,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,inf,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,52.05,52.27,51.78,51.95,nan,51.95",
        "5-Dec-05,+1,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05, 1,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,1 ,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,0x10,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,-,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,.,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95\r",
        std::string("5-Dec-05,52.05\0,52.27,51.78,51.95,4943331,51.95", 45),
        "5-Dec-05,123456789012345678901234567890,1,1,1,1,1",
        "5-dec-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "5-Dex-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "Dec-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "ec-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "123-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "x5-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "5_Dec_05,52.05,52.27,51.78,51.95,4943331,51.95",
        "5-Dec-0x,52.05,52.27,51.78,51.95,4943331,51.95",
        "00-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95",
        "29-Feb-04,1,1,1,1,1,1,1,1,1,1,1,1",
        "29-Feb-05,1,1,1,1,1,1,1,1,1,1,1,1",
        "31-Apr-05,1,1,1,1,1,1,1,1,1,1,1,1",
        "19-Jan-38,1,1,1,1,1,1,1,1,1,1,1,1",
        "20-Jan-38,1,1,1,1,1,1,1,1,1,1,1,1",
        "31-Dec-49,1,1,1,1,1,1,1,1,1,1,1,1",
        "1-Jan-50,1,1,1,1,1,1,1,1,1,1,1,1",
        "13-Dec-01,1,1,1,1,1,1,1,1,1,1,1,1",
        "abcdefghijklmnopqrstuvwxyz",
        "2005-12-05,52.05,52.27,51.78,51.95",
        ",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
        "5-Dec-05,,,,,,,,,,,,,,,,,,,,,,",
        "<td>5-Dec-05,52.05,52.27,51.78</td>",
        "short,line",
        "5-Dec-05",
    };
    EXPECT_EQ(CountDisagreements(lines), 0);
}

TEST(CsvLineAgreement, GeneratedAndMutatedLinesReadAsWhenTheFieldsWereCutFirst) {
    const char* const dates[] = {"5-Dec-05", "05-Dec-05", "31-Jan-00", "29-Feb-04", "29-Feb-05",
                                 "1-Jan-49", "1-Jan-50",  "18-Jan-38", "20-Jan-38", "5-dec-05",
                                 "",         "5-Dec",     "5-Dec-5",   "15-Mar-99x"};
    const char* const numbers[] = {"52.05", "0", "-0", "1", "1e5", "1e", "1e39", "inf", "nan",
                                   "+1",    " 1", ".5", "5.", "-", "",  "4943331", "12.345",
                                   "3.4028235e38", "1e-45", "1e-50", "0.1x", "0x1p3"};
    const std::string alphabet = ",-.e0159JanDec<x \r\t+";
    std::mt19937 random(4711);
    auto pick = [&random](size_t count) { return static_cast<size_t>(random() % count); };
    std::vector<std::string> lines;
    for (int i = 0; i < 200000; ++i) {
        std::string line = dates[pick(std::size(dates))];
        const size_t fields = pick(10);
        for (size_t f = 0; f < fields; ++f) {
            line += ',';
            line += numbers[pick(std::size(numbers))];
        }
        // A few changed, inserted or dropped characters.
        for (size_t change = pick(4); change > 0 && !line.empty(); --change) {
            size_t at = pick(line.size());
            switch (pick(3)) {
            case 0:
                line[at] = alphabet[pick(alphabet.size())];
                break;
            case 1:
                line.insert(line.begin() + static_cast<std::ptrdiff_t>(at),
                            alphabet[pick(alphabet.size())]);
                break;
            default:
                line.erase(at, 1);
            }
        }
        lines.push_back(line);
    }
    EXPECT_EQ(CountDisagreements(lines), 0);
    // The generator makes every kind of line, quotes included.
    CCsvQuoteReader reader;
    int verdicts[7] = {};
    for (const std::string& line : lines) {
        SQuote quote;
        ++verdicts[static_cast<int>(reader.ParseLine(line, quote))];
    }
    for (int kind = 0; kind < 7; ++kind) EXPECT_GT(verdicts[kind], 0) << "kind " << kind;
}

// The plain decimals of prices and volumes are read by one division of exact floats; every
// such text must give the float from_chars gives, at each place of the point, both signs,
// with leading and trailing zeros, and just past the limits of that shortcut.
TEST(CsvLineAgreement, PlainDecimalsReadAsFromCharsReadsThem) {
    std::vector<std::string> texts;
    auto add = [&texts](uint64_t digits, int after, bool negative, int leadingZeros) {
        std::string text = std::to_string(digits);
        if (static_cast<int>(text.size()) <= after)
            text.insert(0, static_cast<size_t>(after) + 1 - text.size(), '0');
        if (after > 0) text.insert(text.size() - static_cast<size_t>(after), ".");
        text.insert(0, static_cast<size_t>(leadingZeros), '0');
        if (negative) text.insert(0, "-");
        texts.push_back(text);
    };
    for (uint64_t digits = 0; digits < 100000; ++digits)
        for (int after = 0; after <= 11; ++after) add(digits, after, digits % 3 == 0, 0);
    std::mt19937_64 random(99);
    for (int i = 0; i < 1000000; ++i) {
        uint64_t digits = random() % (i % 2 ? (uint64_t{1} << 24) + 100 : 1000000000);
        add(digits, static_cast<int>(random() % 13), random() % 2, static_cast<int>(random() % 3));
    }
    for (const char* text : {"16777215", "16777216", "16777217", "1677721.5", "99999999",
                             "0.0000000001", "0.00000000001", "123456789", "1.5,", "-0", "-0.00"})
        texts.push_back(text);
    int disagreements = 0;
    for (const std::string& text : texts) {
        const std::string_view field = std::string_view(text).substr(0, text.find(','));
        float expected = -1, got = -2;
        const bool want = ReadRequiredNumber(field, expected);
        const char* p = text.data();
        const char* const end = p + text.size();
        const bool have = ReadNumberField(p, end, got);
        const char* const next = field.size() < text.size() ? text.data() + field.size() + 1 : end;
        const bool same = want == have && (!have || (std::memcmp(&expected, &got, sizeof got) == 0 &&
                                                     p == next));
        if (!same && ++disagreements <= 10)
            ADD_FAILURE() << text << ": from_chars " << expected << ", one pass " << got;
    }
    EXPECT_EQ(disagreements, 0);
}

// Zones whose offset changes at or near midnight, skip a day, move by half an hour or count
// leap seconds, beside the two every test runs in.
TEST(LocalMidnightCacheAgreement, EveryDayFrom1950To2049IsTheMidnightMktimeGives) {
    const char* const zones[] = {"UTC",           "America/New_York",   "America/Sao_Paulo",
                                 "Asia/Beirut",   "Pacific/Apia",       "America/Havana",
                                 "Asia/Tehran",   "Australia/Lord_Howe", "America/St_Johns",
                                 "Africa/Casablanca", "Europe/Lisbon",  "right/UTC"};
    for (const char* zone : zones) {
        CScopedZone scoped(zone);
        CLocalMidnightCache cache;
        int disagreements = 0, derived = 0, days = 0;
        for (int year = 1950; year <= 2049; ++year)
            for (int month = 1; month <= 12; ++month)
                for (int day = 0; day <= 32; ++day) {
                    int32_t expected = 0, got = 0;
                    ELocalMidnight want = LocalMidnight(year, month, day, expected);
                    ELocalMidnight have = cache.Get(year, month, day, got);
                    if (have != want || (want == ELocalMidnight::Ok && got != expected)) {
                        if (++disagreements <= 5)
                            ADD_FAILURE() << zone << " " << year << "-" << month << "-" << day
                                          << ": mktime " << expected << ", cache " << got;
                    }
                    if (want != ELocalMidnight::Ok) continue;
                    ++days;
                    int64_t midnight = 0;
                    CLocalMidnightCache fresh;
                    if (fresh.DeriveMidnight(year, month, day, midnight)) {
                        ++derived;
                        EXPECT_EQ(midnight, expected) << zone << " " << year << "-" << month;
                    }
                }
        EXPECT_EQ(disagreements, 0) << zone;
        // Outside the zones that count leap seconds, mktime is asked only near a change.
        if (std::string(zone) != "right/UTC") {
            EXPECT_GT(derived, days * 95 / 100) << zone;
        }
    }
}
