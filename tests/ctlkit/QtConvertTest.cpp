#include "ctlkit/dc/qt/QtConvert.h"
#include "TestFonts.h"
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(QtConvert, ColoursKeepRedInTheLowByteBothWays) {
    struct Case {
        COLORREF stored;
        QColor qt;
    };
    const Case cases[] = {
        {0x0000FF, QColor(255, 0, 0)},
        {0x00FF00, QColor(0, 255, 0)},
        {0xFF0000, QColor(0, 0, 255)},
        {16777215, QColor(255, 255, 255)},
        {0, QColor(0, 0, 0)},
        {0x808080, QColor(128, 128, 128)},
        {0x969600, QColor(0, 150, 150)},
        {0x0D0E0F, QColor(15, 14, 13)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtConvert::ToQColor(c.stored), c.qt) << std::hex << c.stored;
        EXPECT_EQ(QtConvert::ToColorRef(c.qt), c.stored) << std::hex << c.stored;
    }
}

TEST(QtConvert, ColourTopByteAndAlphaAreDropped) {
    EXPECT_EQ(QtConvert::ToQColor(0xFF0000FF), QColor(255, 0, 0));
    EXPECT_EQ(QtConvert::ToColorRef(QColor(255, 0, 0, 10)), 0x0000FFu);
    EXPECT_EQ(QtConvert::ToColorRef(QColor::fromHsv(240, 255, 255)), 0xFF0000u);
}

TEST(QtConvert, WeightsMapOntoQtsScaleAndBack) {
    struct Case {
        int log;
        int qt;
        int back;
    };
    const Case cases[] = {
        {400, QFont::Normal, 400}, {700, QFont::Bold, 700}, {0, QFont::Normal, 400},
        {-3, QFont::Normal, 400},  {100, QFont::Thin, 100}, {600, QFont::DemiBold, 600},
        {900, QFont::Black, 900},  {550, 550, 550},         {1500, 1000, 1000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtConvert::ToQtWeight(c.log), c.qt) << c.log;
        EXPECT_EQ(QtConvert::ToLogWeight(QtConvert::ToQtWeight(c.log)), c.back) << c.log;
        const LOGFONT back =
            QtConvert::ToLogFont(QtConvert::ToQFont(TestFont(15, c.log, 0, "Arial")));
        EXPECT_EQ(back.lfWeight, c.back) << c.log;
    }
}

TEST(QtConvert, FontRecordsBecomeQtFontsAndBack) {
    struct Case {
        LOGFONT font;
        int pixelSize;
        int heightBack;
    };
    const Case cases[] = {
        {TestFont(15, 400, false, "Arial"), 15, 15},
        {TestFont(-15, 400, false, "Arial"), 15, 15}, // a character height
        {TestFont(-9, 700, true, "DejaVu Sans"), 9, 9},
        {TestFont(24, 700, true, "DejaVu Serif"), 24, 24},
        {TestFont(0, 400, false, "Arial"), 1, 1},
    };
    for (const Case& c : cases) {
        const QFont qt = QtConvert::ToQFont(c.font);
        EXPECT_EQ(qt.pixelSize(), c.pixelSize) << c.font.lfHeight;
        EXPECT_EQ(qt.weight(), c.font.lfWeight) << c.font.lfHeight;
        EXPECT_EQ(qt.italic(), c.font.lfItalic != 0) << c.font.lfHeight;
        EXPECT_EQ(qt.family().toStdString(), FaceOf(c.font)) << c.font.lfHeight;

        const LOGFONT back = QtConvert::ToLogFont(qt);
        EXPECT_EQ(back.lfHeight, c.heightBack);
        EXPECT_EQ(back.lfWeight, c.font.lfWeight);
        EXPECT_EQ(back.lfItalic, c.font.lfItalic);
        EXPECT_EQ(FaceOf(back), FaceOf(c.font));
        EXPECT_EQ(back.lfWidth, std::max(1, QFontMetrics(qt).averageCharWidth()));
        EXPECT_GE(back.lfWidth, 1);
    }
}

TEST(QtConvert, FaceNamesAreCutTo31CharactersBothWays) {
    const std::string forty(40, 'F');
    QFont qt(QString::fromStdString(forty));
    qt.setPixelSize(12);
    const LOGFONT record = QtConvert::ToLogFont(qt);
    EXPECT_EQ(FaceOf(record), std::string(31, 'F'));
    EXPECT_EQ(record.lfFaceName[31], '\0');

    // A record whose 32 face bytes hold no terminator reads only 31 of them.
    LOGFONT full = TestFont(12, 400, false, "");
    std::memset(full.lfFaceName, 'G', sizeof full.lfFaceName);
    EXPECT_EQ(QtConvert::ToQFont(full).family(), QString(31, QChar('G')));
}

TEST(QtConvert, FaceNamesAreLatin1) {
    // "Café Ü" in Latin-1 bytes.
    const char latin1[] = "Caf\xE9 \xDC";
    const LOGFONT record = TestFont(12, 400, false, latin1);
    const QFont qt = QtConvert::ToQFont(record);
    EXPECT_EQ(qt.family(), QString::fromUtf8("Café Ü"));
    EXPECT_EQ(FaceOf(QtConvert::ToLogFont(qt)), std::string(latin1));

    // A character outside Latin-1 cannot be stored and becomes a question mark.
    QFont other(QString::fromUtf8("Font\u4E2D"));
    other.setPixelSize(12);
    EXPECT_EQ(FaceOf(QtConvert::ToLogFont(other)), "Font?");
}

TEST(QtConvert, FontSizedInPointsStoresItsPixelHeightAndAWidth) {
    QFont qt("DejaVu Sans");
    qt.setPointSize(12);
    const LOGFONT record = QtConvert::ToLogFont(qt);
    EXPECT_EQ(record.lfHeight, QFontInfo(qt).pixelSize());
    EXPECT_GT(record.lfHeight, 0);
    EXPECT_GE(record.lfWidth, 1);
}

TEST(QtConvert, UnderlineAndStrikeOutTravelBothWays) {
    LOGFONT record = TestFont(12, 400, false, "Arial");
    record.lfUnderline = 1;
    record.lfStrikeOut = 1;
    const QFont qt = QtConvert::ToQFont(record);
    EXPECT_TRUE(qt.underline());
    EXPECT_TRUE(qt.strikeOut());
    const LOGFONT back = QtConvert::ToLogFont(qt);
    EXPECT_EQ(back.lfUnderline, 1);
    EXPECT_EQ(back.lfStrikeOut, 1);
}
