#include "ctlkit/lang/LanguageFileCache.h"
#include "LanguageFileTest.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/LangMemoryWindow.h"
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Files written by the test count as settled at once, so that every reading is counted
// exactly; the settle test sets the normal time itself.
class LanguageFileCacheTest : public LanguageFileTest {
protected:
    void SetUp() override {
        LanguageFileTest::SetUp();
        LanguageFileCache::Clear();
        LanguageFileCache::SetSettleTime(std::chrono::nanoseconds(0));
    }
    void TearDown() override {
        LanguageFileCache::SetSettleTime(LanguageFileCache::kDefaultSettleTime);
        LanguageFileCache::Clear();
        LanguageFileTest::TearDown();
    }
    // Files read by `f`.
    uint64_t ReadsOf(const std::function<void()>& f) {
        const uint64_t before = LanguageFileCache::FileReads();
        f();
        return LanguageFileCache::FileReads() - before;
    }
    std::string Value88(const std::string& path) {
        return LanguageFileCache::Load(path)->Value("String", "88").value_or("<none>");
    }
};

// The file's modification time moved by `by`, so that only the time tells two versions apart.
void ShiftModificationTime(const std::string& path, std::chrono::seconds by) {
    fs::last_write_time(path, fs::last_write_time(path) + by);
}

TEST_F(LanguageFileCacheTest, AFileIsReadAgainExactlyWhenItChanged) {
    struct SCase {
        const char* change;
        std::function<void(const std::string&)> apply;
        uint64_t readsAfterChange; // readings by the two lookups after the change
        const char* value;
    };
    const std::vector<SCase> cases = {
        {"nothing", [](const std::string&) {}, 0, "old"},
        {"rewritten longer", [](const std::string& p) { WriteText(p, "[String]\n88=longer\n"); }, 1,
         "longer"},
        {"same size, in place, other time",
         [](const std::string& p) {
             WriteText(p, "[String]\n88=new\n");
             ShiftModificationTime(p, std::chrono::seconds(-10));
         },
         1, "new"},
        {"same size and time, replaced by a rename",
         [](const std::string& p) {
             const auto time = fs::last_write_time(p);
             WriteText(p + ".tmp", "[String]\n88=ren\n");
             fs::last_write_time(p + ".tmp", time);
             fs::rename(p + ".tmp", p);
         },
         1, "ren"},
        {"removed", [](const std::string& p) { fs::remove(p); }, 0, "<none>"},
        {"removed and written again",
         [](const std::string& p) {
             fs::remove(p);
             (void)LanguageFileCache::Load(p);
             WriteText(p, "[String]\n88=back\n");
         },
         1, "back"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.change);
        WriteText(lng, "[String]\n88=old\n");
        LanguageFileCache::Clear();
        EXPECT_EQ(ReadsOf([&] {
                      EXPECT_EQ(Value88(lng), "old");
                      EXPECT_EQ(Value88(lng), "old");
                  }),
                  1u);
        c.apply(lng);
        EXPECT_EQ(ReadsOf([&] {
                      EXPECT_EQ(Value88(lng), c.value);
                      EXPECT_EQ(Value88(lng), c.value);
                  }),
                  c.readsAfterChange);
    }
}

TEST_F(LanguageFileCacheTest, AFreshlyChangedFileIsReadAtEveryLookupUntilItSettles) {
    WriteText(lng, "[String]\n88=fresh\n");
    LanguageFileCache::SetSettleTime(LanguageFileCache::kDefaultSettleTime);
    EXPECT_EQ(ReadsOf([&] {
                  for (int i = 0; i < 3; ++i) EXPECT_EQ(Value88(lng), "fresh");
              }),
              3u);
    LanguageFileCache::SetSettleTime(std::chrono::nanoseconds(0));
    EXPECT_EQ(ReadsOf([&] {
                  for (int i = 0; i < 3; ++i) EXPECT_EQ(Value88(lng), "fresh");
              }),
              1u);
}

TEST_F(LanguageFileCacheTest, NoFileGivesAnEmptyFileWithoutReading) {
    for (const std::string& path :
         {std::string(), dir.Path(), dir.Path() + "/", dir.File("none")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ReadsOf([&] { EXPECT_EQ(Value88(path), "<none>"); }), 0u);
    }
}

TEST_F(LanguageFileCacheTest, OneMorePathThanKeptForgetsTheOthers) {
    const size_t files = LanguageFileCache::kMaxEntries + 1;
    for (size_t i = 0; i < files; ++i)
        WriteText(dir.File(std::to_string(i) + ".lng"), "[String]\n88=" + std::to_string(i) + "\n");
    EXPECT_EQ(ReadsOf([&] {
                  for (size_t i = 0; i < files; ++i)
                      EXPECT_EQ(Value88(dir.File(std::to_string(i) + ".lng")), std::to_string(i));
              }),
              files);
    // The last one is kept, the first was forgotten when it came.
    EXPECT_EQ(ReadsOf([&] { Value88(dir.File(std::to_string(files - 1) + ".lng")); }), 0u);
    EXPECT_EQ(ReadsOf([&] { Value88(dir.File("0.lng")); }), 1u);
}

TEST_F(LanguageFileCacheTest, TranslationsReadTheActiveFileOncePerChange) {
    Activate("[String]\n88=Eins\n[Text]\nk=Text\n[156]\n0=Dialog\n");
    CMemoryWindow dialog(0, "Gann Table");
    EXPECT_EQ(ReadsOf([&] {
                  for (int i = 0; i < 1000; ++i) {
                      ASSERT_EQ(CLanguage::TranslateString(88), "Eins");
                      ASSERT_EQ(CLanguage::TranslateText("k", ""), "Text");
                      CLanguage::TranslateDialog(dialog, 156u);
                  }
              }),
              1u);
    EXPECT_EQ(dialog.GetText(), "Dialog");

    WriteText(lng, "[String]\n88=Zwei, geaendert\n");
    EXPECT_EQ(ReadsOf([&] {
                  for (int i = 0; i < 1000; ++i)
                      ASSERT_EQ(CLanguage::TranslateString(88), "Zwei, geaendert");
              }),
              1u);
}

// Translating threads while the file is replaced: every text is one of the two versions.
TEST_F(LanguageFileCacheTest, ThreadsTranslateWhileTheFileIsReplaced) {
    const std::string a = "[String]\n88=first version\n";
    const std::string b = "[String]\n88=the second, longer version\n";
    Activate(a);
    EXPECT_EQ(TranslationsOutside({"first version", "the second, longer version"},
                                  [&] {
                                      for (int i = 0; i < 200; ++i) {
                                          WriteText(lng + ".tmp", i % 2 ? b : a); // ends with b
                                          fs::rename(lng + ".tmp", lng);
                                      }
                                  }),
              0);
    EXPECT_EQ(CLanguage::TranslateString(88), "the second, longer version");
}

TEST_F(LanguageFileCacheTest, StringInEveryFileTakesEachLanguageFileOfTheFolder) {
    WriteText(dir.File("b.lng"), "[String]\n50=Schluss\n");
    WriteText(dir.File("a.lng"), "[String]\n50=Cloture\n");
    WriteText(dir.File("c.lng"), "[String]\n50=Schluss\n"); // the same text once
    WriteText(dir.File("d.lng"), "[String]\n50=\n");        // empty = absent
    WriteText(dir.File("e.txt"), "[String]\n50=Zu\n");      // no language file
    fs::create_directory(dir.File("f.lng"));
    const std::vector<std::string> expected = {"Cloture", "Schluss"};
    EXPECT_EQ(CLanguage::StringInEveryFile(50, dir.Path()), expected);
    EXPECT_EQ(CLanguage::StringInEveryFile(50, dir.Path() + "/"), expected);
    EXPECT_EQ(CLanguage::StringInEveryFile(49, dir.Path()), std::vector<std::string>{});
    EXPECT_EQ(CLanguage::StringInEveryFile(50, ""), std::vector<std::string>{});
    EXPECT_EQ(CLanguage::StringInEveryFile(50, dir.File("missing")), std::vector<std::string>{});
}

} // namespace
