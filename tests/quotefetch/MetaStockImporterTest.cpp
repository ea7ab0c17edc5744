#include "quotefetch/MetaStockImporter.h"
#include "ImportTestSupport.h"

namespace {
const std::string kFolder = "/data/NYSE/";

class MetaStockImport : public ::testing::Test {
protected:
    MetaStockImport() {
        options.dataFolder = "/data/";
        options.market = "NYSE";
        store.folders.insert(kFolder);
    }
    SImportFileReport Import(const std::string& bytes, const std::string& name = "in.txt") {
        log.lines.clear();
        return MetaStockImporter(store, log).ImportBytes(name, bytes, options);
    }
    std::string File(const std::string& ticker) {
        auto found = store.files.find(kFolder + ticker + ".csv");
        return found == store.files.end() ? "(none)" : found->second;
    }

    CMemoryQuoteFileStore store;
    CRecordingImportLog log;
    SImportOptions options;
};

const std::string kIbm = "5-Jan-05,83.0,84.1,82.9,83.7,5120000,83.7\n";
} // namespace

TEST_F(MetaStockImport, BothHeaderlessFormsGiveTheSameQuoteLine) {
    struct Case {
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"IBM,20050105,83.0,84.1,82.9,83.7,5120000",
         "No headerline. Import as MetaStock ASCII format(7 column)."},
        {"IBM,D,20050105,83.0,84.1,82.9,83.7,5120000\r\n",
         "No headerline. Import as MetaStock ASCII format(8 column)."},
    };
    for (const Case& c : cases) {
        store.files.clear();
        SImportFileReport report = Import(c.bytes);
        EXPECT_EQ(report.result, EImportFileResult::Imported) << c.bytes;
        EXPECT_EQ(File("IBM"), kQuoteHeader + kIbm) << c.bytes;
        EXPECT_EQ(log.lines, (std::vector<std::string>{
                                 c.message, "/data/NYSE/IBM.csv: 1 days added, 0 replaced, "
                                            "0 kept, 0 skipped."}));
    }
}

TEST_F(MetaStockImport, HeaderTitlesLocateTheColumnsInAnyLetterCase) {
    const std::string rows[] = {
        "<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>\n"
        "IBM,D,20050105,000000,83.0,84.1,82.9,83.7,5120000,0\n",
        "<ticker>,<per>,<dtyyyymmdd>,<time>,<open>,<high>,<low>,<close>,<vol>,<openint>\n"
        "IBM,D,20050105,000000,83.0,84.1,82.9,83.7,5120000,0\n",
        "<Date>,<Volume>,<Close>,<Low>,<High>,<Open>,<Ticker>\n"
        "20050105,5120000,83.7,82.9,84.1,83.0,IBM\n",
        " <YYYYMMDD> ,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOLUME>,<TICKER>\r\n"
        "20050105, 83.0,84.1,82.9,83.7,5120000,IBM\r\n",
    };
    for (const std::string& bytes : rows) {
        store.files.clear();
        SImportFileReport report = Import(bytes);
        EXPECT_EQ(report.result, EImportFileResult::Imported) << bytes;
        EXPECT_EQ(File("IBM"), kQuoteHeader + kIbm) << bytes;
        EXPECT_EQ(log.lines.size(), 1u) << bytes; // the counts only: no 553/554
    }
}

TEST_F(MetaStockImport, FilesOfNoKnownShapeAreReportedAndSkipped) {
    const std::string k550 = "Unexpected to the end of the DATA file.";
    const std::string k551 = "Unknown the DATA format. The file is not the MetaStock ASCII "
                             "format. Please use the MetaStock Format data.";
    struct Case {
        std::string bytes;
        EImportFileResult result;
        std::string message;
    };
    const Case cases[] = {
        {"", EImportFileResult::Empty, k550},
        {"\n\r\n  \n", EImportFileResult::Empty, k550},
        {"<TICKER>,<DATE>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>\n", EImportFileResult::Empty, k550},
        {"IBM,20050105,83.0,84.1,82.9,83.7\n", EImportFileResult::UnknownFormat, k551},
        {"IBM,D,20050105,0,83.0,84.1,82.9,83.7,5120000\n", EImportFileResult::UnknownFormat, k551},
        {"<TICKER>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>\nIBM,0,1,2,3,4,5\n",
         EImportFileResult::UnknownFormat, k551},
        {"<TICKER>,<DATE>,<OPEN>,<HIGH>,<LOW>,<CLOSE>\nIBM,20050105,1,2,3,4\n",
         EImportFileResult::UnknownFormat, k551},
    };
    for (const Case& c : cases) {
        SImportFileReport report = Import(c.bytes);
        EXPECT_EQ(report.result, c.result) << c.bytes;
        EXPECT_EQ(log.lines, std::vector<std::string>{c.message}) << c.bytes;
        EXPECT_TRUE(store.files.empty()) << c.bytes;
    }

    CRecordingImportLog missing;
    SImportFileReport report =
        MetaStockImporter(store, missing).ImportFile("/in/none.txt", options);
    EXPECT_EQ(report.result, EImportFileResult::CannotOpen);
    EXPECT_EQ(missing.lines, std::vector<std::string>{"Can not open the file /in/none.txt."});
}

TEST_F(MetaStockImport, BadLinesAreReportedWithTheirNumberAndSkipped) {
    const std::string good = "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n";
    struct Case {
        const char* why;
        std::string line;
        std::string message = "Data error in line 2 of file /in/ibm.txt.";
    };
    const std::string outOfRange = " in line 2 of file /in/ibm.txt cannot be stored: quote files "
                                   "hold the years 1950 to 2049 only.";
    const Case cases[] = {
        {"month 13", "IBM,20051305,1,2,0.5,1.5,10"},
        {"a price abc", "IBM,20050106,abc,2,0.5,1.5,10"},
        {"a 7-digit date", "IBM,2005016,1,2,0.5,1.5,10"},
        {"year 1949", "IBM,19491230,1,2,0.5,1.5,10", "The quote of 19491230" + outOfRange},
        {"year 2050", "IBM,20500103,1,2,0.5,1.5,10", "The quote of 20500103" + outOfRange},
        {"year 1928", "IBM,19281205,1,2,0.5,1.5,10", "The quote of 19281205" + outOfRange},
        {"30 February", "IBM,20050230,1,2,0.5,1.5,10"},
        {"29 February of a common year", "IBM,20050229,1,2,0.5,1.5,10"},
        {"day 0", "IBM,20050100,1,2,0.5,1.5,10"},
        {"an empty volume", "IBM,20050106,1,2,0.5,1.5,"},
        {"a price with a decimal comma", "IBM,20050106,1;5,2,0.5,1.5,10"},
        {"a number and more", "IBM,20050106,1.5x,2,0.5,1.5,10"},
        {"not a finite number", "IBM,20050106,inf,2,0.5,1.5,10"},
        {"a letter in the date", "IBM,2005O106,1,2,0.5,1.5,10"},
        {"too few fields", "IBM,20050106,1,2"},
        {"no ticker", ",20050106,1,2,0.5,1.5,10"},
    };
    for (const Case& c : cases) {
        store.files.clear();
        SImportFileReport report = Import(good + c.line + "\n" + good, "/in/ibm.txt");
        EXPECT_EQ(report.result, EImportFileResult::Imported) << c.why;
        EXPECT_EQ(report.badLines, 1u) << c.why;
        ASSERT_EQ(log.lines.size(), 3u) << c.why;
        EXPECT_EQ(log.lines[1], c.message) << c.why;
        // The repeated good line is the same day: skipped, not doubled.
        EXPECT_EQ(File("IBM"), kQuoteHeader + kIbm) << c.why;
    }
    // Leap days, the edges of the years the quote files can hold, numbers as C reads them.
    store.files.clear();
    Import("IBM,20040229,1e1,+2,.5,1.50,-0\nIBM,19500101,1,2,0.5,1.5,10\n"
           "IBM,20491231,1,2,0.5,1.5,10\n");
    EXPECT_EQ(File("IBM"), kQuoteHeader + "31-Dec-49,1,2,0.5,1.5,10,1.5\n"
                                          "29-Feb-04,1e1,+2,.5,1.50,-0,1.50\n"
                                          "1-Jan-50,1,2,0.5,1.5,10,1.5\n");
    // Every line bad: nothing to write.
    store.files.clear();
    EXPECT_EQ(Import("IBM,20051305,1,2,0.5,1.5,10\n").result, EImportFileResult::NoData);
    EXPECT_TRUE(store.files.empty());
}

TEST_F(MetaStockImport, MergesByDayIntoAFileThatHoldsNewerDays) {
    const std::string existing = kQuoteHeader + "10-Jan-05,90,91,89,90.5,700,90.5\n"
                                                "07-Jan-05,80,81,79,80.5,600,80.5\n"
                                                "05-Jan-05,70,71,69,70.5,500,70.5\n";
    const std::string bytes = "IBM,20050104,1,2,0.5,1.5,10\n"
                              "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n"
                              "IBM,20050106,3,4,2.5,3.5,30\n"
                              "IBM,20050107,4,5,3.5,4.5,40\n";
    struct Case {
        bool replace;
        std::string file;
        SQuoteDayMergeCounts counts;
        std::string logLine;
    };
    const Case cases[] = {
        {false,
         kQuoteHeader + "10-Jan-05,90,91,89,90.5,700,90.5\n"
                        "07-Jan-05,80,81,79,80.5,600,80.5\n"
                        "6-Jan-05,3,4,2.5,3.5,30,3.5\n"
                        "05-Jan-05,70,71,69,70.5,500,70.5\n"
                        "4-Jan-05,1,2,0.5,1.5,10,1.5\n",
         {2, 0, 3, 2},
         "/data/NYSE/IBM.csv: 2 days added, 0 replaced, 3 kept, 2 skipped."},
        {true,
         kQuoteHeader +
             "10-Jan-05,90,91,89,90.5,700,90.5\n"
             "7-Jan-05,4,5,3.5,4.5,40,4.5\n"
             "6-Jan-05,3,4,2.5,3.5,30,3.5\n" +
             kIbm + "4-Jan-05,1,2,0.5,1.5,10,1.5\n",
         {2, 2, 1, 0},
         "/data/NYSE/IBM.csv: 2 days added, 2 replaced, 1 kept, 0 skipped."},
    };
    for (const Case& c : cases) {
        store.files[kFolder + "IBM.csv"] = existing;
        options.replaceExisting = c.replace;
        SImportFileReport report = Import(bytes);
        EXPECT_EQ(File("IBM"), c.file) << c.replace;
        EXPECT_EQ(report.counts, c.counts) << c.replace;
        EXPECT_EQ(log.lines.back(), c.logLine);
    }
}

TEST_F(MetaStockImport, EachTickerGoesToItsOwnFileWithTheSuffix) {
    options.suffix = ".L";
    SImportFileReport report = Import("<TICKER>,<DATE>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>\n"
                                      "BP,20050105,1,2,0.5,1.5,10\n"
                                      "VOD,20050105,3,4,2.5,3.5,30\n"
                                      "BP,20050106,2,3,1.5,2.5,20\n");
    EXPECT_EQ(report.quoteFiles,
              (std::vector<std::string>{"/data/NYSE/BP.L.csv", "/data/NYSE/VOD.L.csv"}));
    EXPECT_EQ(store.files["/data/NYSE/BP.L.csv"],
              kQuoteHeader + "6-Jan-05,2,3,1.5,2.5,20,2.5\n5-Jan-05,1,2,0.5,1.5,10,1.5\n");
    EXPECT_EQ(store.files["/data/NYSE/VOD.L.csv"], kQuoteHeader + "5-Jan-05,3,4,2.5,3.5,30,3.5\n");
    EXPECT_EQ(report.counts, (SQuoteDayMergeCounts{3, 0, 0, 0}));
}

TEST_F(MetaStockImport, TickersThatAreNoFileNamesAreRefused) {
    const std::string tickers[] = {"../../x", "a/b", "a\\b", "..", ".", std::string("x\x01y"),
                                   "x\x7f"};
    for (const std::string& ticker : tickers) {
        store.files.clear();
        SImportFileReport report = Import(ticker + ",20050105,1,2,0.5,1.5,10\n" + ticker +
                                              ",20050106,1,2,0.5,1.5,10\n"
                                              "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n",
                                          "/in/bad.txt");
        EXPECT_EQ(report.badLines, 2u) << ticker;
        EXPECT_EQ(report.quoteFiles, std::vector<std::string>{"/data/NYSE/IBM.csv"}) << ticker;
        EXPECT_EQ(store.files.size(), 1u) << ticker;
        ASSERT_EQ(log.lines.size(), 3u) << ticker;
        EXPECT_EQ(log.lines[1], "The ticker \"" + ticker +
                                    "\" in line 1 of file /in/bad.txt cannot be a file name: "
                                    "its lines are not imported.");
    }
    // A ticker that only becomes "..": with the suffix.
    options.suffix = ".L";
    store.files.clear();
    EXPECT_EQ(Import("A.,20050105,1,2,0.5,1.5,10\n").result, EImportFileResult::NoData);
    EXPECT_TRUE(store.files.empty());
}

TEST_F(MetaStockImport, QuoteFilesThatCannotBeWrittenAreReported) {
    const std::string line = "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n";
    // Not a CSV quote file: left as it was.
    const std::string ticker = "<TICKER>,<PER>,<DTYYYYMMDD>\nIBM,D,20050105\n";
    store.files[kFolder + "IBM.csv"] = ticker;
    EXPECT_EQ(Import(line).result, EImportFileResult::NotWritten);
    EXPECT_EQ(File("IBM"), ticker);
    EXPECT_EQ(log.lines.back(),
              "/data/NYSE/IBM.csv is not a CSV quote file; it was left as it was.");
    // There but unreadable: not overwritten.
    store.unreadable.insert(kFolder + "IBM.csv");
    EXPECT_EQ(Import(line).result, EImportFileResult::NotWritten);
    EXPECT_EQ(File("IBM"), ticker);
    store.unreadable.clear();
    store.files.clear();
    // The write refused.
    store.refuseWrites = true;
    EXPECT_EQ(Import(line).result, EImportFileResult::NotWritten);
    EXPECT_EQ(log.lines.back(),
              "/data/NYSE/IBM.csv: Can not saving the new data file. (cannot replace "
              "/data/NYSE/IBM.csv)");
    // The market folder is created when missing, with 556, or reported.
    store.refuseWrites = false;
    store.folders.clear();
    store.refuseFolders = true;
    EXPECT_EQ(Import(line).result, EImportFileResult::NotWritten);
    EXPECT_EQ(log.lines.back(), "Can not create the folder /data/NYSE/.");
    store.refuseFolders = false;
    EXPECT_EQ(Import(line).result, EImportFileResult::Imported);
    EXPECT_EQ(log.lines[1], "Automaticly create directory of /data/NYSE/.");
    EXPECT_EQ(File("IBM"), kQuoteHeader + kIbm);
}

TEST_F(MetaStockImport, ARunLogsEachFileAndRefusesWhatItCannotStart) {
    store.files["/in/a.txt"] = "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n";
    store.files["/in/b.txt"] = "";
    std::vector<size_t> steps;
    MetaStockImporter importer(store, log);
    ASSERT_TRUE(importer.ImportFiles({"/in/a.txt", "/in/b.txt", "/in/c.txt"}, options,
                                     [&](size_t done) { steps.push_back(done); }));
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "3 files selected.",
                             "Now importing the DATA file of /in/a.txt.",
                             "No headerline. Import as MetaStock ASCII format(7 column).",
                             "/data/NYSE/IBM.csv: 1 days added, 0 replaced, 0 kept, 0 skipped.",
                             "Now importing the DATA file of /in/b.txt.",
                             "Unexpected to the end of the DATA file.",
                             "Now importing the DATA file of /in/c.txt.",
                             "Can not open the file /in/c.txt.",
                             "Import EOD DATA finished.",
                         }));
    EXPECT_EQ(steps, (std::vector<size_t>{1, 2, 3}));
    ASSERT_EQ(importer.Reports().size(), 3u);
    EXPECT_EQ(importer.Reports()[0].result, EImportFileResult::Imported);
    EXPECT_EQ(importer.Reports()[1].result, EImportFileResult::Empty);
    EXPECT_EQ(importer.Reports()[2].result, EImportFileResult::CannotOpen);

    struct Case {
        const char* why;
        size_t files;
        std::string market, suffix;
        std::string message;
    };
    const Case refusals[] = {
        {"no file", 0, "NYSE", "", "No EOD DATA Selected."},
        {"one file too many", MetaStockImporter::kMaxFiles + 1, "NYSE", "",
         "Too many files selected. Please reduce the number of files and try again."},
        {"a market outside the data folder", 1, "../x", "",
         "The market \"../x\" cannot be used as a folder name."},
        {"an empty market", 1, "", "", "The market \"\" cannot be used as a folder name."},
        {"a suffix with a slash", 1, "NYSE", "/x",
         "The suffix \"/x\" cannot be part of a file name."},
    };
    for (const Case& c : refusals) {
        log.lines.clear();
        steps.clear();
        SImportOptions refused = options;
        refused.market = c.market;
        refused.suffix = c.suffix;
        EXPECT_FALSE(importer.ImportFiles(std::vector<std::string>(c.files, "/in/a.txt"), refused,
                                          [&](size_t done) { steps.push_back(done); }))
            << c.why;
        EXPECT_EQ(log.lines, std::vector<std::string>{c.message}) << c.why;
        EXPECT_TRUE(steps.empty()) << c.why;
    }
    // The limit itself is allowed.
    log.lines.clear();
    EXPECT_TRUE(importer.ImportFiles(
        std::vector<std::string>(MetaStockImporter::kMaxFiles, "/in/b.txt"), options));
    EXPECT_EQ(log.lines.front(), "10000 files selected.");
}
