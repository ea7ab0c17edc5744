#pragma once
#include "SSelectedStock.h"
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The downloader's ordered selection, kept in its file: every change is written at once
// (atomically), so a crash loses nothing. A change whose file cannot be written is undone
// and its failure returned, so the selection in memory is always the one on disk.
// Listeners hear of every change that was kept (the run starts again at the first record).
class CStockSelection {
public:
    explicit CStockSelection(std::string path);

    // Reads the file; a missing file is an empty selection.
    void Load();

    const std::vector<SSelectedStock>& Stocks() const { return m_stocks; }
    size_t Count() const { return m_stocks.size(); }
    bool Empty() const { return m_stocks.empty(); }
    const std::string& Path() const { return m_path; }
    // The position of the record, or Count() when it is not selected.
    size_t Find(const SSelectedStock& stock) const;

    // Appends the record; a record already selected is left where it is (success, no change).
    CFileResult Add(const SSelectedStock& stock);
    // Out-of-range positions change nothing (success).
    CFileResult Remove(size_t index);
    CFileResult Clear();
    // Moves the record at `from` to position `to` (both below Count(); otherwise no change).
    CFileResult Move(size_t from, size_t to);
    // Replaces the whole selection (the selection dialog's OK).
    CFileResult Assign(std::vector<SSelectedStock> stocks);

    // Called after every change that was kept, in the order added.
    void AddChangeListener(std::function<void()> listener) {
        m_listeners.push_back(std::move(listener));
    }

private:
    CFileResult Commit(std::vector<SSelectedStock> next);

    std::string m_path;
    std::vector<SSelectedStock> m_stocks;
    std::vector<std::function<void()>> m_listeners;
};
