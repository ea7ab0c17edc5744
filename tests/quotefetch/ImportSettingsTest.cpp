#include "settings/ImportSettings.h"
#include "ImportTestSupport.h"

TEST(ImportSettings, ReadAndWriteTheTwoKeysKeepingTheRestOfTheFile) {
    CImportTempFolder home;
    const std::string ini = home.Path() + "setup.ini";
    struct Case {
        std::string before;
        SImportSettings read;
    };
    const Case cases[] = {
        {"", {"", ""}},
        {"[ENVIORMENT]\nDATA_DIRECTORY=/q/\nOtherMarket=TSX\nImportPath=/home/u/eod\n",
         {"TSX", "/home/u/eod"}},
        {"[enviorment]\notherMARKET=LSE\n[PROXY]\nImportPath=/not/here\n", {"LSE", ""}},
    };
    for (const Case& c : cases) {
        WriteImportText(ini, c.before);
        CIniReader reader(ini);
        SImportSettings read = SImportSettings::Read(reader);
        EXPECT_EQ(read.otherMarket, c.read.otherMarket) << c.before;
        EXPECT_EQ(read.importPath, c.read.importPath) << c.before;
        SImportSettings written{"ASX", "/srv/eod files"};
        ASSERT_TRUE(written.Write(reader)) << c.before;
        SImportSettings back = SImportSettings::Read(reader);
        EXPECT_EQ(back.otherMarket, "ASX");
        EXPECT_EQ(back.importPath, "/srv/eod files");
    }
    // The other keys stay.
    CIniReader reader(ini);
    EXPECT_EQ(reader.getKeyValue("ImportPath", "PROXY"), "/not/here");
    EXPECT_TRUE(std::filesystem::exists(ini + ".lock"));
    // A folder that does not exist: the write fails and says so.
    CIniReader nowhere(home.Path() + "none/setup.ini");
    EXPECT_EQ((SImportSettings{"A", "B"}.Write(nowhere).kind()), CFileResult::EKind::CannotWrite);
}
