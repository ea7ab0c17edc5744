#include "CFlagMarkerList.h"
#include "SampleIcon.h"
#include "indicators/CTradeFlag.h"
#include "indicators/TradeFlagPainter.h"
#include <algorithm>

namespace {

constexpr QSize kSampleSize(18, 18);
constexpr std::array<const char*, CFlagMarkerList::kSymbols.size()> kNames = {
    "Circle", "Square", "Triangle down", "Triangle up", "Diamond", "Arrow"};
constexpr int kArrowIndex = 5;

// A buy flag on a single bar, placed so that its marker sits in the middle of the sample.
void PaintSample(CDC& dc, int symbol) {
    CTradeFlag flag;
    flag.direction = CTradeFlag::kBuy;
    flag.symbol = symbol;
    flag.colour = MakeRGB(200, 0, 0);
    const int h = kSampleSize.height();
    const int priceRow = h / 2 - TradeFlagPainter::kGap - TradeFlagPainter::kHalf;
    flag.values = {static_cast<float>(h - priceRow)};
    flag.Draw(dc, static_cast<float>(h), 0.0f, 0, 1, CRect{0, 0, kSampleSize.width(), h});
}

} // namespace

CFlagMarkerList::CFlagMarkerList(QWidget* parent) : QComboBox(parent) {
    setIconSize(kSampleSize);
    for (size_t i = 0; i < kSymbols.size(); ++i) {
        const int symbol = kSymbols[i];
        addItem(SampleIcon(kSampleSize, devicePixelRatioF(),
                           [symbol](CDC& dc) { PaintSample(dc, symbol); }),
                QString::fromLatin1(kNames[i]));
    }
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit symbolChanged(Symbol()); });
}

void CFlagMarkerList::SetSymbol(int symbol) {
    const auto* found = std::find(kSymbols.begin(), kSymbols.end(), symbol);
    setCurrentIndex(found == kSymbols.end() ? kArrowIndex
                                            : static_cast<int>(found - kSymbols.begin()));
}

int CFlagMarkerList::Symbol() const {
    const int index = currentIndex();
    return index < 0 ? kSymbols[kArrowIndex] : kSymbols[static_cast<size_t>(index)];
}
