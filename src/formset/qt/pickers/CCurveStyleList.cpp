#include "CCurveStyleList.h"
#include "SampleIcon.h"
#include "element/CElementOwner.h"
#include "quotes/SQuote.h"
#include "series/CCurve.h"
#include <array>
#include <vector>

namespace {

constexpr QSize kSampleSize(72, 18);
constexpr std::array<const char*, CCurveStyleList::kKindCount> kNames = {
    "Dots",
    "Line",
    "Dashed line",
    "Dotted line",
    "Dash-dot line",
    "Dash-dot-dot line",
    "Sticks",
    "Sticks, rising and falling",
    "Sticks from zero",
    "Sticks from zero, rising and falling",
    "Bars",
    "Bars, rising and falling",
    "Bars from zero",
    "Bars from zero, rising and falling"};
// Values on both sides of zero, so that the kinds from zero differ from those from the
// bottom; the price bars under them rise and fall in turn.
constexpr std::array<float, 10> kValues = {2, -1, 3, 1, 4, -2, 2, 5, 1, 3};
constexpr float kTop = 6;
constexpr float kBottom = -3;

class SampleOwner : public CElementOwner {
public:
    SampleOwner() {
        for (size_t i = 0; i < kValues.size(); ++i) {
            SQuote q;
            q.open = i % 2 == 0 ? 1.0f : 2.0f;
            q.close = i % 2 == 0 ? 2.0f : 1.0f;
            m_bars.push_back(q);
        }
    }
    const std::vector<SQuote>* PriceBars() const override { return &m_bars; }
    bool PriceLook(SPriceLook& look) const override {
        look = SPriceLook{MakeRGB(255, 190, 190), MakeRGB(0, 150, 150), MakeRGB(255, 0, 0),
                          MakeRGB(0, 120, 120),   MakeRGB(0, 200, 0),   2};
        return true;
    }

private:
    std::vector<SQuote> m_bars;
};

void PaintSample(CDC& dc, int kind) {
    static SampleOwner owner;
    CCurve curve;
    curve.owner = &owner;
    curve.drawKind = kind;
    curve.colour = MakeRGB(0, 0, 200);
    curve.fillColour = MakeRGB(150, 170, 255);
    curve.values.assign(kValues.begin(), kValues.end());
    const CRect plot{2, 1, kSampleSize.width() - 2, kSampleSize.height() - 1};
    curve.Draw(dc, kTop, kBottom, 0, static_cast<int>(kValues.size()), plot);
}

} // namespace

CCurveStyleList::CCurveStyleList(QWidget* parent) : QComboBox(parent) {
    setIconSize(kSampleSize);
    for (int kind = 0; kind < kKindCount; ++kind) {
        addItem(SampleIcon(kSampleSize, devicePixelRatioF(),
                           [kind](CDC& dc) { PaintSample(dc, kind); }),
                QString());
        setItemData(kind, QString::fromLatin1(kNames[kind]), Qt::ToolTipRole);
        setItemData(kind, QString::fromLatin1(kNames[kind]), Qt::AccessibleTextRole);
    }
    connect(this, &QComboBox::currentIndexChanged, this, &CCurveStyleList::curveStyleChanged);
}

void CCurveStyleList::SetCurveStyle(int kind) {
    setCurrentIndex(kind >= 0 && kind < kKindCount ? kind : 1);
}
