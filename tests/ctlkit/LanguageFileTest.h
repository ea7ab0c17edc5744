#pragma once
#include "TestFiles.h"
#include "ctlkit/lang/CLanguage.h"
#include <gtest/gtest.h>
#include <string>

// A test that translates: it starts and ends with translation off, and Activate writes a
// language file and makes it the active one.
class LanguageFileTest : public ::testing::Test {
protected:
    void SetUp() override { CLanguage::SetFile(""); }
    void TearDown() override { CLanguage::SetFile(""); }

    void Activate(const std::string& text) {
        WriteText(lng, text);
        CLanguage::SetFile(lng);
    }

    TempDir dir;
    std::string lng = dir.File("Test.lng");
};
