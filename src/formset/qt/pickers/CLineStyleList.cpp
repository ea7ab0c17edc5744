#include "CLineStyleList.h"
#include "SampleIcon.h"
#include <array>

namespace {

constexpr QSize kSampleSize(64, 12);
constexpr std::array<const char*, CLineStyleList::kStyleCount> kNames = {
    "Solid", "Dash", "Dot", "Dash-dot", "Dash-dot-dot"};

} // namespace

CLineStyleList::CLineStyleList(QWidget* parent) : QComboBox(parent) {
    setIconSize(kSampleSize);
    for (int style = 0; style < kStyleCount; ++style) {
        const QIcon icon = SampleIcon(kSampleSize, devicePixelRatioF(), [style](CDC& dc) {
            dc.SelectPen(SPen{style, 1, MakeRGB(0, 0, 0)});
            dc.Line(2, kSampleSize.height() / 2, kSampleSize.width() - 2, kSampleSize.height() / 2);
        });
        addItem(icon, QString());
        setItemData(style, QString::fromLatin1(kNames[style]), Qt::ToolTipRole);
        setItemData(style, QString::fromLatin1(kNames[style]), Qt::AccessibleTextRole);
    }
    connect(this, &QComboBox::currentIndexChanged, this, &CLineStyleList::penStyleChanged);
}

void CLineStyleList::SetPenStyle(int style) {
    setCurrentIndex(style >= 0 && style < kStyleCount ? style : kPenSolid);
}
