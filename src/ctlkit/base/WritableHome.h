#pragma once
#include <functional>
#include <string>

// Where the program keeps its files when the user cannot write its installation (an
// installation under /usr): a home of the user's own, filled from the installation on the
// first start, that every path is then formed from.

// The environment the choice depends on, each value as the process has it ("" when unset).
struct SHomeEnvironment {
    std::string zentristockHome; // ZENTRISTOCK_HOME
    std::string xdgDataHome;     // XDG_DATA_HOME
    std::string home;            // HOME
    static SHomeEnvironment OfProcess();
};

struct SHomeChoice {
    std::string folder;  // the program folder, ending in "/"
    std::string problem; // why no writable home could be made; `folder` is then the installation
};

// The name of the file whose presence says that a home was filled to its end.
inline constexpr const char* kFilledHomeMarker = ".zentristock-home";

// $XDG_DATA_HOME/zentristock/, or $HOME/.local/share/zentristock/ when XDG_DATA_HOME is unset
// or not absolute; empty when neither names an absolute folder.
std::string FallbackHomeFolder(const SHomeEnvironment& environment);

// Whether a file can be made in `folder` and removed again: permissions say little (root,
// access lists, read-only mounts), only a file made there tells.
bool IsWritableFolder(const std::string& folder);

// ZENTRISTOCK_HOME when set and not empty; else `installed` when `writable` says so; else the
// fallback home, filled from `installed` by FillHome. When that home cannot be made the
// installation is used as it is and `problem` says why.
SHomeChoice ChooseProgramFolder(const std::string& installed, const SHomeEnvironment& environment,
                                const std::function<bool(const std::string&)>& writable =
                                    IsWritableFolder);

// Copies into `home` what it lacks of `sample`, folder by folder, unless `home` holds the
// marker of a finished fill: nothing the user has is overwritten, and what the user deleted
// after the first start stays deleted. Executable files (the programs, which run from the
// installation) are left out. A new home is filled under a temporary name and renamed into
// place with its marker; in an existing folder each file appears whole and the marker comes
// last, so a start that is killed half-way leaves nothing taken as complete. Empty on
// success, else the reason.
std::string FillHome(const std::string& sample, const std::string& home);
