#include "CStockSelection.h"
#include <algorithm>

CStockSelection::CStockSelection(std::string path) : m_path(std::move(path)) {}

void CStockSelection::Load() {
    m_stocks = ReadSelectionFile(m_path);
}

size_t CStockSelection::Find(const SSelectedStock& stock) const {
    return static_cast<size_t>(std::find(m_stocks.begin(), m_stocks.end(), stock) -
                               m_stocks.begin());
}

CFileResult CStockSelection::Commit(std::vector<SSelectedStock> next) {
    if (next == m_stocks) return {};
    if (CFileResult written = WriteSelectionFile(m_path, next); !written) return written;
    m_stocks = std::move(next);
    for (const auto& listener : m_listeners) listener();
    return {};
}

CFileResult CStockSelection::Add(const SSelectedStock& stock) {
    if (Find(stock) < Count()) return {};
    std::vector<SSelectedStock> next = m_stocks;
    next.push_back(stock);
    return Commit(std::move(next));
}

CFileResult CStockSelection::Remove(size_t index) {
    if (index >= Count()) return {};
    std::vector<SSelectedStock> next = m_stocks;
    next.erase(next.begin() + static_cast<std::ptrdiff_t>(index));
    return Commit(std::move(next));
}

CFileResult CStockSelection::Clear() {
    return Commit({});
}

CFileResult CStockSelection::Move(size_t from, size_t to) {
    if (from >= Count() || to >= Count()) return {};
    std::vector<SSelectedStock> next = m_stocks;
    SSelectedStock moved = std::move(next[from]);
    next.erase(next.begin() + static_cast<std::ptrdiff_t>(from));
    next.insert(next.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    return Commit(std::move(next));
}

CFileResult CStockSelection::Assign(std::vector<SSelectedStock> stocks) {
    return Commit(std::move(stocks));
}
