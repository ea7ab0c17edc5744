// Opening "Organize Favorites" over 50 groups of 100 favourites, the lists read from disk
// included, up to its first paint on Qt's offscreen platform; and the apply of a rename, a
// move and a delete over the same folder.
#include "DialogOpening.h"
#include "download/CFavourites.h"
#include "formset/favourites/CFavouritesEdit.h"
#include "formset/qt/favourites/COrganizeFavouritesFormset.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using dialog_opening::App;
using dialog_opening::OpenMade;

// A favourites folder of 50 groups of 100 entries, made once and removed at exit.
class CBenchFolder {
public:
    CBenchFolder() {
        char tmpl[] = "/tmp/bench_favourites.XXXXXX";
        m_root = ::mkdtemp(tmpl);
        m_fav = m_root + "/fav/";
        const CFavourites favourites(m_fav);
        for (int g = 0; g < 50; ++g) {
            const std::string group = "Group " + std::to_string(g);
            (void)favourites.NewGroup(group);
            std::vector<CFavourites::SEntry> entries;
            for (int e = 0; e < 100; ++e)
                entries.push_back({"S" + std::to_string(g * 100 + e),
                                   "Company number " + std::to_string(e), "NYSE"});
            (void)favourites.Save(group, entries);
        }
    }
    ~CBenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    const std::string& Fav() const { return m_fav; }

private:
    std::string m_root;
    std::string m_fav;
};

const std::string& Folder() {
    static const CBenchFolder folder;
    return folder.Fav();
}

void BM_OpenOrganizeFavouritesFirst(benchmark::State& state) {
    Folder();
    OpenMade(state, [] {
        return std::make_unique<COrganizeFavouritesFormset>(CFavouritesEdit::Load(Folder()),
                                                            nullptr);
    });
}
BENCHMARK(BM_OpenOrganizeFavouritesFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenOrganizeFavourites(benchmark::State& state) {
    Folder();
    OpenMade(state, [] {
        return std::make_unique<COrganizeFavouritesFormset>(CFavouritesEdit::Load(Folder()),
                                                            nullptr);
    });
}
BENCHMARK(BM_OpenOrganizeFavourites)->Unit(benchmark::kMillisecond);

size_t IndexOf(const CFavouritesEdit& edit, const std::string& name) {
    for (size_t i = 0; i < edit.Groups().size(); ++i)
        if (edit.Groups()[i].name == name) return i;
    return edit.Groups().size();
}

// Each apply renames one group (and the next one back), moves one entry to another group and
// back, and deletes and recreates nothing: two folders renamed, two lists replaced atomically
// (written, flushed, renamed).
void BM_ApplyRenameAndMove(benchmark::State& state) {
    Folder();
    bool renamed = false;
    for (auto _ : state) {
        CFavouritesEdit edit = CFavouritesEdit::Load(Folder());
        const size_t group = IndexOf(edit, renamed ? "Renamed" : "Group 0");
        const size_t from = IndexOf(edit, renamed ? "Group 2" : "Group 1");
        const size_t to = IndexOf(edit, renamed ? "Group 1" : "Group 2");
        const bool moved = edit.MoveEntry(from, edit.Groups()[from].entries.size() - 1, to);
        if (edit.Rename(group, renamed ? "Group 0" : "Renamed") || !moved || !edit.Apply())
            state.SkipWithError("the edit failed");
        renamed = !renamed;
    }
}
BENCHMARK(BM_ApplyRenameAndMove)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
