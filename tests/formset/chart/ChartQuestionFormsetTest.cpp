#include "LanguageFileTest.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CNDaysFormset.h"
#include "formset/qt/CPaneCountFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template <class Control> Control* Find(QWidget& dialog, unsigned id) {
    auto* control = qobject_cast<Control*>(FindControl(dialog, id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

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
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Alt and the mnemonic `key`; a button's mnemonic clicks it with a short animation, which
// is waited for.
void Mnemonic(QWidget& dialog, Qt::Key key) {
    QTest::keyClick(&dialog, key, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            if (button->isDown()) return false;
        return true;
    }));
}

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
            drive(d);
            if (d.isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                d.done(QDialog::Rejected);
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

std::optional<bool> AskInnerSel() {
    return CInnerSelFormset::Ask(nullptr, 1, "MACD");
}

TEST_F(ChartQuestionFormsetTest, InsertOrReplaceNamesThePaneAndStartsWithInsert) {
    const std::optional<bool> answer = Run(AskInnerSel, [](CFormsetDialog& d) {
        EXPECT_EQ(d.DialogId(), 240u);
        EXPECT_EQ(TextOf(d, CInnerSelFormset::kTarget).toStdString(), "Pane 1: MACD");
        EXPECT_TRUE(Find<QRadioButton>(d, CInnerSelFormset::kInsert)->isChecked());
        EXPECT_FALSE(Find<QRadioButton>(d, CInnerSelFormset::kReplace)->isChecked());
        EXPECT_EQ(QApplication::focusWidget(), FindControl(d, CInnerSelFormset::kInsert));
        EXPECT_EQ(TabOrder(d), (std::vector<unsigned>{CInnerSelFormset::kInsert, 1, 2}));
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(answer, std::optional<bool>(true));
}

TEST_F(ChartQuestionFormsetTest, InsertOrReplaceStartsFromTheChoiceConfirmedLast) {
    struct Step {
        std::function<void(CFormsetDialog&)> drive;
        bool startsWithInsert;
        std::optional<bool> answer;
    };
    const Step steps[] = {
        {[](CFormsetDialog& d) {
             Mnemonic(d, Qt::Key_R);
             Key(Qt::Key_Return);
         },
         true, false},
        {[](CFormsetDialog& d) { Key(Qt::Key_Return); }, false, false},
        // Chosen, then cancelled: the remembered choice stays Replace.
        {[](CFormsetDialog& d) {
             Mnemonic(d, Qt::Key_I);
             Key(Qt::Key_Escape);
         },
         false, std::nullopt},
        {[](CFormsetDialog& d) {
             Key(Qt::Key_Up);
             Key(Qt::Key_Return);
         },
         false, true},
        {[](CFormsetDialog& d) {
             Key(Qt::Key_Down);
             d.close();
         },
         true, std::nullopt},
        {[](CFormsetDialog& d) {
             // On the round mark: a click beside the text misses the button.
             auto* replace = Find<QRadioButton>(d, CInnerSelFormset::kReplace);
             QTest::mouseClick(replace, Qt::LeftButton, {}, QPoint(8, replace->height() / 2));
             QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
         },
         true, false},
    };
    int step = 0;
    for (const Step& s : steps) {
        const std::optional<bool> answer = Run(AskInnerSel, [&](CFormsetDialog& d) {
            EXPECT_EQ(Find<QRadioButton>(d, CInnerSelFormset::kInsert)->isChecked(),
                      s.startsWithInsert)
                << step;
            s.drive(d);
        });
        EXPECT_EQ(answer, s.answer) << step;
        ++step;
    }
    EXPECT_EQ(shown, 6);
}

TEST_F(ChartQuestionFormsetTest, InsertOrReplaceCancelledEveryWayAddsNothing) {
    for (const SClose& c : kCloses) {
        SInnerSelChoice::Remember(true);
        const std::optional<bool> answer = Run(AskInnerSel, [&](CFormsetDialog& d) {
            Mnemonic(d, Qt::Key_R);
            c.close(d);
        });
        EXPECT_EQ(answer, std::nullopt) << c.way;
        EXPECT_TRUE(SInnerSelChoice::Remembered()) << c.way;
    }
}

// --- Y scale

TEST_F(ChartQuestionFormsetTest, YScaleOkTakesTheTypedRange) {
    float max = 120.5f, min = 99.25f;
    const EYScaleAnswer answer =
        Run([&] { return CYScaleFormset::Ask(nullptr, max, min); },
            [](CFormsetDialog& d) {
                EXPECT_EQ(d.DialogId(), 241u);
                EXPECT_EQ(TextOf(d, CYScaleFormset::kMax).toStdString(), "120.5");
                EXPECT_EQ(TextOf(d, CYScaleFormset::kMin).toStdString(), "99.25");
                Find<QLineEdit>(d, CYScaleFormset::kMax)->setFocus();
                EXPECT_EQ(TabOrder(d),
                          (std::vector<unsigned>{CYScaleFormset::kMax, CYScaleFormset::kMin,
                                                 CYScaleFormset::kAuto, 1, 2}));
                Mnemonic(d, Qt::Key_M);
                EXPECT_EQ(QApplication::focusWidget(), FindControl(d, CYScaleFormset::kMax));
                Retype(d, CYScaleFormset::kMax, "130.75");
                Mnemonic(d, Qt::Key_I);
                EXPECT_EQ(QApplication::focusWidget(), FindControl(d, CYScaleFormset::kMin));
                Retype(d, CYScaleFormset::kMin, "-2.5");
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
        {"abc", "1", kMax, "Maximum: please enter a number."},
        {"1e39", "1", kMax, "Maximum: please enter a number."},
        {"nan", "1", kMax, "Maximum: please enter a number."},
        {"5", "x", kMin, "Minimum: please enter a number."},
        {"5", "-1e39", kMin, "Minimum: please enter a number."},
        {"7", "7", kMax, "Maximum: must be greater than Minimum."},
        {"3", "8", kMax, "Maximum: must be greater than Minimum."},
        {"3e38", "-3e38", kMax, "Maximum: the range is too large."},
    };
    QLocale::setDefault(QLocale::c());
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
        EXPECT_EQ(max, 50.0f);
        EXPECT_EQ(min, 10.0f);
    }
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
        {"Cancel", kCloses[0].close, EYScaleAnswer::Cancel},
        {"Escape", kCloses[1].close, EYScaleAnswer::Cancel},
        {"close button", kCloses[2].close, EYScaleAnswer::Cancel},
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
        EXPECT_EQ(max, 50.0f) << c.way;
        EXPECT_EQ(min, 10.0f) << c.way;
        EXPECT_TRUE(prompter.messages.empty()) << c.way;
    }
}

TEST_F(ChartQuestionFormsetTest, YScaleViewDialogRunsAutoScaleAfterClosing) {
    int autoScales = 0;
    bool closedFirst = false;
    std::function<bool(float&, float&)> dialog = CYScaleFormset::ViewDialog(nullptr, [&] {
        ++autoScales;
        closedFirst = QApplication::activeModalWidget() == nullptr;
    });
    struct Case {
        std::function<void(CFormsetDialog&)> drive;
        bool ok;
        int autoScales;
        float max, min;
    };
    const Case cases[] = {
        {[](CFormsetDialog& d) { Mnemonic(d, Qt::Key_A); }, false, 1, 50, 10},
        {[](CFormsetDialog&) { Key(Qt::Key_Escape); }, false, 1, 50, 10},
        {[](CFormsetDialog& d) {
             Retype(d, CYScaleFormset::kMin, "20");
             Key(Qt::Key_Enter);
         },
         true, 1, 50, 20},
    };
    for (const Case& c : cases) {
        float max = 50, min = 10;
        EXPECT_EQ(Run([&] { return dialog(max, min); }, c.drive), c.ok);
        EXPECT_EQ(autoScales, c.autoScales);
        EXPECT_EQ(max, c.max);
        EXPECT_EQ(min, c.min);
    }
    EXPECT_TRUE(closedFirst);
}

// --- Pane count and N days

TEST_F(ChartQuestionFormsetTest, PaneCountTakesTwoToNine) {
    const char* refused = "Number of panes: please enter a whole number from 2 to 9.";
    const std::vector<SNumberCase> cases = {
        {nullptr, 3, ""},
        {"2", 2, ""},
        {"9", 9, ""},
        {" 5 ", 5, ""},
        {"", std::nullopt, refused},
        {"x", std::nullopt, refused},
        {"1e39", std::nullopt, refused},
        {"nan", std::nullopt, refused},
        {"-3", std::nullopt, refused},
        {"0", std::nullopt, refused},
        {"1", std::nullopt, refused},
        {"10", std::nullopt, refused},
        {"4.5", std::nullopt, refused},
    };
    NumberCases([] { return CPaneCountFormset::Ask(nullptr, 3); }, "3", cases);
    // A count outside the range starts clamped into it.
    NumberCases([] { return CPaneCountFormset::Ask(nullptr, 10); }, "9", {{nullptr, 9, ""}});
}

TEST_F(ChartQuestionFormsetTest, NDaysTakesOneToTheNumberOfQuotes) {
    const char* refused401 = "Days per bar: please enter a whole number from 1 to 401.";
    NumberCases([] { return CNDaysFormset::Ask(nullptr, 5, 401); }, "5",
                {{nullptr, 5, ""},
                 {"1", 1, ""},
                 {"401", 401, ""},
                 {"402", std::nullopt, refused401},
                 {"0", std::nullopt, refused401},
                 {"-1", std::nullopt, refused401},
                 {"", std::nullopt, refused401},
                 {"abc", std::nullopt, refused401},
                 {"1e39", std::nullopt, refused401},
                 {"nan", std::nullopt, refused401}});
    NumberCases(
        [] { return CNDaysFormset::Ask(nullptr, 0, 0); }, "1",
        {{"9999", 9999, ""},
         {"10000", std::nullopt, "Days per bar: please enter a whole number from 1 to 9999."}});
}

TEST_F(ChartQuestionFormsetTest, NumberQuestionsCancelledEveryWayGiveNothing) {
    for (const SClose& c : kCloses) {
        auto drive = [&](CFormsetDialog& d) {
            QTest::keyClicks(QApplication::focusWidget(), "4");
            c.close(d);
        };
        EXPECT_EQ(Run([] { return CPaneCountFormset::Ask(nullptr, 3); }, drive), std::nullopt)
            << c.way;
        EXPECT_EQ(Run([] { return CNDaysFormset::Ask(nullptr, 5, 401); }, drive), std::nullopt)
            << c.way;
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
        const char* typed;
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
