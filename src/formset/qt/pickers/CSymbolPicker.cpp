#include "CSymbolPicker.h"
#include "SampleIcon.h"
#include "tools/IconNames.h"
#include <QFontMetrics>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int kColumns = 8;
constexpr int kRows = (IconStrip::kIconCount + kColumns - 1) / kColumns;
constexpr QSize kIconSize(IconStrip::kIconSize, IconStrip::kIconSize);

QIcon IconOf(int index, qreal ratio) {
    return SampleIcon(kIconSize, ratio, [index](CDC& dc) {
        const int left = index * IconStrip::kIconSize;
        dc.DrawImage(0, 0, IconStrip::Image(),
                     CRect{left, 0, left + IconStrip::kIconSize, IconStrip::kIconSize}, true,
                     IconStrip::kTransparent);
    });
}

QString NameOf(int index) {
    const std::string_view name = IconStrip::IconName(index);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

CSymbolPicker::CSymbolPicker(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(kIconSize);
    int widest = 0;
    for (int i = 0; i < IconStrip::kIconCount; ++i) {
        auto* item = new QListWidgetItem(IconOf(i, devicePixelRatioF()), NameOf(i), this);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        widest = std::max(widest, fontMetrics().horizontalAdvance(item->text()));
    }
    const int spacing = fontMetrics().averageCharWidth();
    setGridSize(
        QSize(widest + 2 * spacing, kIconSize.height() + fontMetrics().height() + 2 * spacing));
    setCurrentRow(0);
    connect(this, &QListWidget::currentRowChanged, this, &CSymbolPicker::symbolChanged);
}

void CSymbolPicker::SetSymbol(int icon) {
    setCurrentRow(icon >= 0 && icon < IconStrip::kIconCount ? icon : 0);
}

QSize CSymbolPicker::sizeHint() const {
    // Room for a scroll bar when a dialog makes the grid shorter, and one pixel more: the icon
    // layout wraps a row that would fill the viewport exactly.
    const int frame = 2 * frameWidth();
    const int scrollBar = verticalScrollBar()->sizeHint().width();
    return QSize(kColumns * gridSize().width() + frame + scrollBar + 1,
                 kRows * gridSize().height() + frame);
}
