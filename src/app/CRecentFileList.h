#pragma once
#include <functional>
#include <string>
#include <vector>

// The most recently used chart files, newest first, as the per-user store keeps them under
// "Recent File List" with the keys "File1" to "File4".
class CRecentFileList {
public:
    static constexpr int kSize = 4;
    static constexpr const char* kSection = "Recent File List";

    // Reads the entry of each key ("File1", ...); empty values are skipped.
    using Reader = std::function<std::string(const std::string& key)>;
    using Writer = std::function<void(const std::string& key, const std::string& value)>;

    void Load(const Reader& read);
    // Writes all four keys; unused ones get empty values, so a removed entry stays removed.
    void Save(const Writer& write) const;

    // `path` becomes the newest entry; an entry of the same path moves up instead of doubling.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    const std::vector<std::string>& Entries() const { return m_entries; }
    // "&1 /path/chart.cht": the menu text of entry `index`.
    std::string MenuText(int index) const;
    static std::string Key(int index) { return "File" + std::to_string(index + 1); }

private:
    std::vector<std::string> m_entries;
};
