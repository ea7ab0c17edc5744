#include "PickerTestSupport.h"
#include "formset/qt/pickers/CCurveStyleList.h"
#include "formset/qt/pickers/CFlagMarkerList.h"
#include "formset/qt/pickers/CLineStyleList.h"
#include "formset/qt/pickers/CLineWidthList.h"
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// One list picker seen through its own setter, getter and changed signal.
struct ListPicker {
    std::unique_ptr<QComboBox> combo;
    std::function<void(int)> set;
    std::function<int()> get;
    std::shared_ptr<std::vector<int>> emitted = std::make_shared<std::vector<int>>();
};

struct Case {
    const char* name;
    std::function<ListPicker()> make;
    std::vector<int> values;                  // the value of each entry, in list order
    std::vector<std::pair<int, int>> outside; // a value not in the list, the value shown
};

template <typename Picker>
ListPicker Make(void (Picker::*setter)(int), int (Picker::*getter)() const,
                void (Picker::*changed)(int)) {
    auto* picker = new Picker;
    ListPicker result;
    result.combo.reset(picker);
    result.set = [picker, setter](int v) { (picker->*setter)(v); };
    result.get = [picker, getter] { return (picker->*getter)(); };
    QObject::connect(picker, changed, [emitted = result.emitted](int v) { emitted->push_back(v); });
    return result;
}

std::vector<int> Range(int from, int to) {
    std::vector<int> values;
    for (int v = from; v <= to; ++v) values.push_back(v);
    return values;
}

std::vector<Case> Cases() {
    return {
        {"line style",
         [] {
             return Make(&CLineStyleList::SetPenStyle, &CLineStyleList::PenStyle,
                         &CLineStyleList::penStyleChanged);
         },
         Range(0, 4),
         {{5, 0}, {-1, 0}}},
        {"line width",
         [] {
             return Make(&CLineWidthList::SetLineWidth, &CLineWidthList::LineWidth,
                         &CLineWidthList::lineWidthChanged);
         },
         Range(1, 5),
         {{0, 1}, {9, 5}}},
        {"curve style",
         [] {
             return Make(&CCurveStyleList::SetCurveStyle, &CCurveStyleList::CurveStyle,
                         &CCurveStyleList::curveStyleChanged);
         },
         Range(0, 13),
         {{14, 1}, {-1, 1}}},
        {"flag marker",
         [] {
             return Make(&CFlagMarkerList::SetSymbol, &CFlagMarkerList::Symbol,
                         &CFlagMarkerList::symbolChanged);
         },
         {1, 7, 8, 9, 12, 13},
         {{0, 13}, {2, 13}}},
    };
}

} // namespace

TEST(ListPickers, EveryValueRoundTripsAndValuesOutsideShowAsDrawn) {
    for (const Case& c : Cases()) {
        ListPicker p = c.make();
        ASSERT_EQ(p.combo->count(), static_cast<int>(c.values.size())) << c.name;
        for (size_t i = 0; i < c.values.size(); ++i) {
            p.set(c.values[i]);
            EXPECT_EQ(p.get(), c.values[i]) << c.name;
            EXPECT_EQ(p.combo->currentIndex(), static_cast<int>(i)) << c.name;
        }
        for (auto [value, shown] : c.outside) {
            p.set(value);
            EXPECT_EQ(p.get(), shown) << c.name << " " << value;
        }
    }
}

TEST(ListPickers, EachKeyboardStepEmitsTheNewValueOnce) {
    for (const Case& c : Cases()) {
        ListPicker p = c.make();
        p.set(c.values.front());
        p.emitted->clear();
        p.combo->show();
        p.combo->setFocus();
        EXPECT_TRUE(p.combo->focusPolicy() & Qt::TabFocus) << c.name;
        for (size_t i = 1; i < c.values.size(); ++i) QTest::keyClick(p.combo.get(), Qt::Key_Down);
        const std::vector<int> expected(c.values.begin() + 1, c.values.end());
        EXPECT_EQ(*p.emitted, expected) << c.name;
        EXPECT_EQ(p.get(), c.values.back()) << c.name;
        // Setting the value it shows changes nothing and tells nobody.
        p.set(c.values.back());
        EXPECT_EQ(p.emitted->size(), expected.size()) << c.name;
        QTest::keyClick(p.combo.get(), Qt::Key_Home);
        EXPECT_EQ(p.emitted->back(), c.values.front()) << c.name;
    }
}

TEST(ListPickers, EveryEntryShowsASampleOfItsOwnAtEveryPixelRatio) {
    for (const Case& c : Cases()) {
        ListPicker p = c.make();
        const QSize size = p.combo->iconSize();
        for (qreal ratio : {1.0, 2.0}) {
            std::vector<QImage> samples;
            for (int i = 0; i < p.combo->count(); ++i) {
                const QImage image = IconImage(p.combo->itemIcon(i), size, ratio);
                EXPECT_EQ(image.size(), size * ratio) << c.name << " " << i;
                for (size_t j = 0; j < samples.size(); ++j)
                    EXPECT_NE(image, samples[j]) << c.name << ": " << i << " and " << j;
                samples.push_back(image);
            }
        }
    }
}

TEST(ListPickers, PenSamplesDrawTheirStylesDashes) {
    // Along the middle row, solid has no gap and each dashed style has gaps of its own.
    CLineStyleList list;
    const QSize size = list.iconSize();
    std::vector<int> darkPixels;
    for (int style = 0; style < CLineStyleList::kStyleCount; ++style) {
        const QImage image = IconImage(list.itemIcon(style), size);
        int dark = 0;
        for (int x = 0; x < size.width(); ++x)
            dark += qGray(image.pixel(x, size.height() / 2)) < 128;
        darkPixels.push_back(dark);
    }
    EXPECT_EQ(darkPixels[0], size.width() - 4);
    for (int style = 1; style < CLineStyleList::kStyleCount; ++style)
        EXPECT_LT(darkPixels[style], darkPixels[0]) << style;
}

TEST(ListPickers, WidthSamplesAreAsThickAsTheirWidth) {
    CLineWidthList list;
    const QSize size = list.iconSize();
    for (int width = 1; width <= CLineWidthList::kMaxWidth; ++width) {
        const QImage image = IconImage(list.itemIcon(width - 1), size);
        int rows = 0;
        for (int y = 0; y < size.height(); ++y)
            rows += qGray(image.pixel(size.width() / 2, y)) < 128;
        EXPECT_EQ(rows, width);
    }
}
