#include "ImportTestSupport.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CRecordingMessageTarget.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "quotefetch/CImportJob.h"
#include <chrono>
#include <thread>

namespace {
// The log of a job: written on the pool thread, read once the job has finished.
class CLockedImportLog : public CImportLog {
public:
    void Line(const std::string& text) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.push_back(text);
    }
    std::vector<std::string> Lines() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
};
} // namespace

TEST(ImportJob, ImportsOnThePoolAndReportsEachStepToTheWindow) {
    CImportTempFolder home;
    WriteImportText(home.Path() + "in/a.txt", "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n");
    WriteImportText(home.Path() + "in/b.txt", "<TICKER>,<PER>,<DTYYYYMMDD>,<OPEN>,<HIGH>,<LOW>,"
                                              "<CLOSE>,<VOL>\nGE,D,20050106,1,2,0.5,1.5,10\n");
    SImportOptions options;
    options.dataFolder = home.Path() + "Data/";
    options.market = "NYSE";
    CUiThreadLoop loop;
    auto window = CRecordingMessageTarget::Create(loop);
    auto log = std::make_shared<CLockedImportLog>();
    auto* job =
        new CImportJob({home.Path() + "in/a.txt", home.Path() + "in/b.txt"}, options, log, window);
    job->setAutoDelete(0);
    std::unique_ptr<CImportJob> owned(job);
    {
        CMThreadedJobQ queue(std::chrono::milliseconds(1));
        queue.addJob(job);
        ASSERT_TRUE(
            loop.RunUntil([&] { return job->isFinished() != 0; }, std::chrono::seconds(30)));
    }
    std::vector<CRecordingMessageTarget::SRecord> records = window->Records();
    ASSERT_EQ(records.size(), 2u);
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].message.message, WM_USER + 1920);
        EXPECT_EQ(records[i].message.wParam, 0u);
        EXPECT_EQ(records[i].message.lParam, static_cast<intptr_t>(i + 1));
        EXPECT_EQ(records[i].thread, std::this_thread::get_id());
    }
    EXPECT_TRUE(job->Ran());
    ASSERT_EQ(job->Reports().size(), 2u);
    EXPECT_EQ(job->Reports()[1].result, EImportFileResult::Imported);
    EXPECT_EQ(ReadImportText(home.Path() + "Data/NYSE/IBM.csv"),
              kQuoteHeader + "5-Jan-05,83.0,84.1,82.9,83.7,5120000,83.7\n");
    EXPECT_EQ(ReadImportText(home.Path() + "Data/NYSE/GE.csv"),
              kQuoteHeader + "6-Jan-05,1,2,0.5,1.5,10,1.5\n");
    std::vector<std::string> lines = log->Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], "Automaticly create directory of " + home.Path() + "Data/NYSE/.");
    EXPECT_EQ(lines.back(), "Import EOD DATA finished.");
}

TEST(ImportJob, ACancelledJobStopsBeforeTheNextFile) {
    CImportTempFolder home;
    WriteImportText(home.Path() + "in/a.txt", "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n");
    SImportOptions options;
    options.dataFolder = home.Path() + "Data/";
    options.market = "NYSE";
    auto log = std::make_shared<CLockedImportLog>();
    CImportJob job({home.Path() + "in/a.txt", home.Path() + "in/a.txt"}, options, log, nullptr);
    job.requestCancel();
    job.execute();
    EXPECT_TRUE(job.Reports().empty());
    EXPECT_EQ(log->Lines(),
              (std::vector<std::string>{"2 files selected.", "Import EOD DATA finished."}));
    EXPECT_FALSE(std::filesystem::exists(home.Path() + "Data/NYSE/IBM.csv"));
}
