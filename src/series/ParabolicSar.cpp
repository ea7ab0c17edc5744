#include "ParabolicSar.h"
#include "CurveMaking.h"
#include <cmath>
#include <cstdio>

namespace Series {
namespace {

class SarTrend {
public:
    SarTrend(const CBarColumns& q, float step, float limit)
        : m_high(q.High().data()), m_low(q.Low().data()), m_close(q.Close().data()),
          m_step(step), m_limit(limit) {}

    // Values 0 and 1; sets the trend from the first two closes.
    void Start(float* sar) {
        m_up = m_close[1] >= m_close[0];
        sar[0] = m_high[0];
        if (m_up) {
            sar[1] = Larger(m_low[0], m_low[1]);
            m_ep = Larger(m_high[0], m_high[1]);
        } else {
            sar[1] = Smaller(m_high[0], m_high[1]);
            m_ep = Smaller(m_low[0], m_low[1]);
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
        const float today = highest ? m_high[i] : m_low[i];
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
        if (!(s <= m_low[i])) return Reverse(m_low[i]);
        Hold(Extreme(i, true));
        if (m_low[i - 1] <= s) s = m_low[i - 1];
        if (s >= m_low[i - 2]) s = m_low[i - 2];
        return s;
    }

    float Falling(std::size_t i, float s) {
        if (!(s >= m_high[i])) return Reverse(m_high[i]);
        Hold(Extreme(i, false));
        if (m_high[i - 1] >= s) s = m_high[i - 1];
        if (s <= m_high[i - 2]) s = m_high[i - 2];
        return s;
    }

    const float* const m_high;
    const float* const m_low;
    const float* const m_close;
    const float m_step;
    const float m_limit;
    bool m_up = true;
    float m_ep = 0.0f;
    float m_af = 0.0f;
    std::size_t m_barsInTrend = 1;
    bool m_epUnchanged = false;
};

} // namespace

CurvePtr SAR(const CBarColumns& quotes, float step, float limit) {
    auto y = NewCurve(quotes.size());
    y->name = "SAR";
    char text[96];
    std::snprintf(text, sizeof text, "%.2f,%.2f", double(step), double(limit));
    y->parameter = text;
    if (quotes.empty()) return y;
    if (quotes.size() == 1) {
        y->values.push_back(quotes.Close()[0]);
        return y;
    }
    // Written through a pointer with the last value carried, so the trend stays in registers.
    y->values.resize(quotes.size());
    float* sar = y->values.data();
    SarTrend trend(quotes, step, limit);
    trend.Start(sar);
    float last = sar[1];
    for (std::size_t i = 2; i < quotes.size(); ++i) sar[i] = last = trend.Next(i, last);
    return y;
}

} // namespace Series
