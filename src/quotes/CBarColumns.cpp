#include "CBarColumns.h"

CBarColumns::CBarColumns(std::span<const SQuote> bars) {
    const std::size_t n = bars.size();
    m_open.resize(n);
    m_high.resize(n);
    m_low.resize(n);
    m_close.resize(n);
    m_volume.resize(n);
    // One pass over the records fills every column.
    for (std::size_t i = 0; i < n; ++i) {
        const SQuote& bar = bars[i];
        m_open[i] = bar.open;
        m_high[i] = bar.high;
        m_low[i] = bar.low;
        m_close[i] = bar.close;
        m_volume[i] = bar.volume;
    }
}
