#pragma once
#include "TestFiles.h"
#include "download/CFavourites.h"
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// A favourites folder under a fresh temporary folder, and every file below it as bytes.
class FavouritesFolder {
public:
    FavouritesFolder() : m_folder(m_dir.Path() + "/fav/") {
        std::filesystem::create_directories(m_folder);
    }
    const std::string& Path() const { return m_folder; }

    // A group folder with a list of `count` entries "<prefix><i>" (or the entries given).
    void Group(const std::string& name, const std::vector<CFavourites::SEntry>& entries) const {
        std::filesystem::create_directories(m_folder + name);
        WriteText(m_folder + name + "/list.dat", CFavourites::Serialize(entries));
    }
    static std::vector<CFavourites::SEntry> Entries(const std::string& prefix, int count) {
        std::vector<CFavourites::SEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back({prefix + std::to_string(i), "Name of " + prefix, "NYSE"});
        return entries;
    }
    std::vector<CFavourites::SEntry> ListOf(const std::string& group) const {
        return CFavourites::Parse(ReadText(m_folder + group + "/list.dat"));
    }
    // Relative path → bytes (folders as "<dir>/").
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (auto& entry : std::filesystem::recursive_directory_iterator(m_folder)) {
            const std::string relative = std::filesystem::relative(entry.path(), m_folder).string();
            if (entry.is_directory())
                files[relative + "/"] = "";
            else
                files[relative] = ReadText(entry.path().string());
        }
        return files;
    }
    // Modification times, to tell a rewritten file from one left alone.
    std::filesystem::file_time_type Stamp(const std::string& group) const {
        return std::filesystem::last_write_time(m_folder + group + "/list.dat");
    }

private:
    TempDir m_dir;
    std::string m_folder;
};
