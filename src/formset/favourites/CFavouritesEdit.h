#pragma once
#include "download/CFavourites.h"
#include "formset/SFieldError.h"
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The favourites organiser's model: every group of the favourites folder with its entries,
// loaded once; the user's edits (new, renamed and deleted groups, entries moved, deleted and
// reordered) stay in memory until Apply() carries them out on disk. A copy that is dropped
// touches nothing.
class CFavouritesEdit {
public:
    // The group name field of the organiser, named in refusals.
    static constexpr unsigned kNameField = 1001;
    static constexpr const char* kNameFieldName = "Group name";
    static constexpr size_t kMaxNameLength = 64;

    struct SGroup {
        std::string name;
        // The folder name it was loaded from; empty for a group made in this edit.
        std::string loadedAs;
        std::vector<CFavourites::SEntry> entries;
        // The entries as loaded, to tell a changed list from an unchanged one.
        std::vector<CFavourites::SEntry> loadedEntries;
        bool operator==(const SGroup&) const = default;
    };

    CFavouritesEdit() = default;
    // Every group of `folder` (with a trailing "/") in name order, with its entries; a list
    // that cannot be read counts as empty.
    static CFavouritesEdit Load(const std::string& folder);

    const std::string& Folder() const { return m_folder; }
    const std::vector<SGroup>& Groups() const { return m_groups; }

    // Why `name` cannot name a group (the group at `except`, when given, is not compared
    // with): empty, longer than 64 characters, not usable as a folder name, or another
    // group's name in any letter case.
    // `field` names the field in the message (the dialog's label, translated).
    std::optional<SFieldError> CheckName(const std::string& name, std::optional<size_t> except = {},
                                         const std::string& field = kNameFieldName) const;
    // Appends an empty group; the refusal of CheckName, and no change, otherwise.
    std::optional<SFieldError> NewGroup(const std::string& name,
                                        const std::string& field = kNameFieldName);
    std::optional<SFieldError> Rename(size_t group, const std::string& name,
                                      const std::string& field = kNameFieldName);
    // Drops the group and its entries; false for an index out of range.
    bool DeleteGroup(size_t group);
    // Moves the entry to the end of group `to`; an entry of the same symbol and market there
    // already is not doubled (the moved one is dropped). False when nothing moved.
    bool MoveEntry(size_t group, size_t entry, size_t to);
    bool DeleteEntry(size_t group, size_t entry);
    // Swaps the entry with the one before (after) it; false at the list's end.
    bool MoveEntryUp(size_t group, size_t entry);
    bool MoveEntryDown(size_t group, size_t entry);

    // True when Apply() would change something on disk.
    bool Changed() const;
    // Every new or changed group name checked again: the first refusal.
    std::optional<SFieldError> Validate() const;

    // Carries the edits out: renamed and deleted groups' folders are first moved aside,
    // renamed ones then take their new names, new groups get their folders, every changed
    // list.dat is replaced atomically (lists that gained an entry first), and last the
    // deleted groups' lists and folders go. An entry moved between groups is thus never lost
    // on a failure half-way. Stops at the first failure and reports it, except that a deleted
    // group whose folder holds other files is put back whole, reported once the rest is done.
    // After a success the model stands for the disk (Changed() is false).
    CFileResult Apply();

    bool operator==(const CFavouritesEdit&) const = default;

private:
    std::string m_folder;
    std::vector<SGroup> m_groups;
    // Folder names of the groups deleted in this edit.
    std::vector<std::string> m_deleted;
};
