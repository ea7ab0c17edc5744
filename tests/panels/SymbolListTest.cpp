#include "panels/CSymbolList.h"
#include "panels/DataFileList.h"
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

CSymbolList Acme(bool byName) {
    CSymbolList list;
    list.SetByName(byName);
    // File order, not sorted.
    list.Assign({{"MSFT", "Microsoft Corporation"},
                 {"ACMEX", "Acme Extra Holdings"},
                 {"IBM", "International Business Machines"},
                 {"ACME", "Zeta Acme Tools"},
                 {"AA", "Alcoa Inc"},
                 {"IBMX", "Brand Ibm Fund"}});
    return list;
}

std::vector<std::string> Labels(const CSymbolList& list) {
    std::vector<std::string> labels;
    for (size_t row = 0; row < list.Count(); ++row) labels.push_back(list.Label(row));
    return labels;
}

TEST(SymbolList, OrdersAndLabelsBySymbolOrByName) {
    CSymbolList list = Acme(false);
    EXPECT_EQ(Labels(list),
              (std::vector<std::string>{"AA", "ACME", "ACMEX", "IBM", "IBMX", "MSFT"}));
    EXPECT_EQ(list.Other(1), "Zeta Acme Tools");
    list.SetByName(true);
    EXPECT_EQ(Labels(list),
              (std::vector<std::string>{"Acme Extra Holdings", "Alcoa Inc", "Brand Ibm Fund",
                                        "International Business Machines", "Microsoft Corporation",
                                        "Zeta Acme Tools"}));
    EXPECT_EQ(list.Other(0), "ACMEX");
    EXPECT_EQ(list.At(5).symbol, "ACME");
    // Back again, and a new database keeps the order chosen.
    list.SetByName(false);
    EXPECT_EQ(list.Label(0), "AA");
    list.SetByName(true);
    list.Assign({{"B", "yankee"}, {"A", "Xray"}});
    EXPECT_EQ(Labels(list), (std::vector<std::string>{"Xray", "yankee"}));
}

TEST(SymbolList, EqualLabelsAreOrderedByTheOtherText) {
    CSymbolList list;
    list.SetByName(true);
    list.Assign({{"ZZ", "Same Name"}, {"AA", "Same Name"}, {"MM", "Same Name"}});
    EXPECT_EQ(list.At(0).symbol, "AA");
    EXPECT_EQ(list.At(1).symbol, "MM");
    EXPECT_EQ(list.At(2).symbol, "ZZ");
}

TEST(SymbolList, FindTakesExactSymbolThenPrefixThenNameIgnoringCase) {
    struct Case {
        const char* text;
        bool byName;
        std::optional<std::string> symbol;
    };
    const Case cases[] = {
        {"ACME", false, "ACME"}, // exact, though ACMEX also begins so
        {"acme", false, "ACME"}, // letter case ignored
        {"AcMe", true, "ACME"},  // exact wins over the earlier ACMEX when ordered by name
        {"ACM", false, "ACME"},  // first symbol that begins with it
        {"ACM", true, "ACMEX"},  // first in the shown order
        {"ib", false, "IBM"},    // IBM and IBMX begin so: the first
        {"IBMX", false, "IBMX"},
        {"micro", false, "MSFT"}, // no symbol begins so: the first name that contains it
        {"BUSINESS", false, "IBM"},
        {"acme t", true, "ACME"}, // name containing, with a blank
        {"ibm f", false, "IBMX"},
        {"QQQ", false, std::nullopt},
        {"", false, std::nullopt},
        {"Corporation X", false, std::nullopt},
    };
    for (const Case& c : cases) {
        CSymbolList list = Acme(c.byName);
        const std::optional<size_t> row = list.Find(c.text);
        if (!c.symbol) {
            EXPECT_FALSE(row.has_value()) << c.text;
            continue;
        }
        ASSERT_TRUE(row.has_value()) << c.text;
        EXPECT_EQ(list.At(*row).symbol, *c.symbol) << c.text << " byName " << c.byName;
    }
}

TEST(SymbolList, APrefixBeatsANameThatComesFirst) {
    CSymbolList list;
    // "Abc" is in the first name, but the later symbol ABCD begins with it.
    list.Assign({{"AAA", "xx abc"}, {"ABCD", "Other"}});
    EXPECT_EQ(list.Find("abc"), std::optional<size_t>{1});
    EXPECT_EQ(CSymbolList().Find("A"), std::nullopt);
}

TEST(DataFileList, ListsQuoteFilesWithSizeInNameOrder) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("zs-datafiles-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "sub.csv");
    const struct {
        const char* name;
        size_t size;
    } written[] = {{"MSFT.csv", 10}, {"A.txt", 3}, {"notes.doc", 5},
                   {"B.CSV", 4},     {"csv", 1},   {".csv", 2}};
    for (const auto& file : written)
        std::ofstream(folder / file.name) << std::string(file.size, 'x');
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const std::vector<SDataFile> files = ListDataFiles(folder.string());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "A.txt");
    EXPECT_EQ(files[0].size, 3u);
    EXPECT_EQ(files[1].name, "MSFT.csv");
    EXPECT_EQ(files[1].size, 10u);
    EXPECT_LE(std::abs(files[1].modified - now), 5);
    EXPECT_TRUE(ListDataFiles((folder / "missing").string()).empty());
    fs::remove_all(folder);
}

TEST(DataFileList, ATxtFileKeepsItsExtensionAsTheSymbol) {
    const std::pair<const char*, const char*> cases[] = {
        {"IBM.csv", "IBM"}, {"IBM.txt", "IBM.txt"}, {"A.B.csv", "A.B"}, {"X.CSV", "X.CSV"}};
    for (const auto& [name, symbol] : cases) EXPECT_EQ(SymbolOfDataFile(name), symbol) << name;
}

} // namespace
