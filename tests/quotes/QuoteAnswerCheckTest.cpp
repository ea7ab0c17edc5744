#include "quotes/QuoteAnswerCheck.h"
#include "quotes/QuoteFileFormat.h"
#include <gtest/gtest.h>
#include <string>

namespace {
const std::string kHead = std::string(kCsvQuoteHeader) + "\n";
const std::string kQ1 = "5-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95";
const std::string kQ2 = "2-Dec-05,51.50,52.10,51.20,52.00,3900000,52.00";
} // namespace

TEST(QuoteAnswerCheck, JudgesAnswersAsTheQuoteReaderWouldReadThem) {
    struct Case {
        const char* what;
        std::string text;
        EQuoteAnswer verdict;
        size_t lineNumber;
        std::string line;
        size_t quotes;
    };
    // Longer than any line the reader buffers: it skips it without its text.
    const std::string longLine(70000, '7');
    const Case cases[] = {
        {"two quotes", kHead + kQ1 + "\n" + kQ2 + "\n", EQuoteAnswer::Readable, 0, "", 2},
        {"CR LF", std::string(kCsvQuoteHeader) + "\r\n" + kQ1 + "\r\n" + kQ2 + "\r\n",
         EQuoteAnswer::Readable, 0, "", 2},
        {"complete last line without line feed", kHead + kQ1 + "\n" + kQ2, EQuoteAnswer::Readable,
         0, "", 2},
        {"markup last line without line feed",
         kHead + kQ1 + "\n<!-- served by the quote service -->", EQuoteAnswer::Readable, 0, "", 1},
        {"null and short lines are skipped, as the reader skips them",
         kHead + kQ1 + "\n5-Dec-05,null,null,null,null,0,null\n\n" + kQ2 + "\n",
         EQuoteAnswer::Readable, 0, "", 2},
        {"overlong line in the middle", kHead + kQ1 + "\n" + longLine + "\n" + kQ2 + "\n",
         EQuoteAnswer::Readable, 0, "", 2},
        {"lower-case month", kHead + kQ1 + "\n28-dec-06,1,2,0.5,1.5,100,1.5\n" + kQ2 + "\n",
         EQuoteAnswer::UnknownMonth, 3, "28-dec-06,1,2,0.5,1.5,100,1.5", 1},
        {"unknown month on the first data line", kHead + "5-Dez-05,1,2,0.5,1.5,100,1.5\n",
         EQuoteAnswer::UnknownMonth, 2, "5-Dez-05,1,2,0.5,1.5,100,1.5", 0},
        {"cut inside the volume", kHead + kQ1 + "\n" + kQ2.substr(0, 34), EQuoteAnswer::CutLastLine,
         3, kQ2.substr(0, 34), 1},
        {"cut inside the close", kHead + kQ1 + "\n" + kQ2.substr(0, 28), EQuoteAnswer::CutLastLine,
         3, kQ2.substr(0, 28), 1},
        {"cut inside the date", kHead + kQ1 + "\n2-De", EQuoteAnswer::CutLastLine, 3, "2-De", 1},
        {"overlong last line without line feed", kHead + kQ1 + "\n" + longLine,
         EQuoteAnswer::CutLastLine, 3, "", 1},
        {"header with more on its line", std::string(kCsvQuoteHeader) + ",Extra\n" + kQ1 + "\n",
         EQuoteAnswer::NoHeader, 1, std::string(kCsvQuoteHeader) + ",Extra", 0},
        {"another first line", "<html>\n" + kQ1 + "\n", EQuoteAnswer::NoHeader, 1, "<html>", 0},
        {"nothing", "", EQuoteAnswer::NoHeader, 1, "", 0},
        {"header only", kHead, EQuoteAnswer::NoQuote, 0, "", 0},
        {"header without line feed", std::string(kCsvQuoteHeader), EQuoteAnswer::NoQuote, 0, "", 0},
        {"no line read as a quote", kHead + "5-Dec-05,null,null,null,null,0,null\n",
         EQuoteAnswer::NoQuote, 0, "", 0},
    };
    for (const Case& c : cases) {
        SQuoteAnswerCheck check = CheckQuoteAnswer(c.text);
        EXPECT_EQ(check.verdict, c.verdict) << c.what;
        EXPECT_EQ(static_cast<bool>(check), c.verdict == EQuoteAnswer::Readable) << c.what;
        EXPECT_EQ(check.lineNumber, c.lineNumber) << c.what;
        EXPECT_EQ(check.line, c.line) << c.what;
        EXPECT_EQ(check.quotes, c.quotes) << c.what;
    }
}

TEST(QuoteAnswerCheck, MessageNamesTheLineShownSafely) {
    SQuoteAnswerCheck check =
        CheckQuoteAnswer(kHead + "28-dec-06,1,2,0.5,1.5,100,\x01" + std::string(90, '9') + "\n");
    EXPECT_EQ(RefusedAnswerMessage(check),
              "Line 2 of the downloaded data was refused (unknown month): \"28-dec-06,1,2,0.5,1.5,"
              "100,?" +
                  std::string(80 - 27, '9') + "...\". The quote file was not changed.");
    EXPECT_EQ(RefusedAnswerMessage(CheckQuoteAnswer(kHead)),
              "The downloaded data hold no quote. The quote file was not changed.");
    EXPECT_EQ(RefusedAnswerMessage(CheckQuoteAnswer(kHead + kQ1 + "\n")), "");
}
