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

LOGFONT Font(int height, int weight, bool italic, const char* face) {
    LOGFONT font;
    font.lfHeight = height;
    font.lfWidth = 6;
    font.lfWeight = weight;
    font.lfItalic = italic ? 1 : 0;
    std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
    return font;
}

std::string Face(const LOGFONT& font) {
    return std::string(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName));
}

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
        {Font(15, 400, false, "DejaVu Sans"), 15},       {Font(12, 700, true, "DejaVu Serif"), 12},
        {Font(-20, 700, false, "DejaVu Sans Mono"), 20}, {Font(1, 400, false, "DejaVu Sans"), 1},
        {Font(15, 300, false, "DejaVu Sans"), 15},      // neither normal nor bold: kept
        {Font(15, 400, false, "No Such Face 123"), 15}, // not installed: kept
    };
    for (const Case& c : cases) {
        CFontPicker picker;
        picker.SetLogFont(c.font);
        const LOGFONT got = picker.LogFont();
        EXPECT_EQ(got.lfHeight, c.height) << Face(c.font);
        EXPECT_EQ(got.lfWeight, c.font.lfWeight) << Face(c.font);
        EXPECT_EQ(got.lfItalic, c.font.lfItalic) << Face(c.font);
        EXPECT_EQ(Face(got), Face(c.font));
        EXPECT_EQ(got.lfWidth, AverageWidth(c.font)) << Face(c.font);
        EXPECT_GE(got.lfWidth, 1) << Face(c.font);
        EXPECT_EQ(picker.HeightBox()->value(), c.height) << Face(c.font);
        EXPECT_EQ(picker.ItalicBox()->isChecked(), c.font.lfItalic != 0) << Face(c.font);
        EXPECT_EQ(picker.WeightBox()->currentIndex(), c.font.lfWeight >= 550 ? 1 : 0);
    }
}

TEST(FontPicker, EachEditEmitsTheNewRecordOnce) {
    CFontPicker picker;
    picker.SetLogFont(Font(15, 400, false, "DejaVu Sans"));
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
    EXPECT_EQ(Face(emitted[3]), "DejaVu Serif");
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
        LOGFONT font = Font(height, 400, false, "DejaVu Sans");
        font.lfWidth = 0;
        picker.SetLogFont(font);
        EXPECT_GE(picker.LogFont().lfWidth, 1) << height;
    }
    // A fresh picker holds the widget's own font, with a width too.
    EXPECT_GE(CFontPicker().LogFont().lfWidth, 1);
    EXPECT_TRUE(picker.FaceBox()->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(picker.focusProxy(), picker.FaceBox());
}
