#pragma once
#include "ctlkit/base/IniFile.h"
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// Parsed language files, each read once per change instead of on every translation.
//
// An entry is kept per path with the file's stamp when it was read (device, inode, size,
// modification and status-change times); a lookup compares the stamp with the file's as it is
// now and reads the file again when anything differs, so a file edited in place or replaced
// by a rename is seen at the next lookup. A file whose last change lies less than the settle
// time before its reading is read again at every lookup until it is older: a change within
// one tick of the file system's clock would leave the stamp as it was.
//
// A path that names no regular file, or one that cannot be read, gives an empty file (every
// lookup fails) and is not kept. Any thread may ask; the files handed out are never changed.
class LanguageFileCache {
public:
    static std::shared_ptr<const IniFile> Load(const std::string& path);

    // Files read since the start of the process (every reading, kept or not).
    static uint64_t FileReads();
    // Forgets every entry; the next lookup of each path reads its file.
    static void Clear();

    static constexpr std::chrono::seconds kDefaultSettleTime{2};
    // Tests set a shorter time, to count the readings of a file they have just written.
    static void SetSettleTime(std::chrono::nanoseconds settle);

    // At most this many paths are kept; one more forgets the others.
    static constexpr size_t kMaxEntries = 64;
};
