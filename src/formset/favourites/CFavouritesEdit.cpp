#include "CFavouritesEdit.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/SafeName.h"
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// Characters, not bytes: a UTF-8 continuation byte does not start one.
size_t CharacterCount(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

SFieldError NameError(const std::string& field, std::string_view key, std::string_view fallback,
                      const std::vector<SPlaceholder>& more = {}) {
    return SFieldError::Make(CFavouritesEdit::kNameField, field, key, fallback, more);
}

CFileResult CannotWrite(const std::string& what, const std::error_code& error) {
    return CFileResult::Failure(CFileResult::EKind::CannotWrite, what + ": " + error.message());
}

bool SameEntry(const CFavourites::SEntry& a, const CFavourites::SEntry& b) {
    return a.symbol == b.symbol && a.market == b.market;
}
} // namespace

CFavouritesEdit CFavouritesEdit::Load(const std::string& folder) {
    CFavouritesEdit edit;
    edit.m_folder = folder;
    const CFavourites favourites(folder);
    for (const std::string& name : favourites.Groups()) {
        SGroup group{name, name, {}, {}};
        (void)favourites.Load(name, group.entries);
        group.loadedEntries = group.entries;
        edit.m_groups.push_back(std::move(group));
    }
    return edit;
}

std::optional<SFieldError> CFavouritesEdit::CheckName(const std::string& name,
                                                      std::optional<size_t> except,
                                                      const std::string& field) const {
    if (name.empty()) return NameError(field, "GroupNameEmpty", "%s: please enter a name.");
    if (CharacterCount(name) > kMaxNameLength)
        return NameError(field, "GroupNameLong", "%s: a name has at most %1 characters.",
                         {{"%1", std::to_string(kMaxNameLength)}});
    if (!IsSafePathPart(name))
        return NameError(field, "GroupNameUnsafe",
                         "%s: a name cannot hold \"/\", \"\\\", \"..\" or control characters.");
    const std::string lower = Lower(name);
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (i != except && Lower(m_groups[i].name) == lower)
            return NameError(field, "GroupNameTaken", "%s: there is a group named \"%1\" already.",
                             {{"%1", m_groups[i].name}});
    return std::nullopt;
}

std::optional<SFieldError> CFavouritesEdit::NewGroup(const std::string& name,
                                                     const std::string& field) {
    if (std::optional<SFieldError> error = CheckName(name, {}, field)) return error;
    m_groups.push_back({name, "", {}, {}});
    return std::nullopt;
}

std::optional<SFieldError> CFavouritesEdit::Rename(size_t group, const std::string& name,
                                                   const std::string& field) {
    if (group >= m_groups.size()) return std::nullopt;
    if (std::optional<SFieldError> error = CheckName(name, group, field)) return error;
    m_groups[group].name = name;
    return std::nullopt;
}

bool CFavouritesEdit::DeleteGroup(size_t group) {
    if (group >= m_groups.size()) return false;
    if (!m_groups[group].loadedAs.empty()) m_deleted.push_back(m_groups[group].loadedAs);
    m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(group));
    return true;
}

bool CFavouritesEdit::MoveEntry(size_t group, size_t entry, size_t to) {
    if (group >= m_groups.size() || to >= m_groups.size() || group == to ||
        entry >= m_groups[group].entries.size())
        return false;
    auto& from = m_groups[group].entries;
    const CFavourites::SEntry moved = from[entry];
    from.erase(from.begin() + static_cast<std::ptrdiff_t>(entry));
    auto& target = m_groups[to].entries;
    if (std::none_of(target.begin(), target.end(),
                     [&](const CFavourites::SEntry& kept) { return SameEntry(kept, moved); }))
        target.push_back(moved);
    return true;
}

bool CFavouritesEdit::DeleteEntry(size_t group, size_t entry) {
    if (group >= m_groups.size() || entry >= m_groups[group].entries.size()) return false;
    auto& entries = m_groups[group].entries;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(entry));
    return true;
}

bool CFavouritesEdit::MoveEntryUp(size_t group, size_t entry) {
    if (group >= m_groups.size() || entry == 0 || entry >= m_groups[group].entries.size())
        return false;
    std::swap(m_groups[group].entries[entry - 1], m_groups[group].entries[entry]);
    return true;
}

bool CFavouritesEdit::MoveEntryDown(size_t group, size_t entry) {
    if (group >= m_groups.size() || entry + 1 >= m_groups[group].entries.size()) return false;
    std::swap(m_groups[group].entries[entry], m_groups[group].entries[entry + 1]);
    return true;
}

bool CFavouritesEdit::Changed() const {
    if (!m_deleted.empty()) return true;
    return std::any_of(m_groups.begin(), m_groups.end(), [](const SGroup& group) {
        return group.name != group.loadedAs || group.entries != group.loadedEntries;
    });
}

std::optional<SFieldError> CFavouritesEdit::Validate() const {
    for (size_t i = 0; i < m_groups.size(); ++i) {
        // A folder kept under its own name is no new name: it exists on disk already.
        if (m_groups[i].name == m_groups[i].loadedAs) continue;
        if (std::optional<SFieldError> error = CheckName(m_groups[i].name, i)) return error;
    }
    return std::nullopt;
}

CFileResult CFavouritesEdit::Apply() {
    if (std::optional<SFieldError> error = Validate())
        return CFileResult::Failure(CFileResult::EKind::UnsafeName, error->message);
    std::error_code error;
    fs::create_directories(m_folder, error);

    // A free folder name to move a group aside to, so that names can be swapped or reused.
    int next = 0;
    auto asideName = [&] {
        std::string name;
        do name = "~organize." + std::to_string(next++);
        while (fs::exists(m_folder + name, error));
        return name;
    };
    auto move = [&](const std::string& from, const std::string& to) -> CFileResult {
        fs::rename(m_folder + from, m_folder + to, error);
        if (error) return CannotWrite("cannot rename " + m_folder + from + " to " + to, error);
        return {};
    };

    // 1. Renamed and deleted groups step aside.
    std::vector<std::string> deletedAside;
    for (const std::string& name : m_deleted) {
        const std::string aside = asideName();
        if (CFileResult moved = move(name, aside); !moved) return moved;
        deletedAside.push_back(aside);
    }
    std::vector<std::string> renamedAside(m_groups.size());
    for (size_t i = 0; i < m_groups.size(); ++i) {
        const SGroup& group = m_groups[i];
        if (group.loadedAs.empty() || group.loadedAs == group.name) continue;
        renamedAside[i] = asideName();
        if (CFileResult moved = move(group.loadedAs, renamedAside[i]); !moved) return moved;
    }
    // 2. Renamed groups take their names, new ones get a folder.
    for (size_t i = 0; i < m_groups.size(); ++i) {
        SGroup& group = m_groups[i];
        if (!renamedAside[i].empty()) {
            if (CFileResult moved = move(renamedAside[i], group.name); !moved) return moved;
        } else if (group.loadedAs.empty()) {
            fs::create_directory(m_folder + group.name, error);
            if (error)
                return CannotWrite("cannot create the folder " + m_folder + group.name, error);
        }
        group.loadedAs = group.name;
    }
    // 3. Every changed list: first those that gained an entry, so that an entry moved
    // between groups is written to its new group before it leaves the old one.
    const CFavourites favourites(m_folder);
    auto gained = [](const SGroup& group) {
        return std::any_of(group.entries.begin(), group.entries.end(), [&](const auto& entry) {
            return std::find(group.loadedEntries.begin(), group.loadedEntries.end(), entry) ==
                   group.loadedEntries.end();
        });
    };
    for (const bool gainers : {true, false})
        for (SGroup& group : m_groups) {
            if (group.entries == group.loadedEntries || gained(group) != gainers) continue;
            if (CFileResult saved = favourites.Save(group.name, group.entries); !saved)
                return saved;
            group.loadedEntries = group.entries;
        }
    // 4. The deleted groups go. A folder that holds more than its list is none of ours to
    // empty: it goes back to its name, whole, and is reported.
    CFileResult kept;
    for (size_t i = 0; i < deletedAside.size(); ++i) {
        const std::string folder = m_folder + deletedAside[i];
        bool others = false;
        for (const auto& entry : fs::directory_iterator(folder, error))
            others = others || entry.path().filename() != "list.dat";
        if (others) {
            std::string name = m_deleted[i];
            if (fs::exists(m_folder + name, error) || !move(deletedAside[i], name))
                name = deletedAside[i];
            if (kept)
                kept = CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                            "the folder " + m_folder + name +
                                                " holds other files besides its list and was kept");
            continue;
        }
        fs::remove(folder + "/list.dat", error);
        if (error) return CannotWrite("cannot delete " + folder + "/list.dat", error);
        fs::remove(folder, error);
        if (error) return CannotWrite("cannot delete the folder " + folder, error);
    }
    m_deleted.clear();
    return kept;
}
