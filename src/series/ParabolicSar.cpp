#include "ParabolicSar.h"
#include "CurveMaking.h"
#include <cmath>
#include <cstdio>

namespace Series {
namespace {

class SarTrend {
public:
    SarTrend(const std::vector<SQuote>& q, float step, float limit)
        : m_q(q), m_step(step), m_limit(limit) {}

    // Values 0 and 1; sets the trend from the first two closes.
    void Start(std::vector<float>& sar) {
        m_up = m_q[1].close >= m_q[0].close;
        sar.push_back(m_q[0].high);
        if (m_up) {
            sar.push_back(Larger(m_q[0].low, m_q[1].low));
            m_ep = Larger(m_q[0].high, m_q[1].high);
        } else {
            sar.push_back(Smaller(m_q[0].high, m_q[1].high));
            m_ep = Smaller(m_q[0].low, m_q[1].low);
        }
        m_af = m_step;
    }

    float Next(std::size_t i, float prev) {
        Accelerate();
        const float d = std::fabs((m_ep - prev) * m_af);
        return m_up ? Rising(i, prev + d) : Falling(i, prev - d);
    }

private:
    static float Larger(float a, float b) { return b > a ? b : a; }
    static float Smaller(float a, float b) { return b < a ? b : a; }

    void Accelerate() {
        if (m_barsInTrend == 1)
            m_af = m_step;
        else if (!m_epUnchanged)
            m_af = m_af + m_step;
        if (m_af >= m_limit) m_af = m_limit;
    }

    // The extreme point held by this trend through bar i. Before bar i the extreme of the
    // trend's k-1 bars is m_ep itself (it was set from exactly those bars), so one comparison
    // gives what a rescan of the k bars would; a later bar wins ties as in that rescan.
    float Extreme(std::size_t i, bool highest) const {
        const float today = highest ? m_q[i].high : m_q[i].low;
        if (m_barsInTrend == 1) return today;
        return (highest ? today >= m_ep : today <= m_ep) ? today : m_ep;
    }

    void Hold(float extreme) {
        m_epUnchanged = extreme == m_ep;
        if (!m_epUnchanged) m_ep = extreme;
        ++m_barsInTrend;
    }

    float Reverse(float newExtreme) {
        const float sar = m_ep;
        m_up = !m_up;
        m_epUnchanged = m_ep == newExtreme;
        if (!m_epUnchanged) m_ep = newExtreme;
        m_barsInTrend = 1;
        return sar;
    }

    float Rising(std::size_t i, float s) {
        if (!(s <= m_q[i].low)) return Reverse(m_q[i].low);
        Hold(Extreme(i, true));
        if (m_q[i - 1].low <= s) s = m_q[i - 1].low;
        if (s >= m_q[i - 2].low) s = m_q[i - 2].low;
        return s;
    }

    float Falling(std::size_t i, float s) {
        if (!(s >= m_q[i].high)) return Reverse(m_q[i].high);
        Hold(Extreme(i, false));
        if (m_q[i - 1].high >= s) s = m_q[i - 1].high;
        if (s <= m_q[i - 2].high) s = m_q[i - 2].high;
        return s;
    }

    const std::vector<SQuote>& m_q;
    const float m_step;
    const float m_limit;
    bool m_up = true;
    float m_ep = 0.0f;
    float m_af = 0.0f;
    std::size_t m_barsInTrend = 1;
    bool m_epUnchanged = false;
};

} // namespace

CurvePtr SAR(const std::vector<SQuote>& quotes, float step, float limit) {
    auto y = NewCurve(quotes.size());
    y->name = "SAR";
    char text[96];
    std::snprintf(text, sizeof text, "%.2f,%.2f", double(step), double(limit));
    y->parameter = text;
    if (quotes.empty()) return y;
    if (quotes.size() == 1) {
        y->values.push_back(quotes[0].close);
        return y;
    }
    SarTrend trend(quotes, step, limit);
    trend.Start(y->values);
    for (std::size_t i = 2; i < quotes.size(); ++i)
        y->values.push_back(trend.Next(i, y->values[i - 1]));
    return y;
}

} // namespace Series
