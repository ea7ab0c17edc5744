#include "TestFonts.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include "formset/qt/pickers/CFontPicker.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontMetrics>
#include <QSpinBox>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

int AverageWidth(const LOGFONT& font) {
    return std::max(1, QFontMetrics(QtConvert::ToQFont(font)).averageCharWidth());
}

} // namespace

TEST(FontPicker, RecordsRoundTripWithTheirMeasuredWidth) {
    struct Case {
        LOGFONT font;
        int height;
    };
    const Case cases[] = {
        {TestFont(15, 400, false, "DejaVu Sans"), 15},
        {TestFont(12, 700, true, "DejaVu Serif"), 12},
        {TestFont(-20, 700, false, "DejaVu Sans Mono"), 20},
        {TestFont(1, 400, false, "DejaVu Sans"), 1},
        {TestFont(15, 300, false, "DejaVu Sans"), 15},      // neither normal nor bold: kept
        {TestFont(15, 400, false, "No Such Face 123"), 15}, // not installed: kept
    };
    for (const Case& c : cases) {
        CFontPicker picker;
        picker.SetLogFont(c.font);
        const LOGFONT got = picker.LogFont();
        EXPECT_EQ(got.lfHeight, c.height) << FaceOf(c.font);
        EXPECT_EQ(got.lfWeight, c.font.lfWeight) << FaceOf(c.font);
        EXPECT_EQ(got.lfItalic, c.font.lfItalic) << FaceOf(c.font);
        EXPECT_EQ(FaceOf(got), FaceOf(c.font));
        EXPECT_EQ(got.lfWidth, AverageWidth(c.font)) << FaceOf(c.font);
        EXPECT_GE(got.lfWidth, 1) << FaceOf(c.font);
        EXPECT_EQ(picker.HeightBox()->value(), c.height) << FaceOf(c.font);
        EXPECT_EQ(picker.ItalicBox()->isChecked(), c.font.lfItalic != 0) << FaceOf(c.font);
        EXPECT_EQ(picker.WeightBox()->currentIndex(), c.font.lfWeight >= 550 ? 1 : 0);
    }
}

TEST(FontPicker, EachEditEmitsTheNewRecordOnce) {
    CFontPicker picker;
    picker.SetLogFont(TestFont(15, 400, false, "DejaVu Sans"));
    std::vector<LOGFONT> emitted;
    QObject::connect(&picker, &CFontPicker::fontChanged,
                     [&](const LOGFONT& f) { emitted.push_back(f); });
    picker.show();

    QTest::keyClick(picker.HeightBox(), Qt::Key_Up);
    ASSERT_EQ(emitted.size(), 1u);
    EXPECT_EQ(emitted[0].lfHeight, 16);

    QTest::keyClick(picker.WeightBox(), Qt::Key_Down);
    ASSERT_EQ(emitted.size(), 2u);
    EXPECT_EQ(emitted[1].lfWeight, 700);

    picker.ItalicBox()->setFocus();
    QTest::keyClick(picker.ItalicBox(), Qt::Key_Space);
    ASSERT_EQ(emitted.size(), 3u);
    EXPECT_EQ(emitted[2].lfItalic, 1);

    picker.FaceBox()->setCurrentFont(QFont("DejaVu Serif"));
    ASSERT_EQ(emitted.size(), 4u);
    EXPECT_EQ(FaceOf(emitted[3]), "DejaVu Serif");
    EXPECT_EQ(emitted[3].lfHeight, 16);
    EXPECT_EQ(emitted[3].lfWeight, 700);

    for (const LOGFONT& f : emitted) EXPECT_EQ(f.lfWidth, AverageWidth(f));
    // Setting the record it holds tells nobody.
    picker.SetLogFont(picker.LogFont());
    EXPECT_EQ(emitted.size(), 4u);
}

TEST(FontPicker, NeverStoresWidthZero) {
    CFontPicker picker;
    for (int height : {1, 2, 3, 8}) {
        LOGFONT font = TestFont(height, 400, false, "DejaVu Sans");
        font.lfWidth = 0;
        picker.SetLogFont(font);
        EXPECT_GE(picker.LogFont().lfWidth, 1) << height;
    }
    // A fresh picker holds the widget's own font, with a width too.
    EXPECT_GE(CFontPicker().LogFont().lfWidth, 1);
    EXPECT_TRUE(picker.FaceBox()->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(picker.focusProxy(), picker.FaceBox());
}
