#include "ctlkit/base/AtomicFile.h"
#include "TestFiles.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(AtomicFile, WriteReplacesTheFileAndReadGivesItBack) {
    TempDir dir;
    const std::string path = dir.File("a.bin");
    WriteText(path, "old");
    const std::string bytes("new\0bytes", 9);
    const CFileResult written = WriteFileAtomically(path, bytes);
    EXPECT_TRUE(written.ok());
    EXPECT_EQ(written.kind(), CFileResult::EKind::Ok);
    EXPECT_EQ(written.message(), "");
    std::string back = "stale";
    const CFileResult read = ReadWholeFile(path, back);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.message(), "");
    EXPECT_EQ(back, bytes);
}

struct SFailureCase {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::string name;   // the file, inside the test folder
    std::string reason; // the message; {} stands for the test folder
};

TEST(AtomicFile, FailedWritesSayWhyAndKeepTheOldFile) {
    const std::vector<SFailureCase> cases = {
        {"folder missing", [](const TempDir&) {}, "none/a.bin",
         "cannot create a file in {}/none: No such file or directory"},
        {"a folder in the file's place",
         [](const TempDir& dir) { std::filesystem::create_directories(dir.File("a.bin/x")); },
         "a.bin", "cannot replace {}/a.bin: Is a directory"},
    };
    for (const SFailureCase& c : cases) {
        TempDir dir;
        c.prepare(dir);
        std::string reason = c.reason;
        reason.replace(reason.find("{}"), 2, dir.Path());
        const CFileResult written = WriteFileAtomically(dir.File(c.name), "bytes");
        EXPECT_FALSE(written.ok()) << c.what;
        EXPECT_EQ(written.kind(), CFileResult::EKind::CannotWrite) << c.what;
        EXPECT_EQ(written.message(), reason) << c.what;
        // Nothing but what the case made is left behind.
        size_t entries = 0;
        for (auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            (void)entry;
            ++entries;
        }
        EXPECT_EQ(entries, c.name == "a.bin" ? 1u : 0u) << c.what;
    }
}

TEST(AtomicFile, ReadWholeFileRefusesWhatCannotBeRead) {
    TempDir dir;
    std::string bytes;
    const CFileResult missing = ReadWholeFile(dir.File("none"), bytes);
    EXPECT_EQ(missing.kind(), CFileResult::EKind::CannotOpen);
    EXPECT_EQ(missing.message(), "cannot open " + dir.File("none") + ": No such file or directory");
    EXPECT_TRUE(bytes.empty());
    // A folder opens on Linux but cannot be read as bytes.
    const CFileResult folder = ReadWholeFile(dir.Path(), bytes);
    EXPECT_EQ(folder.kind(), CFileResult::EKind::CannotOpen);
    EXPECT_EQ(folder.message(), "cannot read " + dir.Path() + ": Is a directory");
}

} // namespace
