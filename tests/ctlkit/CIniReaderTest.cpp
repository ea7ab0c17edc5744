#include "ctlkit/base/CIniReader.h"
#include "FaultyFileSystem.h"
#include "TestFiles.h"
#include "ctlkit/base/IniFileLock.h"
#include "ctlkit/base/ProgramFolder.h"
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class CIniReaderTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("setup.ini");
    CIniReader ini{path};
};

TEST_F(CIniReaderTest, ColourIsStoredAsSignedDecimal) {
    EXPECT_EQ(ini.setColor(0xFFFFFF, "White", "AXIS_SETTING"), 1);
    EXPECT_EQ(ini.setColor(0x808080, "Grey", "AXIS_SETTING"), 1);
    EXPECT_EQ(ReadText(path), "[AXIS_SETTING]\nWhite=16777215\nGrey=8421504\n");
    EXPECT_EQ(ini.getColor("White", "AXIS_SETTING"), 16777215);
    EXPECT_EQ(ini.getColor("Absent", "AXIS_SETTING"), 0);
    // Windows' long is 32 bits: the low 32 bits, signed.
    EXPECT_EQ(ini.setColor(0xFFFFFFFFL, "AllBits", "S"), 1);
    EXPECT_EQ(ini.getKeyValue("AllBits", "S"), "-1");
}

TEST_F(CIniReaderTest, FlagsAreOneForAnyNonZero) {
    ini.setKeyBool(2, "Two", "ENVIORMENT");
    ini.setKeyBool(-1, "Minus", "ENVIORMENT");
    ini.setKeyBool(0, "Zero", "ENVIORMENT");
    EXPECT_EQ(ini.getKeyValue("Two", "ENVIORMENT"), "1"); // any non-zero value is stored as true
    EXPECT_EQ(ini.getKeyValue("Minus", "ENVIORMENT"), "1");
    EXPECT_EQ(ini.getKeyValue("Zero", "ENVIORMENT"), "0");
    WriteText(path, "[ENVIORMENT]\nStored=2\nNo=0\nText=abc\n");
    EXPECT_EQ(ini.getKeyValueBool("Stored", "ENVIORMENT"), 1);
    EXPECT_EQ(ini.getKeyValueBool("No", "ENVIORMENT"), 0);
    EXPECT_EQ(ini.getKeyValueBool("Text", "ENVIORMENT"), 0);
    EXPECT_EQ(ini.getKeyValueBool("Absent", "ENVIORMENT"), 0);
}

TEST_F(CIniReaderTest, NumbersReadLikeAtoi) {
    ini.setKeyNum(-42, "N", "S");
    EXPECT_EQ(ini.getKeyValue("N", "S"), "-42");
    WriteText(path, "[S]\nA=12abc\nB=  7\nC=99999999999\nD=-99999999999\nE=\n");
    EXPECT_EQ(ini.getKeyValueNum("A", "S"), 12);
    EXPECT_EQ(ini.getKeyValueNum("B", "S"), 7);
    EXPECT_EQ(ini.getKeyValueNum("C", "S"), INT_MAX);
    EXPECT_EQ(ini.getKeyValueNum("D", "S"), INT_MIN);
    EXPECT_EQ(ini.getKeyValueNum("E", "S"), 0);
    EXPECT_EQ(ini.getKeyValueNum("Absent", "S"), 0);
}

TEST_F(CIniReaderTest, NamesAreCaseInsensitive) {
    WriteText(path, "[Axis_Setting]\nCellMaxX=80\n");
    EXPECT_EQ(ini.getKeyValueNum("CELLMAXX", "axis_setting"), 80);
    EXPECT_EQ(ini.setKeyNum(90, "cellmaxx", "AXIS_SETTING"), 1);
    EXPECT_EQ(ReadText(path), "[Axis_Setting]\nCellMaxX=90\n");
}

TEST_F(CIniReaderTest, MissingFileReadsEmpty) {
    EXPECT_EQ(ini.getKeyValue("k", "s"), "");
    EXPECT_EQ(ini.lastResult(), 0);
    EXPECT_EQ(ini.sectionExists("s"), 0);
    EXPECT_TRUE(ini.getSectionNames()->empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(CIniReaderTest, EmptyValuesAreAbsentKeysButSectionStillExists) {
    WriteText(path, "[OnlyEmpty]\nA=\nB\n[NoKeys]\n; comment only\n\n[Full]\nK=v\n");
    EXPECT_EQ(ini.KeyExists("A", "OnlyEmpty"), 0);
    EXPECT_EQ(ini.KeyExists("B", "OnlyEmpty"), 0);
    EXPECT_EQ(ini.KeyExists("K", "Full"), 1);
    EXPECT_EQ(ini.sectionExists("OnlyEmpty"), 1);
    EXPECT_EQ(ini.sectionExists("onlyempty"), 1);
    EXPECT_EQ(ini.sectionExists("NoKeys"), 0);
    EXPECT_EQ(ini.sectionExists("Absent"), 0);
}

TEST_F(CIniReaderTest, LastResultCountsCharactersReadOrWriteSuccess) {
    WriteText(path, "[S]\nk=abc\n");
    ini.getKeyValue("k", "S");
    EXPECT_EQ(ini.lastResult(), 3);
    ini.getKeyValue("missing", "S");
    EXPECT_EQ(ini.lastResult(), 0);
    ini.setKey("x", "k", "S");
    EXPECT_EQ(ini.lastResult(), 1);
    ini.getSectionNames();
    EXPECT_EQ(ini.lastResult(), 2); // "S" and its NUL
}

TEST_F(CIniReaderTest, LongValuesReadWhole) {
    const std::string value(5000, 'v');
    ASSERT_EQ(ini.setKey(value, "Long", "S"), 1);
    EXPECT_EQ(ini.getKeyValue("Long", "S"), value);
    EXPECT_EQ(ini.lastResult(), 5000);
}

TEST_F(CIniReaderTest, RewriteKeepsEveryOtherLine) {
    const std::string before = "; ZentriStock settings\r\n"
                               "[ENVIORMENT]\r\n"
                               "Lng=German.lng\r\n"
                               "  CurveFloating = 0\r\n"
                               "; keep me\r\n"
                               "\r\n"
                               "[proxy]\r\n"
                               "UseProxy=1\r\n";
    WriteText(path, before);
    ASSERT_EQ(ini.setKeyBool(1, "curvefloating", "enviorment"), 1);
    ASSERT_EQ(ini.setKey("Yes", "NewKey", "ENVIORMENT"), 1);
    ASSERT_EQ(ini.setKey("8080", "ProxyPort", "PROXY"), 1);
    ASSERT_EQ(ini.setKey("NoName", "TickerName", "DATA_DIRECTORY"), 1);
    EXPECT_EQ(ReadText(path), "; ZentriStock settings\r\n"
                              "[ENVIORMENT]\r\n"
                              "Lng=German.lng\r\n"
                              "  CurveFloating = 1\r\n"
                              "; keep me\r\n"
                              "NewKey=Yes\r\n"
                              "\r\n"
                              "[proxy]\r\n"
                              "UseProxy=1\r\n"
                              "ProxyPort=8080\r\n"
                              "[DATA_DIRECTORY]\r\n"
                              "TickerName=NoName\r\n");
}

TEST_F(CIniReaderTest, WriteKeepsPermissionsAndLeavesNoTemporaryFiles) {
    WriteText(path, "[S]\nk=1\n");
    ::chmod(path.c_str(), 0600);
    ASSERT_EQ(ini.setKey("2", "k", "S"), 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"setup.ini", "setup.ini.lock"}));
}

TEST_F(CIniReaderTest, SectionListingFollowsTheBufferRule) {
    std::string text;
    for (int i = 0; i < 201; ++i) {
        std::string name = "S" + std::to_string(i);
        name.resize(9, 'x');
        text += "[" + name + "]\nk=1\n";
    }
    WriteText(path, text);
    const std::vector<std::string>* names = ini.getSectionNames();
    ASSERT_EQ(names->size(), 200u); // 199 whole, the 200th cut to 8, the 201st lost
    EXPECT_EQ((*names)[198], "S198xxxxx");
    EXPECT_EQ((*names)[199], "S199xxxx");
    EXPECT_EQ(ini.lastResult(), 1998);

    // The same rule for the lines of one section.
    text = "[Big]\n";
    for (int i = 0; i < 199; ++i) text += "k" + std::to_string(1000 + i) + "=abc\n"; // 9 each
    text += "last=12\n"; // 7: whole, leaves 2
    text += "lost=1\n";
    WriteText(path, text);
    const std::vector<std::string>* data = ini.getSectionData("big");
    ASSERT_EQ(data->size(), 200u);
    EXPECT_EQ(data->front(), "k1000=abc");
    EXPECT_EQ(data->back(), "last=12");
    EXPECT_EQ(ini.lastResult(), 1998);
    EXPECT_EQ(ini.sectionExists("Big"), 1);
}

TEST_F(CIniReaderTest, SectionDataIsTrimmedKeyValueLines) {
    WriteText(path, "[S]\n ; c\n  a  =  1 \nbare\n\"q\"=\"v\"\n[T]\nx=2\n");
    EXPECT_EQ(*ini.getSectionData("s"), (std::vector<std::string>{"a=1", "bare", "\"q\"=\"v\""}));
    EXPECT_EQ(ini.lastResult(), 4 + 5 + 8);
    EXPECT_TRUE(ini.getSectionData("Absent")->empty());
    EXPECT_EQ(ini.lastResult(), 0);
}

TEST_F(CIniReaderTest, FontNeedsAllFourKeys) {
    WriteText(path, "[AXIS_FONT]\nFontHeight=20\nFontWidth=8\nFontWeight=700\nFontItalic=1\n");
    LOGFONT font = ini.GetAxisFont("AXIS_FONT");
    EXPECT_EQ(font.lfHeight, 15);
    EXPECT_EQ(font.lfWidth, 6);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_STREQ(font.lfFaceName, "Arial");

    WriteText(path, "[AXIS_FONT]\nFontHeight=20\nFontWidth=8\nFontWeight=700\nFontFaceName=\n");
    EXPECT_EQ(ini.GetAxisFont("AXIS_FONT").lfHeight, 15);

    WriteText(path, "[AXIS_FONT]\nFontHeight=-20\nFontWidth=8\nFontWeight=700\n"
                    "FontFaceName=Courier New\n");
    font = ini.GetAxisFont("axis_font");
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_EQ(font.lfWidth, 8);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 0); // absent = not italic
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfCharSet, 0);
    EXPECT_EQ(font.lfQuality, 0);
}

TEST_F(CIniReaderTest, FontItalicAndLongFaceName) {
    const std::string longName(40, 'F');
    WriteText(path, "[F]\nFontHeight=1\nFontWidth=2\nFontWeight=3\nFontItalic=2\nFontFaceName=" +
                        longName + "\n");
    LOGFONT font = ini.GetAxisFont("F");
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(std::string(font.lfFaceName), longName.substr(0, 31));
    EXPECT_EQ(font.lfFaceName[31], '\0');
}

TEST_F(CIniReaderTest, SetAxisFontWritesFiveKeysInOrder) {
    LOGFONT font{};
    font.lfHeight = -13;
    font.lfWidth = 5;
    font.lfWeight = 700;
    font.lfItalic = 3;
    std::memset(font.lfFaceName, 'N', sizeof font.lfFaceName); // no NUL: cut to 31
    EXPECT_EQ(ini.SetAxisFont(font, "LABEL_FONT"), 1);
    EXPECT_EQ(ReadText(path), "[LABEL_FONT]\nFontHeight=-13\nFontWidth=5\nFontWeight=700\n"
                              "FontItalic=1\nFontFaceName=" +
                                  std::string(31, 'N') + "\n");
    LOGFONT back = ini.GetAxisFont("LABEL_FONT");
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(std::string(back.lfFaceName), std::string(31, 'N'));
}

TEST_F(CIniReaderTest, CurveSettingNeedsAllSixKeys) {
    const std::string five = "[C]\nCurveWidth=3\nDrawType=2\nCurveColor=255\nMarkId=4\n"
                             "BorderColor=16777215\n";
    WriteText(path, five);
    SCurveSetting s = ini.GetCurveSetting("C");
    EXPECT_EQ(s.curveColor, 0x808080);
    EXPECT_EQ(s.curveWidth, 1);
    EXPECT_EQ(s.drawType, 1);
    EXPECT_EQ(s.markId, 0);
    EXPECT_EQ(s.borderColor, 0);
    EXPECT_EQ(s.fillColor, 0xFFFFFF);

    WriteText(path, five + "FillColor=0\n");
    s = ini.GetCurveSetting("c");
    EXPECT_EQ(s.curveWidth, 3);
    EXPECT_EQ(s.drawType, 2);
    EXPECT_EQ(s.curveColor, 255);
    EXPECT_EQ(s.markId, 4);
    EXPECT_EQ(s.borderColor, 0xFFFFFF);
    EXPECT_EQ(s.fillColor, 0);
}

TEST_F(CIniReaderTest, SetCurveSettingWritesSixKeysInOrder) {
    SCurveSetting s;
    s.curveWidth = 2;
    EXPECT_EQ(ini.SetCurveSetting(s, "CURVE"), 1);
    EXPECT_EQ(ReadText(path), "[CURVE]\nCurveWidth=2\nDrawType=1\nCurveColor=8421504\nMarkId=0\n"
                              "BorderColor=0\nFillColor=16777215\n");
    SCurveSetting back = ini.GetCurveSetting("CURVE");
    EXPECT_EQ(back.curveWidth, 2);
    EXPECT_EQ(back.curveColor, 0x808080);
}

TEST_F(CIniReaderTest, ValueWithLineBreakIsCutAndBadNamesRefused) {
    EXPECT_EQ(ini.setKey("one\ntwo=2", "K", "S"), 1);
    EXPECT_EQ(ini.getKeyValue("K", "S"), "one");
    EXPECT_EQ(ini.getKeyValue("two", "S"), "");
    const std::string before = ReadText(path);
    EXPECT_EQ(ini.setKey("v", "a=b", "S"), 0);
    EXPECT_EQ(ini.lastResult(), 0);
    EXPECT_EQ(ini.setKey("v", "k", ""), 0);
    EXPECT_EQ(ReadText(path), before);
}

TEST_F(CIniReaderTest, PlainIniParserReadsWhatWeWrite) {
    ini.setKey("German.lng", "Lng", "ENVIORMENT");
    ini.setKeyBool(1, "CurveFloating", "ENVIORMENT");
    ini.setColor(0xFFFFFF, "BorderColor", "AXIS_SETTING");
    ini.setKeyNum(-80, "CellMaxX", "AXIS_SETTING");
    ini.setKey("100% = done", "Odd", "AXIS_SETTING");
    LOGFONT font{};
    font.lfHeight = 15;
    std::strcpy(font.lfFaceName, "Arial");
    ini.SetAxisFont(font, "AXIS_FONT");
    const std::string script = "import configparser,sys\n"
                               "c=configparser.ConfigParser(interpolation=None,strict=True)\n"
                               "c.optionxform=str\n"
                               "c.read(sys.argv[1])\n"
                               "for s in c.sections():\n"
                               "  for k,v in c.items(s): print(s+'|'+k+'|'+v)\n";
    const std::string scriptPath = dir.File("read.py");
    WriteText(scriptPath, script);
    std::string command = "python3 " + scriptPath + " " + path + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    int status = ::pclose(pipe);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) GTEST_SKIP() << "python3 not found";
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output, "ENVIORMENT|Lng|German.lng\n"
                      "ENVIORMENT|CurveFloating|1\n"
                      "AXIS_SETTING|BorderColor|16777215\n"
                      "AXIS_SETTING|CellMaxX|-80\n"
                      "AXIS_SETTING|Odd|100% = done\n"
                      "AXIS_FONT|FontHeight|15\n"
                      "AXIS_FONT|FontWidth|0\n"
                      "AXIS_FONT|FontWeight|0\n"
                      "AXIS_FONT|FontItalic|0\n"
                      "AXIS_FONT|FontFaceName|Arial\n");
}

TEST_F(CIniReaderTest, TwoProcessesWritingTheSameFileLoseNoKey) {
    constexpr int kWrites = 150;
    WriteText(path, "[Shared]\nStart=1\n");
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CIniReader mine(path);
        int failures = 0;
        for (int i = 0; i < kWrites; ++i)
            if (mine.setKeyNum(i, "Child" + std::to_string(i), i % 2 ? "Shared" : "ChildOnly") != 1)
                ++failures;
        ::_exit(failures == 0 ? 0 : 1);
    }
    int failures = 0;
    for (int i = 0; i < kWrites; ++i)
        if (ini.setKeyNum(i, "Parent" + std::to_string(i), i % 2 ? "Shared" : "ParentOnly") != 1)
            ++failures;
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(failures, 0);
    int missing = 0;
    for (int i = 0; i < kWrites; ++i) {
        if (ini.getKeyValue("Child" + std::to_string(i), i % 2 ? "Shared" : "ChildOnly") !=
            std::to_string(i))
            ++missing;
        if (ini.getKeyValue("Parent" + std::to_string(i), i % 2 ? "Shared" : "ParentOnly") !=
            std::to_string(i))
            ++missing;
    }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(ini.getKeyValue("Start", "Shared"), "1");
}

TEST_F(CIniReaderTest, WriteWaitsForTheLock) {
    WriteText(path, "[S]\nk=1\n");
    int toChild[2];
    ASSERT_EQ(::pipe(toChild), 0);
    auto lock = std::make_unique<IniFileLock>(path);
    ASSERT_TRUE(lock->Locked());
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        lock.reset(); // the child's copy of the descriptor: closing it keeps the parent's lock
        ::close(toChild[1]);
        CIniReader mine(path);
        long ok = mine.setKey("child", "k", "S");
        char c = 0;
        // The parent closes its end only after it saw the file unchanged.
        ssize_t n = ::read(toChild[0], &c, 1);
        ::_exit(ok == 1 && n == 0 ? 0 : 1);
    }
    ::close(toChild[0]);
    ::usleep(200 * 1000);
    EXPECT_EQ(ini.getKeyValue("k", "S"), "1"); // the child waits on the lock
    ::close(toChild[1]);
    lock.reset();
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ini.getKeyValue("k", "S"), "child");
}

TEST_F(CIniReaderTest, UnwritableFolderReturnsZeroAndLosesNothing) {
    CIniReader missing(dir.File("no/such/folder/setup.ini"));
    EXPECT_EQ(missing.setKey("v", "k", "S"), 0);
    EXPECT_EQ(missing.lastResult(), 0);
    EXPECT_EQ(missing.SetAxisFont(LOGFONT{}, "F"), 0);
    EXPECT_EQ(missing.SetCurveSetting(SCurveSetting{}, "C"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));

    WriteText(dir.File("plainfile"), "x");
    CIniReader underFile(dir.File("plainfile/setup.ini"));
    EXPECT_EQ(underFile.setKeyNum(1, "k", "S"), 0);
    EXPECT_EQ(ReadText(dir.File("plainfile")), "x");
}

TEST_F(CIniReaderTest, ReadOnlyFolderReturnsZeroAndKeepsTheFile) {
    const std::string folder = dir.File("ro");
    std::filesystem::create_directory(folder);
    WriteText(folder + "/setup.ini", "[S]\nk=old\n");
    ::chmod(folder.c_str(), 0555);
    {
        // Root writes into read-only folders: for root the refusal comes from the seam.
        std::optional<CFaultyFileSystem> refused;
        if (::geteuid() == 0) refused.emplace(EFileStep::Open, 1, EACCES);
        CIniReader ro(folder + "/setup.ini");
        EXPECT_EQ(ro.setKey("new", "k", "S"), 0);
        EXPECT_EQ(ro.getKeyValue("k", "S"), "old");
    }
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(ReadText(folder + "/setup.ini"), "[S]\nk=old\n");
}

TEST_F(CIniReaderTest, UnreadableFileIsNotReplaced) {
    // A folder in place of the file: it exists but cannot be read as text.
    std::filesystem::create_directory(path);
    EXPECT_EQ(ini.setKey("v", "k", "S"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(CIniReaderTest, WriteReportsTheKindAndReasonOfAFailure) {
    WriteText(path, "[S]\nk=1\n");
    const CFileResult written = ini.Write({{"a", "1"}, {"b", "2"}}, "S");
    EXPECT_TRUE(written.ok()) << written.message();
    EXPECT_EQ(ini.lastResult(), 1);
    EXPECT_EQ(ReadText(path), "[S]\nk=1\na=1\nb=2\n");

    // A refused second key: the first is not written either.
    const CFileResult refused = ini.Write({{"c", "3"}, {"d=", "4"}}, "S");
    EXPECT_EQ(refused.kind(), CFileResult::EKind::UnsafeName);
    EXPECT_EQ(refused.message(), "the key name \"d=\" cannot be stored in an INI file");
    EXPECT_EQ(ini.lastResult(), 0);
    EXPECT_EQ(ReadText(path), "[S]\nk=1\na=1\nb=2\n");

    const std::string missingFolder = dir.File("no/such");
    CIniReader missing(missingFolder + "/setup.ini");
    const CFileResult unlocked = missing.Write({{"k", "v"}}, "S");
    EXPECT_EQ(unlocked.kind(), CFileResult::EKind::CannotWrite);
    EXPECT_EQ(unlocked.message(),
              "cannot lock " + missingFolder + "/setup.ini.lock: No such file or directory");

    // A folder in place of the file: it exists but cannot be read as text.
    std::filesystem::create_directory(dir.File("sub"));
    CIniReader underFolder(dir.File("sub"));
    const CFileResult unread = underFolder.Write({{"k", "v"}}, "S");
    EXPECT_EQ(unread.kind(), CFileResult::EKind::CannotOpen);
    EXPECT_EQ(unread.message(), "cannot read " + dir.File("sub") + ": Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("sub")));
}

TEST_F(CIniReaderTest, CopiesOwnTheirLists) {
    WriteText(path, "[A]\nk=1\n[B]\nj=2\n");
    const std::string other = dir.File("other.ini");
    WriteText(other, "[X]\nx=1\n");
    auto original = std::make_unique<CIniReader>(path);
    const std::vector<std::string>* names = original->getSectionNames();
    CIniReader copy(*original);
    copy.setINIFileName(other);
    EXPECT_EQ(*copy.getSectionNames(), std::vector<std::string>{"X"});
    EXPECT_EQ(*names, (std::vector<std::string>{"A", "B"}));
    CIniReader assigned(other);
    assigned = *original;
    original.reset();
    EXPECT_EQ(*assigned.getSectionData("A"), std::vector<std::string>{"k=1"});
    EXPECT_EQ(copy.getINIFileName(), other);
}

} // namespace
