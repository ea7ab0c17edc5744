// Every writer of a stored file, with each step of the replacement failing with each error of
// a full disk, a failing disk and a refused permission: the writer says so with the system's
// reason, returns a failure, and the old file is there byte for byte with nothing left beside
// it. The faults are injected below the writers, so this holds also when run as root.
#include "FaultyFileSystem.h"
#include "chart/CChartFile.h"
#include "chart/CChartTemplate.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "ctlkit/base/CIniReader.h"
#include "download/CFavourites.h"
#include "download/CQuoteJob.h"
#include "download/CSymbolDatabase.h"
#include "quotes/CStock.h"
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
class CTempFolder {
public:
    CTempFolder() {
        std::string pattern = "/tmp/zs-faults-XXXXXX";
        if (::mkdtemp(pattern.data())) m_path = pattern + "/";
    }
    ~CTempFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

void Put(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The files beside `path` whose names begin with its name and a dot (its temporary files),
// its lock file aside.
std::set<std::string> LeftBeside(const std::string& path) {
    const fs::path file(path);
    const std::string prefix = file.filename().string() + ".";
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && name != prefix + "lock") names.insert(name);
    }
    return names;
}

SQuote Bar(int32_t date, float close) {
    SQuote q;
    q.date = date;
    q.open = close - 0.5f;
    q.high = close + 1;
    q.low = close - 1;
    q.close = close;
    q.adjClose = close;
    q.volume = 1000 + close;
    return q;
}

// A series of `count` daily quotes whose closes start at `first`.
std::vector<SQuote> Bars(int count, float first) {
    std::vector<SQuote> bars;
    for (int i = 0; i < count; ++i) bars.push_back(Bar(86400 * (12000 + i), first + 0.25f * i));
    return bars;
}

class CQuoteFileWriter : public CQuoteJob {
public:
    using CQuoteJob::WriteQuoteFile;
    void execute() override {}
};

// One writer: the file it replaces (below the test folder) and a save of version `version`
// of its contents into a folder. Versions differ in their bytes.
struct SWriter {
    const char* name;
    std::string file;
    std::function<CFileResult(const std::string& folder, int version)> save;
};

std::vector<SWriter> Writers() {
    return {
        {"chart file", "Charts/abc.cht",
         [](const std::string& folder, int version) {
             CStock stock;
             const auto bars = Bars(20 + version, 10.0f * version);
             stock.RestoreSeries(bars, bars);
             return CChartFile::Save(stock, folder + "Charts/abc.cht");
         }},
        {"template", "Template/look.tmp",
         [](const std::string& folder, int version) {
             CChartTemplate look;
             look.paneCount = 2 + version;
             return look.Save(folder + "Template/look.tmp");
         }},
        {"quote export", "Data/sh/600000.csv",
         [](const std::string& folder, int version) {
             CStock stock;
             const auto bars = Bars(5 + version, 3.0f * version);
             stock.RestoreSeries(bars, bars);
             return stock.ExportCsv(folder + "Data/sh/600000.csv");
         }},
        {"favourites", "Favourites/Banks/list.dat",
         [](const std::string& folder, int version) {
             CFavourites favourites(folder + "Favourites/");
             std::vector<CFavourites::SEntry> entries;
             for (int i = 0; i <= version; ++i)
                 entries.push_back({"S" + std::to_string(i), "Name", "sh"});
             return favourites.Save("Banks", entries);
         }},
        {"setup.ini", "setup.ini",
         [](const std::string& folder, int version) {
             CIniReader ini(folder + "setup.ini");
             return ini.Write({{"Version", std::to_string(version)}}, "Main");
         }},
        {"symbol database", "System/sh.Dat",
         [](const std::string& folder, int version) {
             Put(folder + "System/sh", std::string(CSymbolDatabase::kListHeader) + "\nS" +
                                           std::to_string(version) + "\tName\n");
             return CSymbolDatabase::ConvertMarketList(folder + "System/", "sh");
         }},
        {"downloaded quotes", "Data/sz/000001.csv",
         [](const std::string& folder, int version) {
             CQuoteFileWriter job;
             job.SetDataFolder(folder + "Data/");
             job.SetMarket("sz");
             job.SetTicker("000001");
             return job.WriteQuoteFile("Date,Open,High,Low,Close,Volume,Adj Close\n" +
                                       std::to_string(version) + "\n");
         }},
        {"archive", "System/record.bin",
         [](const std::string& folder, int version) {
             CArchiveWriter archive;
             archive.WriteInt(version);
             archive.WriteString("record");
             return archive.SaveAtomically(folder + "System/record.bin");
         }},
    };
}

// What WriteFileAtomically says when `step` fails on `path` with `error`; each writer gives
// it as its message or inside it.
std::string ReasonOf(EFileStep step, const std::string& path, int error) {
    const std::string why = std::string(": ") + std::strerror(error);
    switch (step) {
    case EFileStep::Open:
        return "cannot create a file in " + fs::path(path).parent_path().string() + why;
    case EFileStep::Rename:
        return "cannot replace " + path + why;
    default:
        return "cannot write " + path + why;
    }
}

struct SStepError {
    EFileStep step;
    int error;
};

std::vector<SStepError> EveryStepAndError() {
    std::vector<SStepError> all;
    for (EFileStep step : kFileSteps)
        for (int error : {ENOSPC, EIO, EACCES}) all.push_back({step, error});
    return all;
}

// What the folder holds when the failing save begins.
enum class EBefore {
    NoFile,       // the first save of the file: the first call of the step fails
    SavedBefore,  // a file saved before: the first call of the step fails
    SavedJustNow, // a save that went through: the second call of the step fails
};

TEST(WriterFaults, EveryWriterWithEveryStepFailingKeepsTheOldFileAndSaysWhy) {
    int cases = 0;
    for (const SWriter& writer : Writers()) {
        for (const SStepError& fault : EveryStepAndError()) {
            for (EBefore before : {EBefore::NoFile, EBefore::SavedBefore, EBefore::SavedJustNow}) {
                CTempFolder home;
                const std::string path = home.Path() + writer.file;
                fs::create_directories(fs::path(path).parent_path());
                if (before == EBefore::SavedBefore) {
                    ASSERT_TRUE(writer.save(home.Path(), 1)) << writer.name;
                }
                const int nth = before == EBefore::SavedJustNow ? 2 : 1;
                const std::string trace = std::string(writer.name) + ", " +
                                          FileStepName(fault.step) + " call " +
                                          std::to_string(nth) + ", " + std::strerror(fault.error) +
                                          (before == EBefore::NoFile ? ", no file yet" : "");
                CFileResult saved;
                bool existed = false;
                std::string old;
                {
                    CFaultyFileSystem faulty(fault.step, nth, fault.error);
                    if (before == EBefore::SavedJustNow) {
                        ASSERT_TRUE(writer.save(home.Path(), 1)) << trace;
                        ASSERT_FALSE(faulty.Failed()) << trace;
                    }
                    existed = fs::exists(path);
                    old = Get(path);
                    saved = writer.save(home.Path(), 2);
                    ASSERT_TRUE(faulty.Failed()) << trace;
                }
                EXPECT_FALSE(saved.ok()) << trace;
                EXPECT_EQ(saved.kind(), CFileResult::EKind::CannotWrite) << trace;
                EXPECT_NE(saved.message().find(ReasonOf(fault.step, path, fault.error)),
                          std::string::npos)
                    << trace << ": " << saved.message();
                EXPECT_EQ(existed, before != EBefore::NoFile) << trace;
                EXPECT_EQ(fs::exists(path), existed) << trace;
                EXPECT_EQ(Get(path), old) << trace;
                // Nothing left beside it: no temporary file, no half-written copy.
                EXPECT_EQ(LeftBeside(path), std::set<std::string>{}) << trace;
                ++cases;
            }
        }
    }
    // 8 writers x 5 steps x 3 errors, each in the three situations.
    EXPECT_EQ(cases, 8 * 5 * 3 * 3);
}

TEST(WriterFaults, WithoutAFaultEveryWriterReplacesItsFile) {
    for (const SWriter& writer : Writers()) {
        CTempFolder home;
        const std::string path = home.Path() + writer.file;
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_TRUE(writer.save(home.Path(), 1)) << writer.name;
        const std::string first = Get(path);
        CFileResult saved;
        {
            // A fault planned past the calls a save makes never happens.
            CFaultyFileSystem faulty(EFileStep::Write, 1000, EIO);
            saved = writer.save(home.Path(), 2);
            EXPECT_EQ(faulty.Calls(EFileStep::Open), 1) << writer.name;
            EXPECT_EQ(faulty.Calls(EFileStep::Fsync), 1) << writer.name;
            EXPECT_EQ(faulty.Calls(EFileStep::Close), 1) << writer.name;
            EXPECT_EQ(faulty.Calls(EFileStep::Rename), 1) << writer.name;
            EXPECT_GE(faulty.Calls(EFileStep::Write), 1) << writer.name;
        }
        EXPECT_TRUE(saved.ok()) << writer.name << ": " << saved.message();
        EXPECT_FALSE(first.empty()) << writer.name;
        EXPECT_NE(Get(path), first) << writer.name;
        EXPECT_EQ(LeftBeside(path), std::set<std::string>{}) << writer.name;
    }
}
} // namespace
