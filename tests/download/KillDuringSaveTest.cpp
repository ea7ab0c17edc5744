// A program saving chart files, templates, quote exports, favourites and setup.ini in a loop
// is killed (SIGKILL) at random moments; after each kill every file is one whole version that
// the program's readers take, the version it held before or a newer one.
#include "SaveLoopFiles.h"
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CScratch {
public:
    CScratch() {
        std::string pattern = "/tmp/zs-kill-XXXXXX";
        if (::mkdtemp(pattern.data())) m_path = pattern + "/";
    }
    ~CScratch() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Starts save_loop on `folder` from version `first`; returns its process id once it has
// begun saving, or -1.
pid_t StartSaving(const std::string& folder, int first) {
    int out[2];
    if (::pipe(out) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        const std::string version = std::to_string(first);
        ::execl(ZS_SAVE_LOOP, ZS_SAVE_LOOP, folder.c_str(), version.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    char started = 0;
    const bool began = child > 0 && ::read(out[0], &started, 1) == 1;
    ::close(out[0]);
    return began ? child : -1;
}

TEST(KillDuringSave, EveryFileIsAWholeVersionAfterEachKill) {
    CScratch home;
    CScratch expected;
    for (save_loop::EFile file : save_loop::kFiles)
        fs::create_directories(fs::path(expected.Path() + save_loop::NameOf(file)).parent_path());
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> delayUs(0, 60000);
    std::map<save_loop::EFile, int> held; // the version each file held at the last check
    int first = 1;
    int checked = 0;
    int advanced = 0;
    constexpr int kKills = 100;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = StartSaving(home.Path(), first);
        ASSERT_GT(child, 0) << "save_loop did not start";
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        // Killed, not ended by a failed save.
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << kill;

        int newest = first - 1;
        for (save_loop::EFile file : save_loop::kFiles) {
            const std::string path = home.Path() + save_loop::NameOf(file);
            const auto before = held.find(file);
            if (!fs::exists(path)) {
                // Only a file that was never saved may be missing.
                EXPECT_EQ(before, held.end())
                    << save_loop::NameOf(file) << " lost at kill " << kill;
                continue;
            }
            const std::optional<int> version = save_loop::VersionIn(home.Path(), file);
            ASSERT_TRUE(version) << save_loop::NameOf(file) << " does not read after kill " << kill;
            if (before != held.end()) {
                EXPECT_GE(*version, before->second) << save_loop::NameOf(file);
                if (*version > before->second) ++advanced;
            }
            // Byte for byte what that version is when saved whole.
            ASSERT_TRUE(save_loop::Save(expected.Path(), file, *version));
            EXPECT_EQ(Bytes(path), Bytes(expected.Path() + save_loop::NameOf(file)))
                << save_loop::NameOf(file) << " version " << *version << " at kill " << kill;
            held[file] = *version;
            newest = std::max(newest, *version);
            ++checked;
        }
        first = newest + 1;
    }
    // Every kill checked all five files but those not yet saved once, and the saving went on
    // between kills.
    EXPECT_GE(checked, 5 * (kKills - 5));
    EXPECT_GT(advanced, kKills);
    // What a killed save leaves behind is its temporary file, never in a stored file's place.
    int leftovers = 0;
    for (const auto& entry : fs::recursive_directory_iterator(home.Path())) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), home.Path()).string();
        bool stored = name.ends_with(".lock");
        for (save_loop::EFile file : save_loop::kFiles)
            stored = stored || name == save_loop::NameOf(file);
        if (!stored) ++leftovers;
    }
    std::printf("temporary files left by killed saves: %d\n", leftovers);
    std::printf(
        "kills %d, files checked %d, of which newer than at the kill before %d, none partial\n",
        kKills, checked, advanced);
}
} // namespace
