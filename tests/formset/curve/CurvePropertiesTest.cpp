#include "formset/qt/curve/CurveProperties.h"
#include "../dialog/DialogKeys.h"
#include "LanguageFileTest.h"
#include "chart/CChartFile.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/curve/CCurveFormset.h"
#include "formset/qt/curve/CTradeFlagFormset.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CCurveStyleList.h"
#include "formset/qt/pickers/CFlagMarkerList.h"
#include "formset/qt/pickers/CFontPicker.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorLooks.h"
#include "quotes/PeriodChoice.h"
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

using C = CCurveFormset;
using T = CTradeFlagFormset;
using Drive = std::function<void(CFormsetDialog&)>;

void Retype(QWidget& dialog, unsigned id, const QString& text) {
    auto* edit = Find<QLineEdit>(dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

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

void ClickOk(CFormsetDialog& d) {
    QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
}

// The ways a dialog is left without OK.
struct SClose {
    const char* way;
    Drive close;
};
const SClose kCloses[] = {
    {"Cancel",
     [](CFormsetDialog& d) { QTest::mouseClick(Find<QPushButton>(d, 2), Qt::LeftButton); }},
    {"Escape", [](CFormsetDialog&) { Key(Qt::Key_Escape); }},
    {"close button", [](CFormsetDialog& d) { d.close(); }},
};

LOGFONT BigFont() {
    LOGFONT font;
    font.lfHeight = 20;
    font.lfWidth = 9;
    font.lfWeight = 700;
    std::strcpy(font.lfFaceName, "Some Face With A Long Name");
    return font;
}

class CurvePropertiesTest : public LanguageFileTest {
protected:
    void SetUp() override {
        LanguageFileTest::SetUp();
        ASSERT_TRUE(LoadQuotesInPeriod(stock, std::string(ZS_TEST_DATA_DIR) + "/ttrc.csv", {}, 400,
                                       nullptr));
        stock.SetPaneCount(2);
        ASSERT_TRUE(BuildIndicator(stock, "SMA", 0, false, true));
        ASSERT_TRUE(BuildIndicator(stock, "FLAGMA", 0, true, true));
        ASSERT_TRUE(BuildIndicator(stock, "MACD", 1, false, true));
        stock.SetExportOnClose(false);
    }

    // Runs `show` with `drive` on its dialog once that is active; `drive` must close it.
    bool Run(const std::function<bool()>& show, const Drive& drive) {
        CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            ++shown;
            const QPointer<CFormsetDialog> alive(&d);
            drive(d);
            if (alive && alive->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                alive->done(QDialog::Rejected);
            }
        });
        const bool answer = show();
        CFormsetDialog::SetShownHook(previous);
        return answer;
    }

    CCurve& Curve(int pane, std::size_t index) {
        return *CStockPanes::InstallIn(stock).Pane(pane)->Curves().at(index);
    }
    CTradeFlag& Flag(std::size_t index) {
        std::vector<CTradeFlag*> flags;
        for (const auto& element : CStockPanes::InstallIn(stock).Pane(0)->Elements())
            if (auto* flag = dynamic_cast<CTradeFlag*>(element.get())) flags.push_back(flag);
        return *flags.at(index);
    }
    bool EditCurve(int pane, std::size_t index, const Drive& drive) {
        return Run([&] { return ShowCurveProperties(nullptr, stock, pane, Curve(pane, index)); },
                   drive);
    }
    bool EditFlag(std::size_t index, const Drive& drive) {
        return Run([&] { return ShowTradeFlagProperties(nullptr, stock, 0, Flag(index)); }, drive);
    }

    // The controls that Tab reaches from the focus, in order, until it comes back.
    static std::vector<unsigned> TabOrder() {
        std::vector<unsigned> order;
        QWidget* first = QApplication::focusWidget();
        do {
            QWidget* at = QApplication::focusWidget();
            std::optional<unsigned> id = ControlIdOf(*at);
            // The parts of the font picker count as the picker.
            for (QWidget* up = at; !id && up; up = up->parentWidget()) id = ControlIdOf(*up);
            order.push_back(id.value_or(0));
            Key(Qt::Key_Tab);
        } while (QApplication::focusWidget() != first && order.size() < 20);
        return order;
    }

    CStock stock;
    int shown = 0;
    CRecordingPrompter prompter;
    CScopedPrompter scoped{prompter};
};

} // namespace

// --- Curve

TEST_F(CurvePropertiesTest, CurveDialogShowsTheCurveAndIsReachedByKeyboard) {
    EXPECT_FALSE(EditCurve(0, 1, [](CFormsetDialog& d) {
        EXPECT_EQ(d.DialogId(), 270u);
        EXPECT_EQ(d.windowTitle().toStdString(), "Curve Properties");
        EXPECT_EQ(Find<QLineEdit>(d, C::kName)->text().toStdString(), "MA");
        EXPECT_EQ(Find<QLineEdit>(d, C::kParameter)->text().toStdString(), "10");
        EXPECT_TRUE(Find<QLineEdit>(d, C::kName)->isReadOnly());
        EXPECT_TRUE(Find<QLineEdit>(d, C::kParameter)->isReadOnly());
        EXPECT_EQ(Find<CColourButton>(d, C::kColour)->Colour(), 0x2CC864u); // RGB(100, 200, 44)
        EXPECT_EQ(Find<QLineEdit>(d, C::kWidth)->text().toStdString(), "1");
        EXPECT_EQ(Find<CCurveStyleList>(d, C::kStyle)->CurveStyle(), 1);
        EXPECT_EQ(TabOrder(), (std::vector<unsigned>{C::kColour, C::kWidth, C::kStyle, 1, 2,
                                                     C::kName, C::kParameter}));
        const std::pair<Qt::Key, unsigned> mnemonics[] = {{Qt::Key_N, C::kName},
                                                          {Qt::Key_P, C::kParameter},
                                                          {Qt::Key_L, C::kColour},
                                                          {Qt::Key_W, C::kWidth},
                                                          {Qt::Key_S, C::kStyle}};
        for (auto [key, id] : mnemonics) {
            QTest::keyClick(&d, key, Qt::AltModifier);
            EXPECT_EQ(QApplication::focusWidget(), FindControl(d, id)) << id;
        }
        // OK without a change changes nothing.
        Key(Qt::Key_Return);
    }));
    EXPECT_EQ(stock.ViewPar(0).flagBytes, CPaneLooks::Bytes{});
}

TEST_F(CurvePropertiesTest, CurveOkTakesEachChangedFieldAndKeepsItThroughReplay) {
    struct Case {
        const char* what;
        Drive edit;
        SCurveLook look;
    };
    const Case cases[] = {
        {"colour",
         [](CFormsetDialog& d) { TypeColour(d, C::kColour, "#102030"); },
         {0x302010, 1, 1}},
        {"width", [](CFormsetDialog& d) { Retype(d, C::kWidth, "7"); }, {0x2CC864, 7, 1}},
        {"width 0", [](CFormsetDialog& d) { Retype(d, C::kWidth, " 0 "); }, {0x2CC864, 0, 1}},
        {"width 20", [](CFormsetDialog& d) { Retype(d, C::kWidth, "20"); }, {0x2CC864, 20, 1}},
        {"style",
         [](CFormsetDialog& d) { Press(Find<QWidget>(d, C::kStyle), Qt::Key_Down, 2); },
         {0x2CC864, 1, 3}},
        {"style 13",
         [](CFormsetDialog& d) { Press(Find<QWidget>(d, C::kStyle), Qt::Key_End); },
         {0x2CC864, 1, 13}},
        {"style 0",
         [](CFormsetDialog& d) { Press(Find<QWidget>(d, C::kStyle), Qt::Key_Home); },
         {0x2CC864, 1, 0}},
        {"all three",
         [](CFormsetDialog& d) {
             TypeColour(d, C::kColour, "#ff0001");
             Retype(d, C::kWidth, "12");
             Press(Find<QWidget>(d, C::kStyle), Qt::Key_Down, 9);
         },
         {0x0100FF, 12, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp(); // a fresh chart
        EXPECT_TRUE(EditCurve(0, 1, [&](CFormsetDialog& d) {
            c.edit(d);
            ClickOk(d);
        }));
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_EQ(SCurveLook::Of(Curve(0, 1)), c.look);
        EXPECT_EQ(StoredCurveLook(stock, 0, Curve(0, 1)), c.look);
        stock.MakeWeekLine(false);
        EXPECT_EQ(SCurveLook::Of(Curve(0, 1)), c.look);
        // The other curves keep what their indicator gave them.
        EXPECT_EQ(Curve(0, 0).colour, 0x966432u);
        EXPECT_EQ(Curve(0, 2).colour, 0x0000FFu);
    }
}

TEST_F(CurvePropertiesTest, CurveCancelEscapeAndCloseLeaveTheChartByteIdentical) {
    // A look stored before, so that the store is not empty either.
    ASSERT_EQ(ChangeCurveLook(stock, 1, Curve(1, 1), {0x123456, 3, 4}), ELookKept::WithEntry);
    const std::string before = CChartFile::Write(stock);
    for (const SClose& c : kCloses) {
        for (int pane : {0, 1}) {
            EXPECT_FALSE(EditCurve(pane, 1, [&](CFormsetDialog& d) {
                TypeColour(d, C::kColour, "#abcdef");
                Retype(d, C::kWidth, "9");
                Press(Find<QWidget>(d, C::kStyle), Qt::Key_Down);
                c.close(d);
            })) << c.way;
            EXPECT_TRUE(CChartFile::Write(stock) == before) << c.way;
        }
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CurvePropertiesTest, CurveRefusesABadWidthByNameAndStaysOpen) {
    const char* const typed[] = {"", "abc", "1e39", "nan", "-1", "21", "1.5", "2x", "99999999"};
    const std::string before = CChartFile::Write(stock);
    for (const char* text : typed) {
        SCOPED_TRACE(text);
        prompter.messages.clear();
        EXPECT_FALSE(EditCurve(0, 1, [&](CFormsetDialog& d) {
            TypeColour(d, C::kColour, "#010101");
            Retype(d, C::kWidth, text);
            Key(Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(prompter.messages,
                      std::vector<std::string>{"Width: please enter a whole number from 0 to 20."});
            EXPECT_EQ(QApplication::focusWidget(), FindControl(d, C::kWidth));
            Key(Qt::Key_Escape);
        }));
        EXPECT_TRUE(CChartFile::Write(stock) == before);
    }
}

TEST_F(CurvePropertiesTest, CurveLookThePaneCannotKeepIsRefusedOnTheColour) {
    // Pane 0's store filled by the two big flag looks and more, until less than a curve's
    // nine bytes are left.
    const STradeFlagLook big{0x0000FF, 0x00FF00, 7, std::string(60, 't'), BigFont()};
    ASSERT_EQ(ChangeTradeFlagLook(stock, 0, Flag(0), big), ELookKept::WithEntry);
    ASSERT_EQ(ChangeTradeFlagLook(stock, 0, Flag(1), big), ELookKept::WithEntry);
    ASSERT_EQ(ChangeCurveLook(stock, 0, Curve(0, 0), {1, 1, 1}), ELookKept::WithEntry);
    ASSERT_EQ(ChangeCurveLook(stock, 0, Curve(0, 2), {1, 1, 1}), ELookKept::WithEntry);
    ASSERT_LT(LookRoom(stock, 0, Curve(0, 1)), 9);
    const std::string before = CChartFile::Write(stock);
    EXPECT_FALSE(EditCurve(0, 1, [&](CFormsetDialog& d) {
        TypeColour(d, C::kColour, "#010203");
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(prompter.messages,
                  std::vector<std::string>{
                      "Colour: the pane has no room left to keep the look of one more line."});
        EXPECT_EQ(QApplication::focusWidget(), FindControl(d, C::kColour));
        Key(Qt::Key_Escape);
    }));
    EXPECT_TRUE(CChartFile::Write(stock) == before);
    // A look already stored may still be changed: its own bytes are its room.
    EXPECT_TRUE(EditCurve(0, 0, [&](CFormsetDialog& d) {
        Retype(d, C::kWidth, "4");
        ClickOk(d);
    }));
    EXPECT_EQ(Curve(0, 0).lineWidth, 4);
}

// --- Trade flag

TEST_F(CurvePropertiesTest, TradeFlagDialogShowsTheFlagAndIsReachedByKeyboard) {
    EXPECT_FALSE(EditFlag(1, [](CFormsetDialog& d) {
        EXPECT_EQ(d.DialogId(), 271u);
        EXPECT_EQ(d.windowTitle().toStdString(), "Trade Flag Properties");
        EXPECT_EQ(Find<QLineEdit>(d, T::kName)->text().toStdString(), "SMASell");
        EXPECT_EQ(Find<QLineEdit>(d, T::kDirection)->text().toStdString(), "Sell");
        EXPECT_TRUE(Find<QLineEdit>(d, T::kDirection)->isReadOnly());
        EXPECT_EQ(Find<CColourButton>(d, T::kColour)->Colour(), 0x0000FFu);
        EXPECT_EQ(Find<CColourButton>(d, T::kSecondColour)->Colour(), 0x808080u);
        EXPECT_EQ(Find<CFlagMarkerList>(d, T::kMarker)->Symbol(), 13);
        EXPECT_TRUE(Find<QLineEdit>(d, T::kText)->text().isEmpty());
        // The font picker's face, height, weight and italic parts, in that order.
        EXPECT_EQ(TabOrder(), (std::vector<unsigned>{T::kColour, T::kSecondColour, T::kMarker,
                                                     T::kText, T::kFont, T::kFont, T::kFont,
                                                     T::kFont, 1, 2, T::kName, T::kDirection}));
        const std::pair<Qt::Key, unsigned> mnemonics[] = {
            {Qt::Key_N, T::kName},         {Qt::Key_D, T::kDirection}, {Qt::Key_L, T::kColour},
            {Qt::Key_E, T::kSecondColour}, {Qt::Key_M, T::kMarker},    {Qt::Key_T, T::kText}};
        for (auto [key, id] : mnemonics) {
            QTest::keyClick(&d, key, Qt::AltModifier);
            EXPECT_EQ(QApplication::focusWidget(), FindControl(d, id)) << id;
        }
        FindControl(d, T::kColour)->setFocus();
        QTest::keyClick(&d, Qt::Key_F, Qt::AltModifier);
        QWidget* face = Find<CFontPicker>(d, T::kFont)->FaceBox();
        EXPECT_TRUE(QApplication::focusWidget() == face ||
                    face->isAncestorOf(QApplication::focusWidget()))
            << QApplication::focusWidget()->metaObject()->className() << " "
            << ControlIdOf(*QApplication::focusWidget()).value_or(0);
        ClickOk(d);
    }));
    EXPECT_FALSE(EditFlag(0, [](CFormsetDialog& d) {
        EXPECT_EQ(Find<QLineEdit>(d, T::kDirection)->text().toStdString(), "Buy");
        ClickOk(d);
    }));
    EXPECT_EQ(stock.ViewPar(0).flagBytes, CPaneLooks::Bytes{});
}

TEST_F(CurvePropertiesTest, TradeFlagOkTakesEachChangedFieldAndKeepsItThroughReplay) {
    struct Case {
        const char* what;
        Drive edit;
        std::function<void(STradeFlagLook&)> expect; // from the built sell flag's look
    };
    LOGFONT picked{};
    const Case cases[] = {
        {"colour", [](CFormsetDialog& d) { TypeColour(d, T::kColour, "#0000fe"); },
         [](STradeFlagLook& l) { l.colour = 0xFE0000; }},
        {"second colour", [](CFormsetDialog& d) { TypeColour(d, T::kSecondColour, "#112233"); },
         [](STradeFlagLook& l) { l.secondColour = 0x332211; }},
        {"marker", [](CFormsetDialog& d) { Press(Find<QWidget>(d, T::kMarker), Qt::Key_Home); },
         [](STradeFlagLook& l) { l.symbol = 1; }},
        {"text", [](CFormsetDialog& d) { Retype(d, T::kText, "Sell here"); },
         [](STradeFlagLook& l) { l.text = "Sell here"; }},
        {"font",
         [&](CFormsetDialog& d) {
             auto* font = Find<CFontPicker>(d, T::kFont);
             font->HeightBox()->setFocus();
             font->HeightBox()->selectAll();
             QTest::keyClicks(font->HeightBox(), "17");
             Press(font->WeightBox(), Qt::Key_Down);
             picked = font->LogFont();
         },
         [&](STradeFlagLook& l) {
             EXPECT_EQ(picked.lfHeight, 17);
             EXPECT_EQ(picked.lfWeight, 700);
             l.font = picked;
         }},
        {"everything",
         [&](CFormsetDialog& d) {
             TypeColour(d, T::kColour, "#000001");
             TypeColour(d, T::kSecondColour, "#000002");
             Press(Find<QWidget>(d, T::kMarker), Qt::Key_Up);
             Retype(d, T::kText, std::string(63, 'x').c_str());
             auto* font = Find<CFontPicker>(d, T::kFont);
             QTest::mouseClick(font->ItalicBox(), Qt::LeftButton);
             picked = font->LogFont();
         },
         [&](STradeFlagLook& l) {
             l.colour = 0x010000;
             l.secondColour = 0x020000;
             l.symbol = 12;
             l.text = std::string(63, 'x');
             EXPECT_EQ(picked.lfItalic, 1);
             l.font = picked;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        STradeFlagLook expected = STradeFlagLook::Of(Flag(1));
        EXPECT_TRUE(EditFlag(1, [&](CFormsetDialog& d) {
            c.edit(d);
            ClickOk(d);
        }));
        EXPECT_TRUE(prompter.messages.empty());
        c.expect(expected);
        EXPECT_EQ(STradeFlagLook::Of(Flag(1)), expected);
        EXPECT_EQ(StoredTradeFlagLook(stock, 0, Flag(1)), expected);
        stock.MakeMonthLine(false);
        EXPECT_EQ(STradeFlagLook::Of(Flag(1)), expected);
        EXPECT_EQ(Flag(0).colour, 0x00FF00u); // the buy flag as its system builds it
    }
}

TEST_F(CurvePropertiesTest, TradeFlagCancelEscapeAndCloseLeaveTheChartByteIdentical) {
    const std::string before = CChartFile::Write(stock);
    for (const SClose& c : kCloses) {
        EXPECT_FALSE(EditFlag(0, [&](CFormsetDialog& d) {
            TypeColour(d, T::kColour, "#abcdef");
            TypeColour(d, T::kSecondColour, "#fedcba");
            Press(Find<QWidget>(d, T::kMarker), Qt::Key_Home);
            Retype(d, T::kText, "not taken");
            QTest::mouseClick(Find<CFontPicker>(d, T::kFont)->ItalicBox(), Qt::LeftButton);
            c.close(d);
        })) << c.way;
        EXPECT_TRUE(CChartFile::Write(stock) == before) << c.way;
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CurvePropertiesTest, TradeFlagRefusesABadTextByNameAndStaysOpen) {
    // One big look in the store leaves 139 bytes: 139 - 12 - 1 = 126 for a text of flag 1 with
    // no font, but a text longer than 63 is never kept.
    const STradeFlagLook big{0x0000FF, 0x00FF00, 7, std::string(60, 't'), BigFont()};
    struct Case {
        const char* what;
        int bigLooks; // stored in the pane before
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"64 characters", 0, std::string(64, 'a'), "Text: please enter at most 63 characters."},
        {"a tab", 0, "a\tb", "Text: please enter one line of text."},
        {"a line break", 0, "a\nb", "Text: please enter one line of text."},
        {"beyond the room", 2, std::string(20, 'a'), "Text: please enter at most 11 characters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        prompter.messages.clear();
        if (c.bigLooks > 0) {
            BuildIndicator(stock, "FLAGEMA", 0, true, true);
            ASSERT_EQ(ChangeTradeFlagLook(stock, 0, Flag(0), big), ELookKept::WithEntry);
            ASSERT_EQ(ChangeTradeFlagLook(stock, 0, Flag(2), big), ELookKept::WithEntry);
            ASSERT_EQ(LookRoom(stock, 0, Flag(1)), 254 - 4 - 226);
        }
        const std::string before = CChartFile::Write(stock);
        EXPECT_FALSE(EditFlag(1, [&](CFormsetDialog& d) {
            auto* text = Find<QLineEdit>(d, T::kText);
            text->setFocus();
            text->setText(QString::fromStdString(c.text)); // as pasted
            Key(Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
            EXPECT_EQ(QApplication::focusWidget(), text);
            Key(Qt::Key_Escape);
        }));
        EXPECT_TRUE(CChartFile::Write(stock) == before);
    }
}

TEST_F(CurvePropertiesTest, TextsComeFromTheLanguageFile) {
    Activate("[270]\n0=Kurve\n1103=&Farbe:\n1104=&Breite:\n[271]\n0=Signal\n1106=&Beschriftung:\n"
             "[Text]\nWholeNumberRange=%s: eine ganze Zahl von %1 bis %2 bitte.\nSell=Verkauf\n");
    EXPECT_FALSE(EditCurve(0, 1, [&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Kurve");
        EXPECT_EQ(Find<QLabel>(d, C::kColourLabel)->text().toStdString(), "&Farbe:");
        Retype(d, C::kWidth, "x");
        Key(Qt::Key_Return);
        EXPECT_EQ(prompter.messages,
                  std::vector<std::string>{"Breite: eine ganze Zahl von 0 bis 20 bitte."});
        Key(Qt::Key_Escape);
    }));
    EXPECT_FALSE(EditFlag(1, [&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Signal");
        EXPECT_EQ(Find<QLabel>(d, T::kTextLabel)->text().toStdString(), "&Beschriftung:");
        EXPECT_EQ(Find<QLineEdit>(d, T::kDirection)->text().toStdString(), "Verkauf");
        Key(Qt::Key_Escape);
    }));
}

TEST_F(CurvePropertiesTest, TradeFlagTextLongerThanALookHoldsIsKeptUntilChanged) {
    // A flag read from a chart file may carry any text.
    Flag(1).text = std::string(80, 'q');
    const std::string before = CChartFile::Write(stock);
    EXPECT_FALSE(EditFlag(1, [](CFormsetDialog& d) {
        EXPECT_EQ(Find<QLineEdit>(d, T::kText)->text().size(), 80);
        ClickOk(d);
    }));
    EXPECT_TRUE(CChartFile::Write(stock) == before);
    EXPECT_FALSE(EditFlag(1, [&](CFormsetDialog& d) {
        TypeColour(d, T::kColour, "#000003");
        ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(prompter.messages,
                  std::vector<std::string>{"Text: please enter at most 63 characters."});
        Key(Qt::Key_Escape);
    }));
    EXPECT_TRUE(CChartFile::Write(stock) == before);
}
