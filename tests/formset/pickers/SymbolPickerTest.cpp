#include "PickerTestSupport.h"
#include "formset/qt/pickers/CSymbolPicker.h"
#include "tools/IconNames.h"
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Shown {
    CSymbolPicker picker;
    std::vector<int> emitted;
    Shown() {
        QObject::connect(&picker, &CSymbolPicker::symbolChanged,
                         [this](int icon) { emitted.push_back(icon); });
        picker.resize(picker.sizeHint());
        picker.show();
        picker.setFocus();
    }
    QPoint CentreOf(int icon) { return picker.visualItemRect(picker.item(icon)).center(); }
    // The icon that shows `dy` grid rows below (or above) `icon`.
    int Below(int icon, int dy) {
        const QPoint p = CentreOf(icon) + QPoint(0, dy * picker.gridSize().height());
        return picker.indexAt(p).row();
    }
};

} // namespace

TEST(SymbolPicker, ShowsEveryIconWithItsNameAndRoundTripsItsNumber) {
    CSymbolPicker picker;
    ASSERT_EQ(picker.count(), IconStrip::kIconCount);
    for (int i = 0; i < IconStrip::kIconCount; ++i) {
        EXPECT_EQ(picker.item(i)->text().toStdString(), IconStrip::IconName(i)) << i;
        picker.SetSymbol(i);
        EXPECT_EQ(picker.Symbol(), i);
    }
    picker.SetSymbol(40);
    EXPECT_EQ(picker.Symbol(), 0);
    picker.SetSymbol(-3);
    EXPECT_EQ(picker.Symbol(), 0);
}

TEST(SymbolPicker, AnswersTheClickedAndTheArrowedIcon) {
    Shown s;
    ASSERT_GT(s.Below(0, 1), 0) << "the grid has a second row";
    QTest::mouseClick(s.picker.viewport(), Qt::LeftButton, {}, s.CentreOf(10));
    EXPECT_EQ(s.picker.Symbol(), 10);
    const int below = s.Below(11, 1);
    struct Step {
        Qt::Key key;
        int expected;
    };
    const Step steps[] = {{Qt::Key_Right, 11}, {Qt::Key_Down, below}, {Qt::Key_Up, 11},
                          {Qt::Key_Left, 10},  {Qt::Key_End, 39},     {Qt::Key_Home, 0}};
    std::vector<int> expected = {10};
    for (const Step& step : steps) {
        QTest::keyClick(s.picker.viewport(), step.key);
        EXPECT_EQ(s.picker.Symbol(), step.expected) << step.key;
        expected.push_back(step.expected);
    }
    EXPECT_EQ(s.emitted, expected);
}

TEST(SymbolPicker, EveryIconLooksDifferentAndShowsAllItsNames) {
    Shown s;
    std::vector<QImage> icons;
    for (int i = 0; i < s.picker.count(); ++i) {
        const QImage image = IconImage(s.picker.item(i)->icon(), s.picker.iconSize(), 2.0);
        EXPECT_EQ(image.size(), s.picker.iconSize() * 2) << i;
        for (size_t j = 0; j < icons.size(); ++j) EXPECT_NE(image, icons[j]) << i << " " << j;
        icons.push_back(image);
        // Every cell is wide enough for its name and lies inside the widget unscrolled.
        const QRect cell = s.picker.visualItemRect(s.picker.item(i));
        EXPECT_GE(cell.width(), s.picker.fontMetrics().horizontalAdvance(s.picker.item(i)->text()))
            << i;
        EXPECT_TRUE(s.picker.viewport()->rect().contains(cell)) << i;
    }
}
