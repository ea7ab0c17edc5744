#include "CLineWidthList.h"
#include "SampleIcon.h"
#include <algorithm>

namespace {

constexpr QSize kSampleSize(56, 12);

} // namespace

CLineWidthList::CLineWidthList(QWidget* parent) : QComboBox(parent) {
    setIconSize(kSampleSize);
    for (int width = 1; width <= kMaxWidth; ++width) {
        const QIcon icon = SampleIcon(kSampleSize, devicePixelRatioF(), [width](CDC& dc) {
            dc.SelectPen(SPen{kPenSolid, 1, MakeRGB(0, 0, 0)});
            dc.SelectBrush(SBrush{MakeRGB(0, 0, 0)});
            const int top = (kSampleSize.height() - width) / 2;
            dc.Rectangle(CRect{2, top, kSampleSize.width() - 2, top + width});
        });
        addItem(icon, QString::number(width));
    }
    connect(this, &QComboBox::currentIndexChanged, this,
            [this](int index) { emit lineWidthChanged(index + 1); });
}

void CLineWidthList::SetLineWidth(int width) {
    setCurrentIndex(std::clamp(width, 1, kMaxWidth) - 1);
}
