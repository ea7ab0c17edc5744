#include "LanguageFileTest.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CNDaysFormset.h"
#include "formset/qt/CPaneCountFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include "../dialog/DialogKeys.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

QString TextOf(QWidget& dialog, unsigned id) {
    QWidget* control = FindControl(dialog, id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    return "<no control " + QString::number(id) + ">";
}

void Retype(QWidget& dialog, unsigned id, const QString& text) {
    auto* edit = Find<QLineEdit>(dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Keys to the widget with the focus, as a user types them.

// The ways a dialog is left without OK.
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

class ChartQuestionFormsetTest : public LanguageFileTest {
protected:
    void SetUp() override {
        LanguageFileTest::SetUp();
        SInnerSelChoice::Remember(true); // as the program starts
    }

    // Makes `ask` show its dialog and runs `drive` on it once it is active; `drive` must
    // close it.
    template <class Ask> auto Run(Ask ask, const std::function<void(CFormsetDialog&)>& drive) {
        CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            ++shown;
            const QPointer<CFormsetDialog> alive(&d); // a closing parent takes it along
            drive(d);
            if (alive && alive->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                alive->done(QDialog::Rejected);
            }
        });
        auto answer = ask();
        CFormsetDialog::SetShownHook(previous);
        return answer;
    }

    // The controls that Tab reaches from the focus, in order, until it comes back.
    static std::vector<unsigned> TabOrder(QWidget& dialog) {
        std::vector<unsigned> order;
        QWidget* first = QApplication::focusWidget();
        do {
            order.push_back(ControlIdOf(*QApplication::focusWidget()).value_or(0));
            Key(Qt::Key_Tab);
        } while (QApplication::focusWidget() != first && order.size() < 10);
        return order;
    }

    struct SNumberCase {
        const char* typed; // null: OK as shown
        std::optional<int> answer;
        const char* message; // the refusal before Escape, or ""
    };
    // Each case types into the number field of the dialog that `ask` shows (which must show
    // `shown` first, selected) and presses Return.
    void NumberCases(const std::function<std::optional<int>()>& ask, const char* shown,
                     const std::vector<SNumberCase>& cases) {
        for (const SNumberCase& c : cases) {
            prompter.messages.clear();
            const std::string label = c.typed ? c.typed : "<as shown>";
            const std::optional<int> answer = Run(ask, [&](CFormsetDialog& d) {
                QWidget* number = FindControl(d, CWholeNumberFormset::kNumber);
                EXPECT_EQ(TextOf(d, CWholeNumberFormset::kNumber).toStdString(), shown) << label;
                EXPECT_EQ(QApplication::focusWidget(), number) << label;
                if (c.typed) {
                    QTest::keyClicks(number, c.typed); // replaces the selected number
                    if (!*c.typed) Key(Qt::Key_Delete);
                }
                Key(Qt::Key_Return);
                if (*c.message) {
                    EXPECT_TRUE(d.isVisible()) << label;
                    EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message}) << label;
                    EXPECT_EQ(QApplication::focusWidget(), number) << label;
                    Key(Qt::Key_Escape);
                }
            });
            EXPECT_EQ(answer, c.answer) << label;
        }
    }

    int shown = 0;
    CRecordingPrompter prompter;
    CScopedPrompter scoped{prompter};
};

// --- Insert or replace

TEST_F(ChartQuestionFormsetTest, InsertOrReplaceStartsWithInsertThenTheChoiceConfirmedLast) {
    using F = CInnerSelFormset;
    struct Step {
        std::function<void(CFormsetDialog&)> drive;
        bool startsWithInsert;
        std::optional<bool> answer;
    };
    const Step steps[] = {
        {[](CFormsetDialog& d) {
             EXPECT_EQ(d.DialogId(), 240u);
             EXPECT_EQ(TextOf(d, F::kTarget).toStdString(), "Pane 1: MACD");
             EXPECT_EQ(TabOrder(d), (std::vector<unsigned>{F::kInsert, 1, 2}));
             Mnemonic(d, Qt::Key_R);
             Key(Qt::Key_Return);
         },
         true, false},
        {[](CFormsetDialog&) { Key(Qt::Key_Return); }, false, false},
        // Chosen, then left without OK: the remembered choice stays Replace.
        {[](CFormsetDialog& d) { Mnemonic(d, Qt::Key_I), kCloses[0].close(d); }, false, {}},
        {[](CFormsetDialog& d) { Mnemonic(d, Qt::Key_I), kCloses[1].close(d); }, false, {}},
        {[](CFormsetDialog& d) { Mnemonic(d, Qt::Key_I), kCloses[2].close(d); }, false, {}},
        {[](CFormsetDialog&) { Key(Qt::Key_Up), Key(Qt::Key_Return); }, false, true},
        {[](CFormsetDialog& d) {
             // On the round mark: a click beside the text misses the button.
             auto* replace = Find<QRadioButton>(d, F::kReplace);
             QTest::mouseClick(replace, Qt::LeftButton, {}, QPoint(8, replace->height() / 2));
             QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
         },
         true, false},
    };
    int step = 0;
    for (const Step& s : steps) {
        const std::optional<bool> answer =
            Run([] { return F::Ask(nullptr, 1, "MACD"); },
                [&](CFormsetDialog& d) {
                    auto* chosen =
                        Find<QRadioButton>(d, s.startsWithInsert ? F::kInsert : F::kReplace);
                    EXPECT_TRUE(chosen->isChecked()) << step;
                    EXPECT_EQ(QApplication::focusWidget(), chosen) << step;
                    s.drive(d);
                });
        EXPECT_EQ(answer, s.answer) << step;
        ++step;
    }
    EXPECT_EQ(shown, step);
}

// --- Y scale

TEST_F(ChartQuestionFormsetTest, YScaleOkTakesTheTypedRange) {
    using F = CYScaleFormset;
    float max = 120.5f, min = 99.25f;
    const EYScaleAnswer answer =
        Run([&] { return F::Ask(nullptr, max, min); },
            [](CFormsetDialog& d) {
                EXPECT_EQ(d.DialogId(), 241u);
                EXPECT_EQ(TextOf(d, F::kMax).toStdString(), "120.5");
                EXPECT_EQ(TextOf(d, F::kMin).toStdString(), "99.25");
                EXPECT_EQ(TabOrder(d), (std::vector<unsigned>{F::kMax, F::kMin, F::kAuto, 1, 2}));
                QTest::keyClicks(QApplication::focusWidget(), "130.75"); // the maximum, selected
                Mnemonic(d, Qt::Key_I);
                EXPECT_EQ(QApplication::focusWidget(), FindControl(d, F::kMin));
                Retype(d, F::kMin, "-2.5");
                Mnemonic(d, Qt::Key_M);
                EXPECT_EQ(QApplication::focusWidget(), FindControl(d, F::kMax));
                Key(Qt::Key_Return);
            });
    EXPECT_EQ(answer, EYScaleAnswer::Ok);
    EXPECT_EQ(max, 130.75f);
    EXPECT_EQ(min, -2.5f);
}

TEST_F(ChartQuestionFormsetTest, YScaleRefusesTheFieldByNameAndStaysOpen) {
    struct Case {
        const char* max;
        const char* min;
        unsigned field;
        const char* message;
    };
    constexpr unsigned kMax = CYScaleFormset::kMax, kMin = CYScaleFormset::kMin;
    const Case cases[] = {
        {"", "1", kMax, "Maximum: please enter a number."},
        {"nan", "1", kMax, "Maximum: please enter a number."},
        {"5", "-1e39", kMin, "Minimum: please enter a number."},
        {"7", "7", kMax, "Maximum: must be greater than Minimum."},
        {"3", "8", kMax, "Maximum: must be greater than Minimum."},
    };
    for (const Case& c : cases) {
        prompter.messages.clear();
        float max = 50, min = 10;
        const EYScaleAnswer answer =
            Run([&] { return CYScaleFormset::Ask(nullptr, max, min); },
                [&](CFormsetDialog& d) {
                    Retype(d, kMax, c.max);
                    Retype(d, kMin, c.min);
                    Key(Qt::Key_Return);
                    EXPECT_TRUE(d.isVisible()) << c.max << " " << c.min;
                    EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
                    EXPECT_EQ(QApplication::focusWidget(), FindControl(d, c.field));
                    Key(Qt::Key_Escape);
                });
        EXPECT_EQ(answer, EYScaleAnswer::Cancel) << c.max << " " << c.min;
        EXPECT_EQ(std::pair(max, min), std::pair(50.0f, 10.0f)) << c.max << " " << c.min;
    }
}

TEST_F(ChartQuestionFormsetTest, YScaleOfAPaneWithoutValuesShowsEmptyFields) {
    float max = std::numeric_limits<float>::infinity(), min = std::nanf("");
    const EYScaleAnswer answer =
        Run([&] { return CYScaleFormset::Ask(nullptr, max, min); },
            [&](CFormsetDialog& d) {
                EXPECT_EQ(TextOf(d, CYScaleFormset::kMax), QString());
                EXPECT_EQ(TextOf(d, CYScaleFormset::kMin), QString());
                Key(Qt::Key_Return);
                EXPECT_EQ(prompter.messages,
                          std::vector<std::string>{"Maximum: please enter a number."});
                Key(Qt::Key_Escape);
            });
    EXPECT_EQ(answer, EYScaleAnswer::Cancel);
    EXPECT_TRUE(std::isinf(max) && std::isnan(min));
}

TEST_F(ChartQuestionFormsetTest, YScaleAutoAndCancelLeaveTheScaleAsItWas) {
    struct Case {
        const char* way;
        std::function<void(CFormsetDialog&)> finish;
        EYScaleAnswer answer;
    };
    const Case cases[] = {
        {"Alt+A", [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_A); }, EYScaleAnswer::Auto},
        {"Auto clicked",
         [](CFormsetDialog& d) {
             QTest::mouseClick(Find<QPushButton>(d, CYScaleFormset::kAuto), Qt::LeftButton);
         },
         EYScaleAnswer::Auto},
        {kCloses[0].way, kCloses[0].close, EYScaleAnswer::Cancel},
        {kCloses[1].way, kCloses[1].close, EYScaleAnswer::Cancel},
        {kCloses[2].way, kCloses[2].close, EYScaleAnswer::Cancel},
    };
    for (const Case& c : cases) {
        float max = 50, min = 10;
        const EYScaleAnswer answer =
            Run([&] { return CYScaleFormset::Ask(nullptr, max, min); },
                [&](CFormsetDialog& d) {
                    Retype(d, CYScaleFormset::kMax, "80"); // valid, but not confirmed
                    Retype(d, CYScaleFormset::kMin, "q");  // Auto ignores what the fields hold
                    c.finish(d);
                });
        EXPECT_EQ(answer, c.answer) << c.way;
        EXPECT_EQ(std::pair(max, min), std::pair(50.0f, 10.0f)) << c.way;
        EXPECT_TRUE(prompter.messages.empty()) << c.way;
    }
}

TEST_F(ChartQuestionFormsetTest,
       YScaleViewDialogAutoScalesOnceClosedAndAnswersCancelWithoutParent) {
    int autoScales = 0;
    bool closedFirst = false;
    auto* window = new QWidget;
    std::function<bool(float&, float&)> dialog = CYScaleFormset::ViewDialog(window, [&] {
        ++autoScales;
        closedFirst = QApplication::activeModalWidget() == nullptr;
    });
    float max = 50, min = 10;
    EXPECT_FALSE(
        Run([&] { return dialog(max, min); }, [](CFormsetDialog& d) { Mnemonic(d, Qt::Key_A); }));
    EXPECT_EQ(autoScales, 1);
    EXPECT_TRUE(closedFirst);
    EXPECT_TRUE(Run([&] { return dialog(max, min); },
                    [](CFormsetDialog& d) {
                        Retype(d, CYScaleFormset::kMin, "20");
                        Key(Qt::Key_Enter);
                    }));
    EXPECT_EQ(std::pair(max, min), std::pair(50.0f, 20.0f));
    // The window closes while the dialog is open, taking the dialog with it.
    EXPECT_FALSE(Run([&] { return dialog(max, min); },
                     [&](CFormsetDialog& d) {
                         Retype(d, CYScaleFormset::kMin, "30");
                         delete window;
                     }));
    EXPECT_FALSE(dialog(max, min)); // and is not shown again over no window
    EXPECT_EQ(std::pair(max, min), std::pair(50.0f, 20.0f));
    EXPECT_EQ(shown, 3);
}

// --- Pane count and N days

TEST_F(ChartQuestionFormsetTest, NumberQuestionsTakeAWholeNumberOfTheirRange) {
    const char* panes = "Number of panes: please enter a whole number from 2 to 9.";
    const char* days = "Days per bar: please enter a whole number from 1 to 401.";
    auto panesFrom3 = [] { return CPaneCountFormset::Ask(nullptr, 3); };
    auto daysFrom5 = [] { return CNDaysFormset::Ask(nullptr, 5, 401); };
    NumberCases(panesFrom3, "3",
                {{nullptr, 3, ""},
                 {"9", 9, ""},
                 {"", {}, panes},
                 {"x", {}, panes},
                 {"1e39", {}, panes},
                 {"-3", {}, panes},
                 {"10", {}, panes}});
    NumberCases([] { return CPaneCountFormset::Ask(nullptr, 10); }, "9", {{nullptr, 9, ""}});
    NumberCases(daysFrom5, "5", {{"401", 401, ""}, {"402", {}, days}, {"0", {}, days}});
    NumberCases([] { return CNDaysFormset::Ask(nullptr, 0, 0); }, "1",
                {{"9999", 9999, ""},
                 {"10000", {}, "Days per bar: please enter a whole number from 1 to 9999."}});
    for (const SClose& c : kCloses) {
        auto typeAndClose = [&](CFormsetDialog& d) {
            QTest::keyClicks(QApplication::focusWidget(), "4");
            c.close(d);
        };
        EXPECT_EQ(Run(panesFrom3, typeAndClose), std::nullopt) << c.way;
        EXPECT_EQ(Run(daysFrom5, typeAndClose), std::nullopt) << c.way;
    }
}

TEST_F(ChartQuestionFormsetTest, NumberQuestionsMnemonicAndTabOrder) {
    Run([] { return CNDaysFormset::Ask(nullptr, 5, 401); },
        [](CFormsetDialog& d) {
            EXPECT_EQ(TabOrder(d), (std::vector<unsigned>{CWholeNumberFormset::kNumber, 1, 2}));
            Key(Qt::Key_Tab); // to OK
            Mnemonic(d, Qt::Key_D);
            EXPECT_EQ(QApplication::focusWidget(), FindControl(d, CWholeNumberFormset::kNumber));
            Mnemonic(d, Qt::Key_C); // Cancel
            EXPECT_FALSE(d.isVisible());
        });
}

// --- Translation

TEST_F(ChartQuestionFormsetTest, EachDialogTranslatedWithItsIdentifier) {
    Activate("[240]\n0=Einfügen oder ersetzen\n1001=&Einfügen\n1002=E&rsetzen\n"
             "[241]\n0=Y-Skala\n1101=&Höchstwert:\n1102=&Tiefstwert:\n1003=A&utomatisch\n"
             "[242]\n0=Neues Diagramm\n1101=&Fenster:\n"
             "[243]\n0=Eigener Zeitraum\n1101=&Tage je Balken:\n2=&Abbrechen\n"
             "[Text]\nPaneTarget=Fenster %1: %s\nRangeHint=(%1 bis %2)\n"
             "WholeNumberRange=%s: eine ganze Zahl von %1 bis %2 eingeben.\n"
             "AboveMinimum=%s muss größer sein als %1.\n");
    struct Case {
        std::function<void()> ask;
        std::vector<std::pair<unsigned, const char*>> texts; // control 0 is the title
        const char* typed;                                   // then Return
        const char* message;
    };
    float max = 5, min = 1;
    const Case cases[] = {
        {[] { CInnerSelFormset::Ask(nullptr, 2, "RSI"); },
         {{0, "Einfügen oder ersetzen"},
          {CInnerSelFormset::kTarget, "Fenster 2: RSI"},
          {CInnerSelFormset::kInsert, "&Einfügen"},
          {CInnerSelFormset::kReplace, "E&rsetzen"}},
         nullptr,
         ""},
        {[&] { CYScaleFormset::Ask(nullptr, max, min); },
         {{0, "Y-Skala"},
          {CYScaleFormset::kMaxLabel, "&Höchstwert:"},
          {CYScaleFormset::kAuto, "A&utomatisch"}},
         "0",
         "Höchstwert muss größer sein als Tiefstwert."},
        {[] { CPaneCountFormset::Ask(nullptr, 2); },
         {{0, "Neues Diagramm"},
          {CWholeNumberFormset::kNumberLabel, "&Fenster:"},
          {CWholeNumberFormset::kRange, "(2 bis 9)"}},
         "12",
         "Fenster: eine ganze Zahl von 2 bis 9 eingeben."},
        {[] { CNDaysFormset::Ask(nullptr, 2, 30); },
         {{0, "Eigener Zeitraum"}, {2, "&Abbrechen"}, {CWholeNumberFormset::kRange, "(1 bis 30)"}},
         "31",
         "Tage je Balken: eine ganze Zahl von 1 bis 30 eingeben."},
    };
    for (const Case& c : cases) {
        prompter.messages.clear();
        Run(
            [&] {
                c.ask();
                return 0;
            },
            [&](CFormsetDialog& d) {
                for (const auto& [id, text] : c.texts)
                    EXPECT_EQ((id ? TextOf(d, id) : d.windowTitle()).toStdString(), text) << id;
                if (c.typed) {
                    QTest::keyClicks(QApplication::focusWidget(), c.typed);
                    Key(Qt::Key_Return);
                    EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
                }
                Key(Qt::Key_Escape);
            });
    }
    EXPECT_EQ(shown, 4);
}

} // namespace
