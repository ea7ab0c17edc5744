#include "LanguageFileTest.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/element/ElementRecord.h"
#include "formset/qt/CStockSetFormset.h"
#include "formset/qt/element/CElementFormset.h"
#include "formset/qt/element/ElementProperties.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CFontPicker.h"
#include "quotes/CStock.h"
#include "series/CCurve.h"
#include "tools/CArrow.h"
#include "tools/CCycle.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CGChannel.h"
#include "tools/CIco.h"
#include "tools/CLineReg.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include "tools/ElementFactory.h"
#include "../dialog/DialogKeys.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace {

using F = CElementFormset;

const int kToolCodes[] = {1,  2,  3,  6,  7,  8,  9,  10, 11, 12, 13,
                          15, 16, 17, 19, 20, 24, 27, 28, 29, 30};

void Retype(QWidget& dialog, unsigned id, const QString& text) {
    QWidget* control = FindControl(dialog, id);
    ASSERT_NE(control, nullptr) << id;
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        plain->selectAll();
        QTest::keyClick(plain, Qt::Key_Delete);
        const QStringList lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(plain, Qt::Key_Return);
            QTest::keyClicks(plain, lines[i]);
        }
    }
}

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::qWait(1);
}

void ClickOk(QWidget& dialog) {
    QTest::mouseClick(Find<QPushButton>(dialog, 1), Qt::LeftButton);
}

struct SClose {
    const char* way;
    std::function<void(CFormsetDialog&)> close;
};
const SClose kCloses[] = {
    {"Cancel",
     [](CFormsetDialog& d) { QTest::mouseClick(Find<QPushButton>(d, 2), Qt::LeftButton); }},
    {"Escape", [](CFormsetDialog&) { Key(Qt::Key_Escape); }},
    {"close button", [](CFormsetDialog& d) { d.close(); }},
};

// 56 bars: 01-Jan-24 to 28-Jan-24, then 01-Feb-24 to 28-Feb-24.
std::vector<std::string> BarDates() {
    std::vector<std::string> dates;
    for (const char* month : {"Jan", "Feb"})
        for (int day = 1; day <= 28; ++day) {
            char text[16];
            std::snprintf(text, sizeof text, "%02d-%s-24", day, month);
            dates.push_back(text);
        }
    return dates;
}

// A tool as a user left it on a chart: anchors at bars 5 and 20, a few fields of its own.
std::unique_ptr<CSymbol> MakeTool(int code) {
    std::unique_ptr<CSymbol> element = CreateToolElement(code);
    element->SetAnchor(5.0f, 100.0f, 1);
    element->SetPoint2(20.0f, 110.0f);
    element->Select();
    if (auto* reg = dynamic_cast<CLineReg*>(element.get())) {
        reg->slope = 0.5f;
        reg->intercept = 97.5f;
    }
    if (auto* triangle = dynamic_cast<CTriangle*>(element.get())) {
        triangle->x3 = 10;
        triangle->y3 = 120;
    }
    if (auto* text = dynamic_cast<CText*>(element.get())) text->text = "Top";
    return element;
}

class ElementFormsetTest : public LanguageFileTest {
protected:
    ElementFormsetTest() {
        context.barDates = BarDates();
        context.curveNames = {"MA(5)", "RSI(14)"};
    }

    // Shows the properties of `element` and runs `drive` on the dialog once it is active;
    // `drive` must close it.
    bool Run(CSymbol& element, const std::function<void(CElementFormset&)>& drive) {
        int shownNow = 0;
        CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
            ++shownNow;
            const QPointer<CFormsetDialog> alive(&d);
            auto* dialog = dynamic_cast<CElementFormset*>(&d);
            EXPECT_NE(dialog, nullptr);
            if (dialog) drive(*dialog);
            if (alive && alive->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                alive->done(QDialog::Rejected);
            }
        });
        const bool answer = ShowElementProperties(element, context, nullptr);
        CFormsetDialog::SetShownHook(previous);
        EXPECT_EQ(shownNow, 1);
        return answer;
    }

    SElementContext context;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
};

// The snap field a tool is switched to: a curve for those that follow one.
const char* SnapTarget(int code) {
    return code == 16 || code == 17 || code == 20 ? "MA(5)" : "high";
}

// What every tool's line group and anchors get changed to, by keyboard where a user would.
void EditCommon(CElementFormset& d) {
    Find<CColourButton>(d, F::kColour)->SetColour(0x123456);
    Find<QWidget>(d, F::kWidth)->setFocus();
    Key(Qt::Key_End); // width 10
    Find<QWidget>(d, F::kStyle)->setFocus();
    Key(Qt::Key_Down); // dash
    Mnemonic(d, Qt::Key_L);
    Mnemonic(d, Qt::Key_R);
    Mnemonic(d, Qt::Key_S);
    auto* field = Find<QComboBox>(d, F::kSnapField);
    EXPECT_TRUE(field->isEnabled());
    field->setCurrentIndex(field->findData(SnapTarget(d.TypeCode())));
    Retype(d, F::kDate1, "04-Jan-24");
    Retype(d, F::kPrice1, "123.5");
    Retype(d, F::kDate2, "03-Feb-24");
    if (FindControl(d, F::kPrice2)) Retype(d, F::kPrice2, "-7.25");
}

void ExpectCommon(CSymbol& element) {
    auto& line = dynamic_cast<CLine&>(element);
    line.color = 0x123456;
    line.lineWidth = 10;
    line.lineStyle = 2;
    line.extendLeft = 1;
    line.extendRight = 1;
    line.snapToPrice = 1;
    line.snapField = SnapTarget(element.TypeCode());
    line.x1 = 3;
    line.y1 = 123.5f;
    line.x2 = 30;
    line.y2 = element.TypeCode() == 19 ? 123.5f : -7.25f;
}

// Each tool's own fields: the edits and what they make of the element.
struct SToolEdit {
    std::function<void(CElementFormset&)> edit;
    std::function<void(CSymbol&)> expect;
};

SToolEdit ToolEdit(int code, LOGFONT& pickedFont) {
    switch (code) {
    case 15:
    case 16:
    case 17:
        return {[](CElementFormset& d) {
                    Mnemonic(d, Qt::Key_E);
                    Mnemonic(d, Qt::Key_N);
                },
                [](CSymbol& e) {
                    dynamic_cast<CGChannel&>(e).upperShown = 0;
                    dynamic_cast<CGChannel&>(e).lowerShown = 0;
                }};
    case 20:
        return {[](CElementFormset& d) {
                    EXPECT_TRUE(Find<QLineEdit>(d, F::kSlope)->isReadOnly());
                    EXPECT_EQ(Find<QLineEdit>(d, F::kSlope)->text(), "0.5");
                    EXPECT_EQ(Find<QLineEdit>(d, F::kIntercept)->text(), "97.5");
                },
                [](CSymbol&) {}};
    case 10:
        return {[&pickedFont](CElementFormset& d) {
                    Find<CColourButton>(d, F::kLabelColour)->SetColour(0x00FF00);
                    QSpinBox* height = Find<CFontPicker>(d, F::kLabelFont)->HeightBox();
                    height->setFocus();
                    Key(Qt::Key_Up);
                    pickedFont = Find<CFontPicker>(d, F::kLabelFont)->LogFont();
                    auto* levels = Find<QTableWidget>(d, F::kLevels);
                    levels->setFocus();
                    levels->setCurrentCell(0, 1);
                    Key(Qt::Key_Space); // level 0 hidden
                    levels->setCurrentCell(1, 0);
                    Mnemonic(d, Qt::Key_M); // 0.236 removed
                    Mnemonic(d, Qt::Key_E); // a new row, its ratio being edited
                    Key(Qt::Key_Delete);
                    QTest::keyClicks(QApplication::focusWidget(), "0.75");
                    Key(Qt::Key_Return);
                    Settle(); // the editor goes, the table has the focus again
                    EXPECT_EQ(levels->rowCount(), 9);
                },
                [&pickedFont](CSymbol& e) {
                    auto& retrace = dynamic_cast<CFiboRetrace&>(e);
                    retrace.labelColour = 0x00FF00;
                    EXPECT_EQ(pickedFont.lfHeight, retrace.labelFont.lfHeight + 1);
                    retrace.labelFont = pickedFont;
                    retrace.levels = {{0.0f, 0},   {0.382f, 1}, {0.5f, 1},   {0.618f, 1}, {1.0f, 1},
                                      {1.618f, 1}, {2.618f, 1}, {4.236f, 1}, {0.75f, 1}};
                }};
    case 8:
        return {[](CElementFormset& d) { Retype(d, F::kRatio, "0.5"); },
                [](CSymbol& e) { dynamic_cast<CFiboArc&>(e).ratio = 0.5f; }};
    case 9:
        return {[](CElementFormset& d) { Retype(d, F::kRatio, "0.25"); },
                [](CSymbol& e) { dynamic_cast<CFiboFan&>(e).ratio = 0.25f; }};
    case 11:
        return {[](CElementFormset& d) {
                    EXPECT_EQ(Find<QLineEdit>(d, F::kOffsets)->text(), "1, 1, 2, 3, 5, 8, 13, 21");
                    Retype(d, F::kZoneCount, "5");
                    EXPECT_EQ(Find<QLineEdit>(d, F::kOffsets)->text(), "1, 1, 2, 3, 5");
                },
                [](CSymbol& e) { dynamic_cast<CFiboTime&>(e).SetZoneCount(5); }};
    case 6:
        return {[](CElementFormset& d) { Retype(d, F::kCycleCount, "7"); },
                [](CSymbol& e) { dynamic_cast<CCycle&>(e).cycleCount = 7; }};
    case 3:
        return {[](CElementFormset& d) {
                    Mnemonic(d, Qt::Key_H);
                    Retype(d, F::kHeadFactor, "0.5");
                    Retype(d, F::kHeadLength, "12");
                },
                [](CSymbol& e) {
                    auto& arrow = dynamic_cast<CArrow&>(e);
                    arrow.headFlag = 0;
                    arrow.headFactor = 0.5f;
                    arrow.headLength = 12;
                }};
    case 30:
        return {[](CElementFormset& d) {
                    Retype(d, F::kText, "Line one\nLine two");
                    Find<CColourButton>(d, F::kTextColour)->SetColour(0x0000FF);
                },
                [](CSymbol& e) {
                    auto& text = dynamic_cast<CText&>(e);
                    text.text = "Line one\nLine two";
                    text.textColour = 0x0000FF;
                }};
    case 29:
        return {[](CElementFormset& d) {
                    Find<QWidget>(d, F::kIcon)->setFocus();
                    Key(Qt::Key_Right);
                },
                [](CSymbol& e) { dynamic_cast<CIco&>(e).iconNumber = 1; }};
    case 27:
        return {[](CElementFormset& d) {
                    Retype(d, F::kDate3, "13-Jan-24");
                    Retype(d, F::kPrice3, "99.5");
                },
                [](CSymbol& e) {
                    auto& triangle = dynamic_cast<CTriangle&>(e);
                    triangle.x3 = 12;
                    triangle.y3 = 99.5f;
                }};
    default:
        return {[](CElementFormset&) {}, [](CSymbol&) {}};
    }
}

TEST_F(ElementFormsetTest, EveryFieldOfEveryToolChangedAndOkGivesExactlyTheExpectedElement) {
    for (int code : kToolCodes) {
        SCOPED_TRACE(code);
        std::unique_ptr<CSymbol> element = MakeTool(code);
        std::unique_ptr<CSymbol> expected = MakeTool(code);
        LOGFONT picked;
        const SToolEdit tool = ToolEdit(code, picked);
        const bool ok = Run(*element, [&](CElementFormset& d) {
            EXPECT_EQ(d.DialogId(), F::kDialogId);
            EditCommon(d);
            tool.edit(d);
            ClickOk(d);
        });
        EXPECT_TRUE(ok);
        EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
        ExpectCommon(*expected);
        tool.expect(*expected);
        EXPECT_EQ(ElementRecord::Of(*element), ElementRecord::Of(*expected));
    }
}

TEST_F(ElementFormsetTest, TheSameEditsThenCancelEscapeOrCloseLeaveTheRecordByteIdentical) {
    for (int code : kToolCodes) {
        for (const SClose& close : kCloses) {
            SCOPED_TRACE(std::to_string(code) + " " + close.way);
            std::unique_ptr<CSymbol> element = MakeTool(code);
            const std::string before = ElementRecord::Of(*element);
            LOGFONT picked;
            const SToolEdit tool = ToolEdit(code, picked);
            EXPECT_FALSE(Run(*element, [&](CElementFormset& d) {
                EditCommon(d);
                tool.edit(d);
                close.close(d);
            }));
            EXPECT_EQ(ElementRecord::Of(*element), before);
        }
    }
}

TEST_F(ElementFormsetTest, OkUntouchedKeepsTheRecordEvenWithAStoredStyleZeroAndOddFonts) {
    for (int code : kToolCodes) {
        SCOPED_TRACE(code);
        std::unique_ptr<CSymbol> element = MakeTool(code);
        auto& line = dynamic_cast<CLine&>(*element);
        line.lineStyle = 0;
        line.x2 = 80.5f; // beyond the bars: shown empty, kept
        line.snapField = "gone curve";
        if (auto* text = dynamic_cast<CText*>(element.get())) text->font.lfWidth = 3;
        if (auto* retrace = dynamic_cast<CFiboRetrace*>(element.get()))
            retrace->labelFont.lfWidth = 3;
        const std::string before = ElementRecord::Of(*element);
        EXPECT_TRUE(Run(*element, [&](CElementFormset& d) {
            EXPECT_EQ(Find<QLineEdit>(d, F::kDate2)->text(), "");
            EXPECT_EQ(Find<QComboBox>(d, F::kSnapField)->currentText(), "gone curve");
            ClickOk(d);
        }));
        EXPECT_EQ(ElementRecord::Of(*element), before);
    }
}

TEST_F(ElementFormsetTest, BadInputIsRefusedWithTheFieldNamedAndTheDialogStaysOpen) {
    const std::string price = "First price: please enter a number.";
    const std::string date = "%s: please enter the date of a bar, from 01-Jan-24 to 28-Feb-24.";
    auto dateOf = [&](const char* field) {
        std::string text = date;
        return text.replace(0, 2, field);
    };
    const std::string ratio = "Ratio: please enter a number between 0 and 1.";
    const std::string zones = "Number of zones: please enter a whole number from 1 to 40.";
    const std::string cycles = "Number of cycles: please enter a whole number from 1 to 100.";
    const std::string length = "Head length (pixels): please enter a whole number from 1 to 100.";
    const std::string factor = "Head factor: please enter a number from 0.05 to 1.";
    struct SCase {
        int code;
        unsigned field;
        const char* typed;
        std::string message;
    } cases[] = {
        {1, F::kPrice1, "", price},
        {1, F::kPrice1, "abc", price},
        {1, F::kPrice1, "1e39", price},
        {1, F::kPrice1, "nan", price},
        {2, F::kPrice2, "12,5,0", "Second price: please enter a number."},
        {1, F::kDate1, "", dateOf("First date")},
        {1, F::kDate1, "29-Feb-24", dateOf("First date")},
        {1, F::kDate2, "31-Dec-23", dateOf("Second date")},
        {27, F::kDate3, "abc", dateOf("Third date")},
        {27, F::kPrice3, "-nan", "Third price: please enter a number."},
        {9, F::kRatio, "0", ratio},
        {9, F::kRatio, "1", ratio},
        {9, F::kRatio, "nan", ratio.substr(0, 7) + "please enter a number."},
        {8, F::kRatio, "-0.5", ratio},
        {8, F::kRatio, "1001", ratio},
        {8, F::kRatio, "1e39", "Ratio: please enter a number."},
        {11, F::kZoneCount, "41", zones},
        {11, F::kZoneCount, "0", zones},
        {11, F::kZoneCount, "-3", zones},
        {11, F::kZoneCount, "abc", zones},
        {11, F::kZoneCount, "", zones},
        {6, F::kCycleCount, "101", cycles},
        {6, F::kCycleCount, "0", cycles},
        {6, F::kCycleCount, "1e39", cycles},
        {3, F::kHeadLength, "1001", length},
        {3, F::kHeadLength, "0", length},
        {3, F::kHeadLength, "-1", length},
        {3, F::kHeadFactor, "0.01", factor},
        {3, F::kHeadFactor, "1001", factor},
        {3, F::kHeadFactor, "1e39", "Head factor: please enter a number."},
        {30, F::kText, "", "Text: please enter a text."},
        {30, F::kText, "  \n ", "Text: please enter a text."},
        {10, F::kLevels, "11", "Level 1: please enter a number from -10 to 10."},
        {10, F::kLevels, "nan", "Level 1: please enter a number."},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " '" + c.typed + "'");
        prompter.messages.clear();
        std::unique_ptr<CSymbol> element = MakeTool(c.code);
        const std::string before = ElementRecord::Of(*element);
        EXPECT_FALSE(Run(*element, [&](CElementFormset& d) {
            if (c.field == F::kLevels) {
                auto* levels = Find<QTableWidget>(d, F::kLevels);
                levels->setFocus();
                levels->setCurrentCell(0, 0);
                Key(Qt::Key_F2);
                Key(Qt::Key_Delete);
                QTest::keyClicks(QApplication::focusWidget(), c.typed);
                Key(Qt::Key_Return);
                Settle();
            } else {
                Retype(d, c.field, c.typed);
            }
            ClickOk(d);
            EXPECT_TRUE(d.isVisible());
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0], c.message);
            EXPECT_EQ(ControlIdOf(*QApplication::focusWidget()).value_or(0), c.field);
            Key(Qt::Key_Escape);
        }));
        EXPECT_EQ(ElementRecord::Of(*element), before);
    }
}

// The controls with an identifier that Tab reaches from the focus, going once round.
std::set<unsigned> TabReached() {
    std::set<unsigned> reached;
    QWidget* first = QApplication::focusWidget();
    for (int i = 0; i < 80; ++i) {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (auto id = ControlIdOf(*w)) {
                reached.insert(*id);
                break;
            }
        Key(Qt::Key_Tab);
        if (QApplication::focusWidget() == first) break;
    }
    return reached;
}

TEST_F(ElementFormsetTest, EveryControlIsReachedByTabAndEveryLabelHasAMnemonicForItsField) {
    for (int code : kToolCodes) {
        SCOPED_TRACE(code);
        std::unique_ptr<CSymbol> element = MakeTool(code);
        dynamic_cast<CLine&>(*element).snapToPrice = 1; // the snap field enabled
        Run(*element, [&](CElementFormset& d) {
            std::set<unsigned> controls;
            for (QWidget* w : d.findChildren<QWidget*>()) {
                const auto id = ControlIdOf(*w);
                if (!id || !w->isVisibleTo(&d) || qobject_cast<QLabel*>(w) ||
                    qobject_cast<QGroupBox*>(w))
                    continue;
                controls.insert(*id);
            }
            const std::set<unsigned> reached = TabReached();
            for (unsigned id : controls) EXPECT_TRUE(reached.count(id)) << id;
            std::set<QChar> mnemonics;
            for (QLabel* label : d.findChildren<QLabel*>()) {
                if (!label->buddy()) continue;
                const qsizetype amp = label->text().indexOf('&');
                ASSERT_GE(amp, 0) << label->text().toStdString();
                EXPECT_TRUE(mnemonics.insert(label->text()[amp + 1].toLower()).second)
                    << label->text().toStdString();
            }
            for (QAbstractButton* button : d.findChildren<QAbstractButton*>()) {
                const qsizetype amp = button->text().indexOf('&');
                if (amp < 0) continue;
                EXPECT_TRUE(mnemonics.insert(button->text()[amp + 1].toLower()).second)
                    << button->text().toStdString();
            }
            Key(Qt::Key_Escape);
        });
    }
}

TEST_F(ElementFormsetTest, PlacedTextTakesATypedTextAndRefusesNothingButAnEmptyOneTellsTheCaller) {
    struct SCase {
        const char* typed;
        bool ok; // OK pressed, else Escape
        bool answer;
        const char* text;
    } cases[] = {
        {"Breakout\nhere", true, true, "Breakout\nhere"},
        {"", true, false, ""},
        {"  ", true, false, "  "},
        {"Typed", false, false, ""},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed);
        CText text;
        CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
            EXPECT_EQ(d.DialogId(), F::kTextDialogId);
            EXPECT_EQ(FindControl(d, F::kColour), nullptr);
            EXPECT_EQ(ControlIdOf(*QApplication::focusWidget()).value_or(0), F::kText);
            Retype(d, F::kText, c.typed);
            Find<CColourButton>(d, F::kTextColour)->SetColour(0x00FF00);
            if (c.ok)
                ClickOk(d);
            else
                Key(Qt::Key_Escape);
        });
        EXPECT_EQ(EnterPlacedText(text, nullptr), c.answer);
        CFormsetDialog::SetShownHook(previous);
        EXPECT_EQ(text.text, c.text);
        EXPECT_EQ(text.textColour, c.ok ? 0x00FF00u : 0x808080u);
        EXPECT_TRUE(prompter.messages.empty());
    }
}

TEST_F(ElementFormsetTest, PriceSeriesOpensItsSettingsAndCurvesAndFlagsOpenNothingHere) {
    CStock stock(0);
    int shown = 0;
    CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
        ++shown;
        EXPECT_EQ(d.DialogId(), CStockSetFormset::kDialogId);
        Key(Qt::Key_Escape);
    });
    EXPECT_FALSE(ShowElementProperties(stock, context, nullptr));
    CCurve curve;
    EXPECT_FALSE(ShowElementProperties(curve, context, nullptr));
    CFormsetDialog::SetShownHook(previous);
    EXPECT_EQ(shown, 1);
}

TEST_F(ElementFormsetTest, TitleNamesTheToolByItsNameOrANeutralOne) {
    const std::pair<int, const char*> cases[] = {{1, "Trend Line Properties"},
                                                 {10, "Fibonacci Retracement Properties"},
                                                 {29, "Icon Properties"}};
    for (auto [code, title] : cases) {
        std::unique_ptr<CSymbol> element = MakeTool(code);
        Run(*element, [&](CElementFormset& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), title);
            Key(Qt::Key_Escape);
        });
    }
    std::unique_ptr<CSymbol> named = MakeTool(1);
    named->name = "Trendlinie";
    Run(*named, [&](CElementFormset& d) {
        EXPECT_EQ(d.windowTitle(), "Trendlinie Properties");
        Key(Qt::Key_Escape);
    });
}

TEST_F(ElementFormsetTest, LanguageFileRenamesTheGroupsLabelsAndErrorMessages) {
    Activate("[260]\n0=Eigenschaften\n1200=Linie\n1102=&Breite:\n[Text]\n"
             "EnterNumber=%s: bitte eine Zahl eingeben.\n");
    std::unique_ptr<CSymbol> element = MakeTool(1);
    Run(*element, [&](CElementFormset& d) {
        EXPECT_EQ(d.windowTitle(), "Eigenschaften");
        EXPECT_EQ(Find<QGroupBox>(d, F::kLineGroup)->title(), "Linie");
        EXPECT_EQ(Find<QLabel>(d, F::kWidth + F::kLabelOffset)->text(), "&Breite:");
        Retype(d, F::kPrice1, "x");
        ClickOk(d);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0], "First price: bitte eine Zahl eingeben.");
        Key(Qt::Key_Escape);
    });
}

} // namespace
