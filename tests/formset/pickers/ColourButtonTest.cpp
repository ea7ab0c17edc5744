#include "PickerTestSupport.h"
#include "formset/qt/pickers/CColourButton.h"
#include <QColorDialog>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Opened {
    CColourButton button;
    std::vector<COLORREF> emitted;
    Opened() {
        button.SetColour(MakeRGB(10, 20, 30));
        QObject::connect(&button, &CColourButton::colourChanged,
                         [this](COLORREF c) { emitted.push_back(c); });
        button.show();
    }
};

// What the user does in the colour dialog after passing through two colours.
enum class EEnd { kCancel, kEscape, kOk };

} // namespace

TEST(ColourButton, TakesEveryColourPassedThroughAndKeepsOrRestoresByHowTheDialogEnds) {
    struct Case {
        const char* name;
        EEnd end;
        COLORREF final;
    };
    const Case cases[] = {{"cancel", EEnd::kCancel, MakeRGB(10, 20, 30)},
                          {"escape", EEnd::kEscape, MakeRGB(10, 20, 30)},
                          {"ok", EEnd::kOk, MakeRGB(0, 0, 255)}};
    for (const Case& c : cases) {
        Opened o;
        QTest::mouseClick(&o.button, Qt::LeftButton);
        QColorDialog* dialog = o.button.OpenDialog();
        ASSERT_NE(dialog, nullptr) << c.name;
        EXPECT_EQ(dialog->currentColor(), QColor(10, 20, 30)) << c.name;
        dialog->setCurrentColor(QColor(255, 0, 0));
        dialog->setCurrentColor(QColor(0, 0, 255));
        const std::vector<COLORREF> live = {0x0000FF, 0xFF0000};
        EXPECT_EQ(o.emitted, live) << c.name;
        EXPECT_EQ(o.button.Colour(), 0xFF0000u) << c.name;
        switch (c.end) {
        case EEnd::kCancel:
            dialog->reject();
            break;
        case EEnd::kEscape:
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
        case EEnd::kOk:
            dialog->accept();
            break;
        }
        EXPECT_EQ(o.button.OpenDialog(), nullptr) << c.name;
        EXPECT_EQ(o.button.Colour(), c.final) << c.name;
        std::vector<COLORREF> expected = live;
        if (c.final != 0xFF0000u) expected.push_back(c.final);
        EXPECT_EQ(o.emitted, expected) << c.name;
    }
}

TEST(ColourButton, SpaceOpensTheDialogAndTheSwatchShowsTheColour) {
    Opened o;
    o.button.setFocus();
    EXPECT_TRUE(o.button.focusPolicy() & Qt::TabFocus);
    QTest::keyClick(&o.button, Qt::Key_Space);
    ASSERT_NE(o.button.OpenDialog(), nullptr);
    o.button.OpenDialog()->reject();

    const QSize size = o.button.iconSize();
    for (qreal ratio : {1.0, 2.0}) {
        const QImage swatch = IconImage(o.button.icon(), size, ratio);
        ASSERT_EQ(swatch.size(), size * ratio);
        EXPECT_EQ(QColor(swatch.pixel(swatch.width() / 2, swatch.height() / 2)),
                  QColor(10, 20, 30));
    }
    o.button.SetColour(0xFFFFFF);
    const QImage white = IconImage(o.button.icon(), size);
    EXPECT_EQ(QColor(white.pixel(size.width() / 2, size.height() / 2)), QColor(255, 255, 255));
}

TEST(ColourButton, SetColourTellsOnlyChangesAndDropsTheTopByte) {
    Opened o;
    o.button.SetColour(MakeRGB(10, 20, 30));
    o.button.SetColour(0xAB00FF00);
    o.button.SetColour(0x0000FF00);
    EXPECT_EQ(o.emitted, std::vector<COLORREF>{0x00FF00});
    EXPECT_EQ(o.button.Colour(), 0x00FF00u);
}
