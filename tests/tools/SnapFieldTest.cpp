#include "tools/SnapField.h"
#include "../ctlkit/TestFiles.h"
#include "RecordTestSupport.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/lang/CLanguage.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace {

// An installation with three language files in Lng/ (and a file that is none), and a
// language file outside it.
class SnapFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(install.File("Lng"));
        WriteText(install.File("Lng/German.lng"), "[Language]\nLanguage=1031\n[String]\n"
                                                  "47=Eröffnung\n48=Hoch\n49=Tief\n50=Schluss\n");
        WriteText(install.File("Lng/French.lng"), "[Language]\nLanguage=1036\n[String]\n"
                                                  "47=Ouverture\n48=Plus haut\n49=Plus bas\n"
                                                  "50=Clôture\n");
        // "Hoch" names the close here and the high in German: the high comes first.
        WriteText(install.File("Lng/Odd.lng"), "[String]\n50=Hoch\n");
        WriteText(install.File("Lng/Notes.txt"), "[String]\n50=Zu\n");
        WriteText(outside.File("Spanish.lng"), "[String]\n47=Apertura\n");
        CLanguage::SetFile("");
        CLanguage::SetFolder("");
    }
    void TearDown() override {
        CLanguage::SetFile("");
        CLanguage::SetFolder("");
    }

    // The snap field of a line saved with `stored` as it reads back.
    static std::string ReadBack(const std::string& stored) {
        CLine line;
        line.snapField = stored;
        const std::string bytes = RecordOf(line);
        CLine read;
        CArchiveReader ar(bytes);
        EXPECT_TRUE(read.Read(ar)) << stored;
        return read.snapField;
    }

    TempDir install;
    TempDir outside;
};

TEST_F(SnapFieldTest, APriceNameOfAnyLanguageFileReadsAsItsCode) {
    struct SCase {
        const char* stored;
        const char* active; // file of Lng/, "" for none, "outside" for Spanish.lng
        const char* code;
    };
    const std::vector<SCase> cases = {
        {"Schluss", "French.lng", "close"},     // saved in German, read in French
        {"Clôture", "German.lng", "close"},     // and the other way round
        {"Plus bas", "German.lng", "low"},      // a text with a blank
        {"Eröffnung", "", "open"},              // no language active
        {"Hoch", "", "high"},                   // two files disagree: the first price wins
        {"Tief", "outside", "low"},             // the active file lies outside Lng/
        {"Apertura", "outside", "open"},        // the active file itself
        {"Apertura", "French.lng", "Apertura"}, // a file that is neither active nor in Lng/
        {"Zu", "German.lng", "Zu"},             // Notes.txt is no language file
        {"schluss", "French.lng", "schluss"},   // compared exactly
        {"Close", "French.lng", "close"},       // the built-in text
        {"close", "German.lng", "close"},       // the code itself
        {"SMA", "German.lng", "SMA"},           // a curve name
        {"", "German.lng", ""},
    };
    ScopedEnv home("ZENTRISTOCK_HOME", install.Path());
    for (const SCase& c : cases) {
        const std::string active = c.active;
        CLanguage::SetFile(active.empty()        ? ""
                           : active == "outside" ? outside.File("Spanish.lng")
                                                 : install.File("Lng/" + active));
        EXPECT_EQ(ReadBack(c.stored), c.code) << c.stored << " under " << active;
    }
}

TEST_F(SnapFieldTest, TheLanguageFolderSetAtStartUpComesBeforeTheProgramFolder) {
    TempDir empty;
    ScopedEnv home("ZENTRISTOCK_HOME", empty.Path());
    EXPECT_EQ(ReadBack("Schluss"), "Schluss"); // the program's own Lng/ does not exist
    CLanguage::SetFolder(install.File("Lng"));
    EXPECT_EQ(ReadBack("Schluss"), "close");
    EXPECT_EQ(SnapField::FromStored("Plus haut", empty.Path()), "Plus haut");
    EXPECT_EQ(SnapField::FromStored("Plus haut", install.File("Lng")), "high");
}

} // namespace
