#include "LanguageFileTest.h"
#include "chart/CChartFile.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/CStockSetFormset.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CLineStyleList.h"
#include "formset/qt/pickers/CLineWidthList.h"
#include "../dialog/DialogKeys.h"
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using F = CStockSetFormset;

void Press(QWidget* control, Qt::Key key, int times = 1) {
    control->setFocus();
    for (int i = 0; i < times; ++i) QTest::keyClick(control, key);
}

// Clicks the colour button, types the colour into the colour dialog's "HTML:" field and
// presses Return there.
void TypeColour(QWidget& dialog, unsigned id, const char* html) {
    auto* button = Find<CColourButton>(dialog, id);
    QTest::mouseClick(button, Qt::LeftButton);
    QColorDialog* colours = button->OpenDialog();
    ASSERT_NE(colours, nullptr) << id;
    for (QLineEdit* edit : colours->findChildren<QLineEdit*>()) {
        if (!edit->text().startsWith('#')) continue;
        edit->selectAll();
        QTest::keyClicks(edit, html);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    EXPECT_EQ(button->OpenDialog(), nullptr) << id;
}

// Every field of the dialog changed by keys and clicks.
void EditEveryField(QWidget& d) {
    Press(Find<QComboBox>(d, F::kPriceStyle), Qt::Key_Down);       // 1 -> 2, candles
    Press(Find<CLineStyleList>(d, F::kPenStyle), Qt::Key_Down, 2); // 1 -> 3, dash-dot
    Press(Find<CLineWidthList>(d, F::kWeight), Qt::Key_Down, 2);   // -> 3
    TypeColour(d, F::kRiseBorder, "#010203");
    TypeColour(d, F::kRiseFill, "#040506");
    TypeColour(d, F::kDoji, "#070809");
    TypeColour(d, F::kFallBorder, "#0a0b0c");
    TypeColour(d, F::kFallFill, "#0d0e0f");
}

class StockSetFormsetTest : public LanguageFileTest {
protected:
    // Runs the dialog through the chart's seam on `stock`; `drive` must close it.
    bool Edit(CStock& stock, const std::function<void(CStockSetFormset&)>& drive) {
        CFormsetDialog::ShownHook previous =
            CFormsetDialog::SetShownHook([&](CFormsetDialog& shown) {
                auto& dialog = static_cast<CStockSetFormset&>(shown);
                EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
                drive(dialog);
                if (dialog.isVisible()) {
                    ADD_FAILURE() << "the dialog was left open";
                    dialog.done(QDialog::Rejected);
                }
            });
        const bool ok =
            EditPriceLineSettings(stock, CStockSetFormset::Editor(nullptr), [this] { ++repaints; });
        CFormsetDialog::SetShownHook(previous);
        return ok;
    }

    int repaints = 0;
};

CPriceLineSettings Settings(int price, int pen, int weight, std::array<uint32_t, 5> colours) {
    CPriceLineSettings s;
    s.priceStyle = price;
    s.penStyle = pen;
    s.weight = weight;
    s.riseFill = colours[0];
    s.fallFill = colours[1];
    s.riseBorder = colours[2];
    s.fallBorder = colours[3];
    s.doji = colours[4];
    return s;
}

} // namespace

TEST_F(StockSetFormsetTest, OkTakesEveryEditedField) {
    CStock stock(0);
    EXPECT_TRUE(Edit(stock, [](CStockSetFormset& d) {
        EditEveryField(d);
        QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
    }));
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(CPriceLineSettings::From(stock),
              Settings(2, 3, 3, {0x060504, 0x0F0E0D, 0x030201, 0x0C0B0A, 0x090807}));
}

TEST_F(StockSetFormsetTest, CancelEscapeAndCloseLeaveTheStoredSeriesAsItWas) {
    struct Case {
        const char* way;
        std::function<void(CStockSetFormset&)> finish;
    };
    const Case cases[] = {
        {"Cancel",
         [](CStockSetFormset& d) { QTest::mouseClick(Find<QPushButton>(d, 2), Qt::LeftButton); }},
        {"Escape",
         [](CStockSetFormset& d) { Press(Find<QComboBox>(d, F::kPriceStyle), Qt::Key_Escape); }},
        {"close button", [](CStockSetFormset& d) { d.close(); }},
    };
    for (const Case& c : cases) {
        CStock stock(0);
        // Values the dialog would change on OK: a template's pen style 5 and weight 0.
        stock.SetViewSwitchD(5);
        stock.SetViewSwitchC(0);
        stock.SetColour(5, 0x123456);
        const std::string before = CChartFile::Write(stock);
        EXPECT_FALSE(Edit(stock, [&](CStockSetFormset& d) {
            EditEveryField(d);
            c.finish(d);
        })) << c.way;
        EXPECT_EQ(CChartFile::Write(stock), before) << c.way;
        EXPECT_EQ(repaints, 0) << c.way;
    }
}

TEST_F(StockSetFormsetTest, ShowsStoredValuesAsDrawnAndOkStoresThemSo) {
    struct Case {
        CPriceLineSettings stored;
        int shownPrice, shownPen, shownWeight;
        CPriceLineSettings saved;
    };
    const std::array<uint32_t, 5> colours = {1, 2, 3, 4, 5};
    const Case cases[] = {
        {Settings(4, 2, 4, colours), 4, 2, 4, Settings(4, 2, 4, colours)},
        {Settings(1, 5, 0, colours), 1, 0, 1, Settings(1, 0, 1, colours)},  // 5 solid, 0 one
        {Settings(9, -1, 2, colours), 0, 0, 2, Settings(0, 0, 2, colours)}, // draws nothing
    };
    for (const Case& c : cases) {
        CStock stock(0);
        stock.SetViewSwitchA(c.stored.priceStyle);
        stock.SetViewSwitchD(c.stored.penStyle);
        stock.SetViewSwitchC(c.stored.weight);
        for (int i = 1; i <= 5; ++i) stock.SetColour(i, static_cast<uint32_t>(i));
        EXPECT_TRUE(Edit(stock, [&](CStockSetFormset& d) {
            EXPECT_EQ(Find<QComboBox>(d, F::kPriceStyle)->currentIndex(), c.shownPrice);
            EXPECT_EQ(Find<CLineStyleList>(d, F::kPenStyle)->PenStyle(), c.shownPen);
            EXPECT_EQ(Find<CLineWidthList>(d, F::kWeight)->LineWidth(), c.shownWeight);
            EXPECT_EQ(Find<CColourButton>(d, F::kDoji)->Colour(), 5u);
            Press(Find<QComboBox>(d, F::kPriceStyle), Qt::Key_Return);
        }));
        EXPECT_EQ(CPriceLineSettings::From(stock), c.saved) << c.stored.priceStyle;
    }
}

TEST_F(StockSetFormsetTest, PreviewRedrawsOnEveryListAndColourChange) {
    CStockSetFormset dialog(CPriceLineSettings{}, nullptr);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QWidget* preview = FindControl(dialog, F::kPreview);
    ASSERT_NE(preview, nullptr);
    auto pixels = [&] { return preview->grab().toImage(); };
    auto count = [&](QColor colour) {
        const QImage image = pixels();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
        return n;
    };
    std::vector<QImage> seen = {pixels()};
    auto changed = [&](const char* what) {
        const QImage now = pixels();
        for (const QImage& before : seen) EXPECT_NE(now, before) << what;
        seen.push_back(now);
    };
    Press(Find<QComboBox>(dialog, F::kPriceStyle), Qt::Key_Down); // candles
    changed("price style");
    Press(Find<QComboBox>(dialog, F::kPriceStyle), Qt::Key_Down); // line through the opens
    changed("price style line");
    Press(Find<CLineStyleList>(dialog, F::kPenStyle), Qt::Key_Up); // solid
    changed("pen style");
    Press(Find<CLineWidthList>(dialog, F::kWeight), Qt::Key_Down, 3);
    changed("weight");

    // While the colour dialog is open, every colour passed through shows at once.
    auto* border = Find<CColourButton>(dialog, F::kRiseBorder);
    QTest::mouseClick(border, Qt::LeftButton);
    ASSERT_NE(border->OpenDialog(), nullptr);
    border->OpenDialog()->setCurrentColor(QColor(1, 200, 3));
    EXPECT_GT(count(QColor(1, 200, 3)), 20);
    border->OpenDialog()->setCurrentColor(QColor(200, 1, 3));
    EXPECT_EQ(count(QColor(1, 200, 3)), 0);
    EXPECT_GT(count(QColor(200, 1, 3)), 20);
    border->OpenDialog()->reject();
    EXPECT_EQ(count(QColor(200, 1, 3)), 0);
    dialog.reject();
}

TEST_F(StockSetFormsetTest, TextsComeFromTheLanguageFileOrAreNeutral) {
    struct Case {
        const char* languageFile; // null: none
        const char* title;
        const char* priceLabel;
        const char* riseGroup;
        const char* doji;
        std::array<const char*, 7> styles;
    };
    const Case cases[] = {
        {nullptr,
         "Priceline Setting Dialog",
         "&Price Line Style:",
         "Rising bar",
         "&Doji Color",
         {"Hidden", "OHLC bars", "Candles", "Line (open)", "Line (close)", "Line (high)",
          "Line (low)"}},
        {"[239]\n0=Kurslinie\n1201=&Kursdarstellung:\n1204=Steigend\n1210=&Doji-Farbe\n"
         "[String]\n98=Aus\n99=Balken\n113=Kerzen\n114=Linie (Eröffnung)\n110=Linie (Schluss)\n"
         "111=Linie (Hoch)\n112=Linie (Tief)\n",
         "Kurslinie",
         "&Kursdarstellung:",
         "Steigend",
         "&Doji-Farbe",
         {"Aus", "Balken", "Kerzen", "Linie (Eröffnung)", "Linie (Schluss)", "Linie (Hoch)",
          "Linie (Tief)"}},
    };
    for (const Case& c : cases) {
        CLanguage::SetFile("");
        if (c.languageFile) Activate(c.languageFile);
        CStockSetFormset dialog(CPriceLineSettings{}, nullptr);
        dialog.open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(dialog.windowTitle().toStdString(), c.title);
        EXPECT_EQ(Find<QLabel>(dialog, F::kPriceStyleLabel)->text().toStdString(), c.priceLabel);
        EXPECT_EQ(Find<QGroupBox>(dialog, F::kRiseGroup)->title().toStdString(), c.riseGroup);
        EXPECT_EQ(Find<QLabel>(dialog, F::kDojiLabel)->text().toStdString(), c.doji);
        auto* styles = Find<QComboBox>(dialog, F::kPriceStyle);
        ASSERT_EQ(styles->count(), 7);
        for (int i = 0; i < 7; ++i) EXPECT_EQ(styles->itemText(i).toStdString(), c.styles[i]) << i;
        dialog.reject();
    }
}

TEST_F(StockSetFormsetTest, TabVisitsEveryControlInTheOrderShown) {
    CStockSetFormset dialog(CPriceLineSettings{}, nullptr);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    FindControl(dialog, F::kPriceStyle)->setFocus();
    std::vector<unsigned> reached;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(ControlIdOf(*QApplication::focusWidget()).value_or(0));
    }
    const std::vector<unsigned> order = {F::kPenStyle,
                                         F::kWeight,
                                         F::kRiseBorder,
                                         F::kRiseFill,
                                         F::kFallBorder,
                                         F::kFallFill,
                                         F::kDoji,
                                         1,
                                         2,
                                         F::kPriceStyle};
    EXPECT_EQ(reached, order);
    dialog.reject();
}
