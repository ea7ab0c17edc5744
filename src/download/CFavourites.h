#pragma once
#include "ctlkit/base/CFileResult.h"
#include <string>
#include <vector>

// The favourites: every sub-folder of the favourites folder is a group; each holds list.dat,
// fixed 512-byte zero-filled records: symbol at offset 0 (16 bytes), its name at offset 16
// (240 bytes), market code at offset 256 (256 bytes), each zero-ended. The list is read whole
// and written back whole (replaced atomically) after every change.
class CFavourites {
public:
    struct SEntry {
        std::string symbol;
        std::string name;
        std::string market;
        bool operator==(const SEntry&) const = default;
    };

    static constexpr size_t kRecordSize = 512;
    static constexpr size_t kSymbolSize = 16;
    static constexpr size_t kNameSize = 240;
    static constexpr size_t kMarketSize = 256;

    // `folder` with a trailing "/".
    explicit CFavourites(std::string folder) : m_folder(std::move(folder)) {}

    // The group names (sub-folder names) in name order.
    std::vector<std::string> Groups() const;
    // Every function of a group refuses a name that cannot be a folder name (UnsafeName).

    // Creates a group folder; CannotWrite when that fails (the group exists already, say).
    CFileResult NewGroup(const std::string& group) const;
    // The entries of a group into `entries`; CannotOpen (and no entries) for a missing list,
    // none for a short one.
    CFileResult Load(const std::string& group, std::vector<SEntry>& entries) const;
    // CannotWrite when the list cannot be replaced; the old one then stays.
    CFileResult Save(const std::string& group, const std::vector<SEntry>& entries) const;
    // Appends the entry (not twice) and writes the list back. A list that cannot be read is
    // taken as empty: a new group has none yet.
    CFileResult Add(const std::string& group, const SEntry& entry) const;
    // Removes the entry of that symbol and market and writes the list back.
    CFileResult Remove(const std::string& group, const std::string& symbol,
                       const std::string& market) const;

    static std::vector<SEntry> Parse(const std::string& bytes);
    static std::string Serialize(const std::vector<SEntry>& entries);

private:
    std::string ListPath(const std::string& group) const;
    // The entries of a group, none when its list cannot be read.
    std::vector<SEntry> EntriesOf(const std::string& group) const;

    std::string m_folder;
};
