#include "CToolWidthList.h"
#include "formset/qt/pickers/SampleIcon.h"
#include <algorithm>

namespace {
constexpr QSize kSampleSize(56, 12);
} // namespace

CToolWidthList::CToolWidthList(QWidget* parent) : QComboBox(parent) {
    setIconSize(kSampleSize);
    for (int width = 0; width <= kMaxWidth; ++width) {
        const int drawn = std::max(width, 1);
        const QIcon icon = SampleIcon(kSampleSize, devicePixelRatioF(), [drawn](CDC& dc) {
            dc.SelectPen(SPen{kPenSolid, 1, MakeRGB(0, 0, 0)});
            dc.SelectBrush(SBrush{MakeRGB(0, 0, 0)});
            const int top = (kSampleSize.height() - drawn) / 2;
            dc.Rectangle(CRect{2, top, kSampleSize.width() - 2, top + drawn});
        });
        addItem(icon, QString::number(width));
    }
}

void CToolWidthList::SetLineWidth(int width) {
    setCurrentIndex(std::clamp(width, 0, kMaxWidth));
}
