#include "app/StartUp.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zs-startup-XXXXXX";
        home = ::mkdtemp(tmpl);
        context = std::make_unique<CModelContext>(CInstallPaths(home), prompter);
        fs::create_directories(home + "/Lng");
        std::ofstream(home + "/Lng/Deutsch.lng")
            << "[String]\n88=Bitte zuerst eine Aktie waehlen.\n";
    }
    void TearDown() override {
        CLanguage::SetFile("");
        CLanguage::SetFolder("");
        fs::remove_all(home);
    }
    std::string home;
    CRecordingPrompter prompter;
    std::unique_ptr<CModelContext> context;
};

TEST_F(StartUpTest, ConfiguredLanguageFileTranslatesStrings) {
    std::ofstream(home + "/setup.ini") << "[ENVIORMENT]\nLng=Deutsch.lng\n";
    ActivateConfiguredLanguage(*context);
    EXPECT_EQ(CLanguage::GetFile(), home + "/Lng/Deutsch.lng");
    EXPECT_EQ(CLanguage::GetFolder(), home + "/Lng/");
    EXPECT_EQ(CLanguage::TranslateString(88).value_or(""), "Bitte zuerst eine Aktie waehlen.");
}

TEST_F(StartUpTest, NoLanguageKeyLeavesTextsUntranslated) {
    ActivateConfiguredLanguage(*context);
    EXPECT_EQ(CLanguage::GetFile(), home + "/Lng/");
    EXPECT_EQ(CLanguage::GetFolder(), home + "/Lng/");
    EXPECT_EQ(CLanguage::TranslateString(88).value_or(""), "Please select a stock first.");
}

TEST_F(StartUpTest, LanguageNameLeavingTheFolderIsIgnored) {
    std::ofstream(home + "/setup.ini") << "[ENVIORMENT]\nLng=../setup.ini\n";
    ActivateConfiguredLanguage(*context);
    EXPECT_EQ(CLanguage::GetFile(), home + "/Lng/");
}
