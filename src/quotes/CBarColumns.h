#pragma once
#include "SQuote.h"
#include <cstddef>
#include <span>
#include <vector>

// The prices and volumes of a bar series as contiguous columns, oldest bar first: the form
// the indicator formulas read, so that a formula over one field reads only that field.
class CBarColumns {
public:
    CBarColumns() = default;
    explicit CBarColumns(std::span<const SQuote> bars);

    std::size_t size() const { return m_close.size(); }
    bool empty() const { return m_close.empty(); }

    const std::vector<float>& Open() const { return m_open; }
    const std::vector<float>& High() const { return m_high; }
    const std::vector<float>& Low() const { return m_low; }
    const std::vector<float>& Close() const { return m_close; }
    const std::vector<float>& Volume() const { return m_volume; }

private:
    std::vector<float> m_open;
    std::vector<float> m_high;
    std::vector<float> m_low;
    std::vector<float> m_close;
    std::vector<float> m_volume;
};
