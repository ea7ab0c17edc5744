#include "LanguageFileCache.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/Mutex.h"
#include <atomic>
#include <ctime>
#include <sys/stat.h>
#include <unordered_map>

namespace {
// What identifies one version of a file, as far as stat() can tell.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t modified = 0; // nanoseconds since 1970
    int64_t changed = 0;  // status change: also moves when the modification time is set back

    bool operator==(const FileStamp&) const = default;
};

int64_t Nanoseconds(const timespec& t) {
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// False for anything but a regular file.
bool StampOf(const std::string& path, FileStamp& stamp) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp = {st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
    return true;
}

int64_t WallClockNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

struct Entry {
    FileStamp stamp;
    std::shared_ptr<const IniFile> ini;
};

struct CacheState {
    Mutex mutex;
    std::unordered_map<std::string, Entry> entries ZS_GUARDED_BY(mutex);
    std::atomic<uint64_t> reads{0};
    std::atomic<int64_t> settleNanoseconds{
        std::chrono::nanoseconds(LanguageFileCache::kDefaultSettleTime).count()};
};

CacheState& Cache() {
    static CacheState state;
    return state;
}

const std::shared_ptr<const IniFile>& EmptyFile() {
    static const std::shared_ptr<const IniFile> empty =
        std::make_shared<const IniFile>(IniFile::Parse(""));
    return empty;
}

void Forget(CacheState& cache, const std::string& path) {
    MutexLock lock(cache.mutex);
    cache.entries.erase(path);
}
} // namespace

std::shared_ptr<const IniFile> LanguageFileCache::Load(const std::string& path) {
    CacheState& cache = Cache();
    FileStamp before;
    if (path.empty() || !StampOf(path, before)) {
        if (!path.empty()) Forget(cache, path);
        return EmptyFile();
    }
    {
        MutexLock lock(cache.mutex);
        auto it = cache.entries.find(path);
        if (it != cache.entries.end() && it->second.stamp == before) return it->second.ini;
    }

    // Read without the lock: a slow disk holds up no other translation.
    const int64_t readStart = WallClockNow();
    std::string text;
    const bool read = ReadWholeFile(path, text).ok();
    cache.reads.fetch_add(1, std::memory_order_relaxed);
    if (!read) {
        Forget(cache, path);
        return EmptyFile();
    }
    auto ini = std::make_shared<const IniFile>(IniFile::Parse(text));

    FileStamp after;
    const bool unchanged = StampOf(path, after) && after == before;
    const int64_t settledBy = readStart - cache.settleNanoseconds.load(std::memory_order_relaxed);
    const bool settled = before.changed <= settledBy && before.modified <= settledBy;
    MutexLock lock(cache.mutex);
    if (unchanged && settled) {
        if (cache.entries.size() >= kMaxEntries && !cache.entries.count(path))
            cache.entries.clear();
        cache.entries[path] = Entry{before, ini};
    } else {
        cache.entries.erase(path);
    }
    return ini;
}

uint64_t LanguageFileCache::FileReads() {
    return Cache().reads.load(std::memory_order_relaxed);
}

void LanguageFileCache::Clear() {
    CacheState& cache = Cache();
    MutexLock lock(cache.mutex);
    cache.entries.clear();
}

void LanguageFileCache::SetSettleTime(std::chrono::nanoseconds settle) {
    Cache().settleNanoseconds.store(settle.count(), std::memory_order_relaxed);
}
