#pragma once
#include "TestFiles.h"
#include "ctlkit/lang/CLanguage.h"
#include <algorithm>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

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

// Translates string 88 on three threads while `change` runs on this one; returns how many of
// the texts they got were none of `allowed`.
inline int TranslationsOutside(const std::vector<std::string>& allowed,
                               const std::function<void()>& change) {
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 3; ++t)
        workers.emplace_back([&] {
            while (!stop) {
                std::optional<std::string> s = CLanguage::TranslateString(88);
                if (!s || std::find(allowed.begin(), allowed.end(), *s) == allowed.end()) ++bad;
            }
        });
    change();
    stop = true;
    for (std::thread& w : workers) w.join();
    return bad;
}
