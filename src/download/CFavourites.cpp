#include "CFavourites.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/SafeName.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {
std::string FieldText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

CFileResult UnsafeGroup(const std::string& group) {
    return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                "the group name \"" + group + "\" cannot be used as a folder name");
}

// Writes `text` into a field of `size` bytes, cut so that its zero byte fits.
void PutField(std::string& record, size_t offset, size_t size, const std::string& text) {
    record.replace(offset, std::min(text.size(), size - 1), text, 0, size - 1);
}
} // namespace

std::string CFavourites::ListPath(const std::string& group) const {
    return m_folder + group + "/list.dat";
}

std::vector<std::string> CFavourites::Groups() const {
    std::vector<std::string> groups;
    std::error_code error;
    for (auto& entry : std::filesystem::directory_iterator(m_folder, error)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory(error) && IsSafePathPart(name)) groups.push_back(name);
    }
    std::sort(groups.begin(), groups.end());
    return groups;
}

CFileResult CFavourites::NewGroup(const std::string& group) const {
    if (!IsSafePathPart(group)) return UnsafeGroup(group);
    ::mkdir(m_folder.c_str(), 0755);
    if (::mkdir((m_folder + group).c_str(), 0755) == 0) return {};
    return CFileResult::Failure(CFileResult::EKind::CannotWrite, "cannot create the folder " +
                                                                     m_folder + group + ": " +
                                                                     std::strerror(errno));
}

std::vector<CFavourites::SEntry> CFavourites::Parse(const std::string& bytes) {
    std::vector<SEntry> entries;
    for (size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        const char* record = bytes.data() + at;
        entries.push_back({FieldText(record, kSymbolSize),
                           FieldText(record + kSymbolSize, kNameSize),
                           FieldText(record + kSymbolSize + kNameSize, kMarketSize)});
    }
    return entries;
}

std::string CFavourites::Serialize(const std::vector<SEntry>& entries) {
    std::string bytes;
    bytes.reserve(entries.size() * kRecordSize);
    for (const SEntry& entry : entries) {
        std::string record(kRecordSize, '\0');
        PutField(record, 0, kSymbolSize, entry.symbol);
        PutField(record, kSymbolSize, kNameSize, entry.name);
        PutField(record, kSymbolSize + kNameSize, kMarketSize, entry.market);
        bytes += record;
    }
    return bytes;
}

CFileResult CFavourites::Load(const std::string& group, std::vector<SEntry>& entries) const {
    entries.clear();
    if (!IsSafePathPart(group)) return UnsafeGroup(group);
    std::string bytes;
    CFileResult read = ReadWholeFile(ListPath(group), bytes);
    if (read) entries = Parse(bytes);
    return read;
}

std::vector<CFavourites::SEntry> CFavourites::EntriesOf(const std::string& group) const {
    std::vector<SEntry> entries;
    (void)Load(group, entries);
    return entries;
}

CFileResult CFavourites::Save(const std::string& group, const std::vector<SEntry>& entries) const {
    if (!IsSafePathPart(group)) return UnsafeGroup(group);
    return WriteFileAtomically(ListPath(group), Serialize(entries));
}

CFileResult CFavourites::Add(const std::string& group, const SEntry& entry) const {
    std::vector<SEntry> entries = EntriesOf(group);
    for (const SEntry& kept : entries)
        if (kept.symbol == entry.symbol && kept.market == entry.market) return {};
    entries.push_back(entry);
    return Save(group, entries);
}

CFileResult CFavourites::Remove(const std::string& group, const std::string& symbol,
                                const std::string& market) const {
    std::vector<SEntry> entries = EntriesOf(group);
    auto end = std::remove_if(entries.begin(), entries.end(), [&](const SEntry& e) {
        return e.symbol == symbol && e.market == market;
    });
    entries.erase(end, entries.end());
    return Save(group, entries);
}
