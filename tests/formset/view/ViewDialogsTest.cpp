// The chart title, axis and chart window settings and the display range, opened through the
// chart window's commands and driven with keys and mouse clicks.
#include "ViewTestSupport.h"
#include "app/FrameCommands.h"
#include "app/qt/CChildFrame.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CFontPicker.h"
#include "formset/qt/view/CAxisSettingFormset.h"
#include "formset/qt/view/CChartTitleFormset.h"
#include "formset/qt/view/CChartWindowFormset.h"
#include "formset/qt/view/CDisplayRangeFormset.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CStock.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include "../dialog/DialogKeys.h"
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using P = CPaneSettingsFormset;

constexpr unsigned kTitle = 33027;
constexpr unsigned kAxis = 33028;
constexpr unsigned kWindow = 32962;

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
}

void Retype(QWidget& dialog, unsigned id, const QString& text) {
    auto* edit = Find<QLineEdit>(dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Clicks a colour button and passes through `colour` in the colour dialog it opens.
void PickColour(QWidget& dialog, unsigned id, QColor colour) {
    auto* button = Find<CColourButton>(dialog, id);
    QTest::mouseClick(button, Qt::LeftButton);
    QColorDialog* colours = button->OpenDialog();
    ASSERT_NE(colours, nullptr) << id;
    colours->setCurrentColor(colour);
    colours->accept();
    // Back in the dialog, as after the colour dialog has closed.
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog.window(); }));
    Settle();
}

// One height step up in a font picker (its spin box, by the Up key).
void FontTaller(QWidget& dialog, unsigned id) {
    auto* picker = Find<CFontPicker>(dialog, id);
    picker->HeightBox()->setFocus();
    QTest::keyClick(picker->HeightBox(), Qt::Key_Up);
}

// The ways a dialog is left without OK.
struct SClose {
    const char* way;
    std::function<void(CFormsetDialog&)> close;
};
const SClose kCloses[] = {
    {"Cancel",
     [](CFormsetDialog& d) { QTest::mouseClick(Find<QPushButton>(d, 2), Qt::LeftButton); }},
    {"Escape",
     [](CFormsetDialog& d) {
         d.activateWindow();
         QTest::keyClick(&d, Qt::Key_Escape);
     }},
    {"close button", [](CFormsetDialog& d) { d.close(); }},
};

class ViewDialogsTest : public ::testing::Test, public SampleInstallation {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        auto document = OpenSample();
        ASSERT_NE(document, nullptr);
        // Pane 1 shows MACD and then RSI, each with its entry.
        ASSERT_TRUE(BuildIndicator(document->Stock(), "MACD", 1, false, true));
        ASSERT_TRUE(BuildIndicator(document->Stock(), "RSI", 1, true, true));
        child = std::make_unique<CChildFrame>(std::move(document), loop);
        child->resize(900, 600);
        child->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(child.get()));
        Settle();
    }
    void TearDown() override {
        child.reset();
        Settle();
        CLanguage::SetFile("");
    }

    CStock& Stock() { return child->Document().Stock(); }
    void FocusPane(int pane) {
        child->Panes().SetFocus(pane);
        child->PaneWidget(pane).setFocus();
        Settle();
        ASSERT_EQ(child->Panes().FocusedPane(), pane);
    }
    std::vector<std::string> Records() {
        std::vector<std::string> records;
        for (int pane = 0; pane < CStock::kViewParCount; ++pane)
            records.push_back(RecordBytes(Stock().ViewPar(pane)));
        return records;
    }

    // Runs `command` on the chart window and `drive` on the dialog it shows; `drive` must
    // close it. Returns how many dialogs showed.
    int Run(unsigned command, const std::function<void(CFormsetDialog&)>& drive) {
        int shown = 0;
        CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
            // The chart window may still hold the activation when the dialog shows.
            if (QApplication::activeWindow() != &d) d.activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
            ++shown;
            const QPointer<CFormsetDialog> alive(&d);
            drive(d);
            if (alive && alive->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                alive->done(QDialog::Rejected);
            }
        });
        EXPECT_TRUE(child->OnCommand(command));
        CFormsetDialog::SetShownHook(previous);
        Settle();
        return shown;
    }

    TempDir userDir;
    CScopedPrompter scoped{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CChildFrame> child;
};

// --- Each field changed and OK

struct SFieldCase {
    const char* what;
    unsigned command;
    unsigned id; // the control edited
    std::function<void(CFormsetDialog&)> edit;
    // The record as it must be afterwards; `d` is the dialog before OK.
    std::function<void(CViewPar&, CFormsetDialog& d)> expect;
};

QColor Grey(int level) {
    return QColor(level, level + 1, level + 2);
}
uint32_t GreyRef(int level) {
    return MakeRGB(level, level + 1, level + 2);
}

std::vector<SFieldCase> FieldCases() {
    const auto colourCase = [](const char* what, unsigned command, unsigned id, int level,
                               uint32_t CViewPar::*field) {
        return SFieldCase{what, command, id,
                          [=](CFormsetDialog& d) { PickColour(d, id, Grey(level)); },
                          [=](CViewPar& par, CFormsetDialog&) { par.*field = GreyRef(level); }};
    };
    const auto fontCase = [](const char* what, unsigned command, unsigned id,
                             LOGFONT CViewPar::*field) {
        return SFieldCase{what, command, id, [=](CFormsetDialog& d) { FontTaller(d, id); },
                          [=](CViewPar& par, CFormsetDialog& d) {
                              const LOGFONT shown = Find<CFontPicker>(d, id)->LogFont();
                              EXPECT_EQ(shown.lfHeight, (par.*field).lfHeight + 1) << what;
                              par.*field = shown;
                          }};
    };
    const auto cellCase = [](const char* what, unsigned command, unsigned id,
                             int CViewPar::*field) {
        return SFieldCase{what, command, id, [=](CFormsetDialog& d) { Retype(d, id, " 345 "); },
                          [=](CViewPar& par, CFormsetDialog&) { par.*field = 345; }};
    };
    const auto penCase = [](const char* what, unsigned command) {
        return SFieldCase{what, command, P::kGridPenStyle,
                          [](CFormsetDialog& d) {
                              QWidget* list = FindControl(d, P::kGridPenStyle);
                              list->setFocus();
                              QTest::keyClick(list, Qt::Key_Down);
                          },
                          [](CViewPar& par, CFormsetDialog&) { par.gridPenStyle += 1; }};
    };
    const auto gridCase = [](const char* what, unsigned command, unsigned id,
                             int CViewPar::*field) {
        return SFieldCase{what, command, id,
                          [=](CFormsetDialog& d) {
                              QWidget* box = FindControl(d, id);
                              box->setFocus();
                              QTest::keyClick(box, Qt::Key_Space);
                          },
                          [=](CViewPar& par, CFormsetDialog&) { par.*field = par.*field ? 0 : 1; }};
    };
    return {
        colourCase("title: colour", kTitle, P::kTitleColour, 10, &CViewPar::titleColour),
        fontCase("title: font", kTitle, P::kLabelFont, &CViewPar::labelFont),
        colourCase("axis: text colour", kAxis, P::kAxisTextColour, 20, &CViewPar::axisTextColour),
        fontCase("axis: font", kAxis, P::kAxisFont, &CViewPar::axisFont),
        colourCase("axis: frame colour", kAxis, P::kFrameColour, 30, &CViewPar::frameColour),
        penCase("axis: grid line style", kAxis),
        cellCase("axis: cell width", kAxis, P::kCellMaxX, &CViewPar::cellMaxX),
        cellCase("axis: cell height", kAxis, P::kCellMaxY, &CViewPar::cellMaxY),
        gridCase("axis: vertical grid", kAxis, P::kVerticalGrid, &CViewPar::showVerticalGrid),
        gridCase("axis: horizontal grid", kAxis, P::kHorizontalGrid, &CViewPar::showHorizontalGrid),
        colourCase("window: background", kWindow, P::kBackgroundColour, 40,
                   &CViewPar::backgroundColour),
        colourCase("window: frame colour", kWindow, P::kFrameColour, 50, &CViewPar::frameColour),
        colourCase("window: title colour", kWindow, P::kTitleColour, 60, &CViewPar::titleColour),
        colourCase("window: axis text colour", kWindow, P::kAxisTextColour, 70,
                   &CViewPar::axisTextColour),
        penCase("window: grid line style", kWindow),
        cellCase("window: cell width", kWindow, P::kCellMaxX, &CViewPar::cellMaxX),
        cellCase("window: cell height", kWindow, P::kCellMaxY, &CViewPar::cellMaxY),
        gridCase("window: vertical grid", kWindow, P::kVerticalGrid, &CViewPar::showVerticalGrid),
        gridCase("window: horizontal grid", kWindow, P::kHorizontalGrid,
                 &CViewPar::showHorizontalGrid),
        fontCase("window: title font", kWindow, P::kLabelFont, &CViewPar::labelFont),
        fontCase("window: axis font", kWindow, P::kAxisFont, &CViewPar::axisFont),
    };
}

// Shows the tab that holds control `id` of the window settings, as a click on its tab does.
void ShowTabOf(CFormsetDialog& d, unsigned id) {
    auto* tabs = qobject_cast<QTabWidget*>(FindControl(d, CChartWindowFormset::kTabs));
    if (!tabs) return;
    QWidget* control = FindControl(d, id);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(control)) {
            QTabBar* bar = tabs->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        }
    ASSERT_TRUE(control->isVisible()) << id;
}

TEST_F(ViewDialogsTest, EachFieldChangedAndOkGivesExactlyThatRecord) {
    for (const SFieldCase& c : FieldCases()) {
        FocusPane(1);
        const std::vector<std::string> before = Records();
        CViewPar expected = Stock().ViewPar(1);
        const std::string dtemp = ReadText(context->Paths().DefaultTemplate());
        EXPECT_EQ(Run(c.command,
                      [&](CFormsetDialog& d) {
                          ShowTabOf(d, c.id);
                          c.edit(d);
                          c.expect(expected, d);
                          QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
                          EXPECT_FALSE(d.isVisible()) << c.what;
                      }),
                  1)
            << c.what;
        EXPECT_EQ(RecordBytes(Stock().ViewPar(1)), RecordBytes(expected)) << c.what;
        std::vector<std::string> after = Records();
        after[1] = before[1];
        EXPECT_EQ(after, before) << c.what << ": another pane changed";
        EXPECT_EQ(ReadText(context->Paths().DefaultTemplate()), dtemp) << c.what;
    }
}

TEST_F(ViewDialogsTest, EditsLeftByCancelEscapeOrCloseChangeNoRecordNorTheDefaultTemplate) {
    const std::string dtemp = ReadText(context->Paths().DefaultTemplate());
    for (unsigned command : {kTitle, kAxis, kWindow}) {
        for (const SClose& close : kCloses) {
            FocusPane(1);
            const std::vector<std::string> before = Records();
            const std::vector<std::string> curves = CurveNames(child->Document(), 1);
            const std::string label = std::to_string(command) + " " + close.way;
            EXPECT_EQ(Run(command,
                          [&](CFormsetDialog& d) {
                              for (const SFieldCase& c : FieldCases()) {
                                  if (c.command != command) continue;
                                  ShowTabOf(d, c.id);
                                  c.edit(d);
                              }
                              if (command == kWindow) {
                                  ShowTabOf(d, P::kIdentifiers);
                                  QTest::mouseClick(Find<QPushButton>(d, P::kRemove),
                                                    Qt::LeftButton);
                                  EXPECT_EQ(Find<QListWidget>(d, P::kIdentifiers)->count(), 1);
                              }
                              Find<QCheckBox>(d, P::kApplyToAll)->setChecked(true);
                              Find<QCheckBox>(d, P::kSaveAsDefault)->setChecked(true);
                              close.close(d);
                              EXPECT_FALSE(d.isVisible()) << label;
                          }),
                      1)
                << label;
            EXPECT_EQ(Records(), before) << label;
            EXPECT_EQ(CurveNames(child->Document(), 1), curves) << label;
            EXPECT_EQ(ReadText(context->Paths().DefaultTemplate()), dtemp) << label;
        }
    }
}

TEST_F(ViewDialogsTest, OkWithoutAChangeKeepsTheRecordByteForByte) {
    // A pen style the list cannot show and a font the system does not have stay as stored.
    Stock().ViewPar(2).gridPenStyle = 5;
    std::strcpy(Stock().ViewPar(2).labelFont.lfFaceName, "No Such Face");
    Stock().ViewPar(2).labelFont.lfWidth = 1;
    Stock().ViewPar(2).frameColour = 0x01000000 | 0x808080; // a top byte from elsewhere
    for (unsigned command : {kTitle, kAxis, kWindow}) {
        FocusPane(2);
        const std::vector<std::string> before = Records();
        Run(command, [](CFormsetDialog& d) { Key(Qt::Key_Return); });
        EXPECT_EQ(Records(), before) << command;
    }
}

TEST_F(ViewDialogsTest, BadGridCellsAreRefusedByNameAndTheDialogStaysOpen) {
    const char* const typed[] = {"", "abc", "1e39", "nan", "-20", "0", "1001", "9", "12.5"};
    struct SField {
        unsigned id;
        const char* name;
    };
    for (unsigned command : {kAxis, kWindow}) {
        for (const SField& field :
             {SField{P::kCellMaxX, "Grid cell width"}, SField{P::kCellMaxY, "Grid cell height"}}) {
            FocusPane(1);
            const std::vector<std::string> before = Records();
            Run(command, [&](CFormsetDialog& d) {
                ShowTabOf(d, field.id);
                for (const char* text : typed) {
                    prompter.messages.clear();
                    Retype(d, field.id, text);
                    Key(Qt::Key_Return);
                    const std::string label = std::to_string(command) + " \"" + text + "\"";
                    EXPECT_TRUE(d.isVisible()) << label;
                    EXPECT_EQ(prompter.messages,
                              std::vector<std::string>{std::string(field.name) +
                                                       ": please enter a whole number from 10 "
                                                       "to 1000."})
                        << label;
                    EXPECT_EQ(QApplication::focusWidget(), FindControl(d, field.id)) << label;
                }
                // The bounds themselves are taken.
                Retype(d, field.id, "1000");
                Key(Qt::Key_Return);
                EXPECT_FALSE(d.isVisible());
            });
            const CViewPar& par = Stock().ViewPar(1);
            EXPECT_EQ(field.id == P::kCellMaxX ? par.cellMaxX : par.cellMaxY, 1000) << command;
            Stock().ViewPar(1).cellMaxX = 70;
            Stock().ViewPar(1).cellMaxY = 50;
            EXPECT_EQ(Records(), before) << command;
        }
    }
}

TEST_F(ViewDialogsTest, RemoveUpAndDownReorderTheIndicatorsAndOkReplaysThePane) {
    const std::vector<std::string> macd = {"MACD", "EMA(MACD)", "DIV"};
    const std::vector<std::string> rsi = {"RSI", "RSI", "RSI"};
    auto joined = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    ASSERT_EQ(CurveNames(child->Document(), 1), joined(macd, rsi));
    auto items = [](CFormsetDialog& d) {
        std::vector<std::string> texts;
        auto* list = Find<QListWidget>(d, P::kIdentifiers);
        for (int i = 0; i < list->count(); ++i)
            texts.push_back(list->item(i)->text().toStdString());
        return texts;
    };
    FocusPane(1);
    Run(kWindow, [&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_I); // the Indicators tab
        Mnemonic(d, Qt::Key_P); // its list
        auto* list = Find<QListWidget>(d, P::kIdentifiers);
        EXPECT_EQ(QApplication::focusWidget(), list);
        EXPECT_EQ(items(d), (std::vector<std::string>{"MACD", "RSI"}));
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_FALSE(Find<QPushButton>(d, P::kUp)->isEnabled());
        Key(Qt::Key_Down); // select RSI
        EXPECT_FALSE(Find<QPushButton>(d, P::kDown)->isEnabled());
        Mnemonic(d, Qt::Key_U);
        EXPECT_EQ(items(d), (std::vector<std::string>{"RSI", "MACD"}));
        EXPECT_EQ(list->currentRow(), 0);
        // Up is greyed now, so the focus went back to the list.
        EXPECT_EQ(QApplication::focusWidget(), list);
        Mnemonic(d, Qt::Key_D);
        EXPECT_EQ(items(d), (std::vector<std::string>{"MACD", "RSI"}));
        Mnemonic(d, Qt::Key_U);
        // The chart is rebuilt only on OK.
        EXPECT_EQ(CurveNames(child->Document(), 1), joined(macd, rsi));
        QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
    });
    EXPECT_EQ(Stock().ViewPar(1).identifiers, (std::vector<std::string>{"RSI", "MACD"}));
    EXPECT_EQ(CurveNames(child->Document(), 1), joined(rsi, macd));

    Run(kWindow, [&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_I);
        QTest::mouseClick(Find<QPushButton>(d, P::kRemove), Qt::LeftButton);
        EXPECT_EQ(items(d), std::vector<std::string>{"MACD"});
        QTest::mouseClick(Find<QPushButton>(d, P::kRemove), Qt::LeftButton);
        EXPECT_TRUE(items(d).empty());
        EXPECT_FALSE(Find<QPushButton>(d, P::kRemove)->isEnabled());
        QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
    });
    EXPECT_TRUE(Stock().ViewPar(1).identifiers.empty());
    EXPECT_TRUE(CurveNames(child->Document(), 1).empty());
    EXPECT_EQ(child->PaneCount(), 3); // the pane stays, without curves
}

TEST_F(ViewDialogsTest, ApplyToAllPanesGivesTheSettingsButNotTheListToEveryPane) {
    std::vector<std::vector<std::string>> lists;
    for (int pane = 0; pane < CStock::kViewParCount; ++pane)
        lists.push_back(Stock().ViewPar(pane).identifiers);
    FocusPane(2);
    Run(kAxis, [](CFormsetDialog& d) {
        Retype(d, P::kCellMaxX, "150");
        Mnemonic(d, Qt::Key_A);
        EXPECT_TRUE(Find<QCheckBox>(d, P::kApplyToAll)->isChecked());
        Key(Qt::Key_Return);
    });
    Run(kWindow, [](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_I);
        QTest::mouseClick(Find<QPushButton>(d, P::kRemove), Qt::LeftButton);
        ShowTabOf(d, P::kBackgroundColour);
        PickColour(d, P::kBackgroundColour, QColor(1, 2, 3));
        Mnemonic(d, Qt::Key_A);
        Key(Qt::Key_Return);
    });
    lists[2].clear(); // pane 2 lost its one entry, and only pane 2
    for (int pane = 0; pane < CStock::kViewParCount; ++pane) {
        EXPECT_EQ(Stock().ViewPar(pane).cellMaxX, 150) << pane;
        EXPECT_EQ(Stock().ViewPar(pane).backgroundColour, MakeRGB(1, 2, 3)) << pane;
        EXPECT_EQ(Stock().ViewPar(pane).identifiers, lists[pane]) << pane;
    }
}

TEST_F(ViewDialogsTest, SaveAsDefaultWritesTheTemplateThatANewChartUses) {
    FocusPane(0);
    Run(kTitle, [](CFormsetDialog& d) {
        PickColour(d, P::kTitleColour, QColor(200, 100, 50));
        Mnemonic(d, Qt::Key_S);
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(Stock().ViewPar(0).titleColour, MakeRGB(200, 100, 50));
    std::unique_ptr<CZentriStockDoc> fresh = CZentriStockDoc::NewChart(*context);
    EXPECT_EQ(RecordBytes(fresh->Stock().ViewPar(0)), RecordBytes(Stock().ViewPar(0)));
    EXPECT_EQ(fresh->Stock().ViewPar(1).identifiers, Stock().ViewPar(1).identifiers);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ViewDialogsTest, ASavedChartReopensWithTheChange) {
    FocusPane(1);
    Run(kWindow, [](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_G);
        Retype(d, P::kCellMaxY, "25");
        Mnemonic(d, Qt::Key_I);
        QTest::mouseClick(Find<QPushButton>(d, P::kRemove), Qt::LeftButton);
        Key(Qt::Key_Return);
    });
    const std::string path = home.File("chart/Changed.cht");
    ASSERT_TRUE(child->Document().SaveChart(path));
    std::unique_ptr<CZentriStockDoc> reopened = OpenSample("chart/Changed.cht");
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Stock().ViewPar(1).cellMaxY, 25);
    EXPECT_EQ(reopened->Stock().ViewPar(1).identifiers, std::vector<std::string>{"RSI"});
    EXPECT_EQ(RecordBytes(reopened->Stock().ViewPar(1)), RecordBytes(Stock().ViewPar(1)));
    EXPECT_EQ(CurveNames(*reopened, 1), (std::vector<std::string>{"RSI", "RSI", "RSI"}));
}

TEST_F(ViewDialogsTest,
       TheDialogsEditTheFocusedPaneAndADoubleClickOnTheDateAxisOpensTheWindowSettings) {
    for (int pane : {0, 2}) {
        FocusPane(pane);
        Run(kTitle, [&](CFormsetDialog& d) {
            bool named = false;
            for (const QLabel* label : d.findChildren<QLabel*>())
                named = named || label->text() ==
                                     (pane ? QString("Pane %1").arg(pane) : QString("Price pane"));
            EXPECT_TRUE(named) << pane;
            PickColour(d, P::kTitleColour, QColor(0, 0, 100 + pane));
            QTest::mouseClick(Find<QPushButton>(d, 1), Qt::LeftButton);
        });
        EXPECT_EQ(Stock().ViewPar(pane).titleColour, MakeRGB(0, 0, 100 + pane));
    }
    // The chart window settings hang on the chart itself: no hook is needed.
    for (unsigned id : {kTitle, kAxis, kWindow, kCmdDisplayRange}) EXPECT_TRUE(child->Offers(id));
    for (unsigned id : {32968u, 33030u}) EXPECT_FALSE(child->Offers(id)) << id;

    CPaneWidget& price = child->PaneWidget(0);
    const CRect strip = child->Panes().View(0).xAxisStrip;
    const QPoint onAxis((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);
    int shown = 0;
    CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
        ++shown;
        EXPECT_EQ(d.DialogId(), CChartWindowFormset::kDialogId);
        d.reject();
    });
    QTest::mouseDClick(&price, Qt::LeftButton, {}, onAxis);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 1; }));
    CFormsetDialog::SetShownHook(previous);
    Settle();
}

// --- Display range

TEST_F(ViewDialogsTest, DisplayRangeByDatesOrLastBarsSetsTheWindowAndRefusesBadInput) {
    const std::vector<SQuote>& bars = Stock().Display();
    const int count = static_cast<int>(bars.size());
    const auto date = [&](int bar) {
        return CDisplayRangeFormset::DateOfDay(SDisplayRange::DayOf(bars.at(bar).date))
            .toString("yyyy-MM-dd");
    };
    const auto typeDate = [](CFormsetDialog& d, unsigned id, const QString& text) {
        auto* edit = Find<QDateEdit>(d, id);
        edit->setFocus();
        // Typed section by section, each selected first as a click on it would.
        const QDateTimeEdit::Section sections[] = {
            QDateTimeEdit::YearSection, QDateTimeEdit::MonthSection, QDateTimeEdit::DaySection};
        for (int i = 0; i < 3; ++i) {
            edit->setSelectedSection(sections[i]);
            QTest::keyClicks(edit, text.section('-', i, i));
        }
        EXPECT_EQ(edit->date().toString("yyyy-MM-dd").toStdString(), text.toStdString());
    };
    // The last bars.
    Run(kCmdDisplayRange, [&](CFormsetDialog& d) {
        EXPECT_TRUE(Find<QRadioButton>(d, CDisplayRangeFormset::kByDates)->isChecked());
        Mnemonic(d, Qt::Key_L);
        for (const QString& bad :
             {QString(""), QString("x"), QString("0"), QString("-3"), QString::number(count + 1)}) {
            prompter.messages.clear();
            Retype(d, CDisplayRangeFormset::kBars, bad);
            Key(Qt::Key_Return);
            EXPECT_TRUE(d.isVisible()) << bad.toStdString();
            EXPECT_EQ(prompter.messages,
                      std::vector<std::string>{"Number of bars: please enter a whole number from "
                                               "1 to " +
                                               std::to_string(count) + "."})
                << bad.toStdString();
        }
        Retype(d, CDisplayRangeFormset::kBars, "30");
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(Stock().WindowFirst(), count - 30);
    EXPECT_EQ(Stock().WindowEnd(), count);
    EXPECT_EQ(Stock().BarsInWindow(), 30);

    // By dates, typed into the date fields.
    Run(kCmdDisplayRange, [&](CFormsetDialog& d) {
        Mnemonic(d, Qt::Key_D);
        typeDate(d, CDisplayRangeFormset::kFirst, date(10));
        typeDate(d, CDisplayRangeFormset::kLast, date(9));
        prompter.messages.clear();
        Key(Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(prompter.messages, std::vector<std::string>{"To: must not be before From."});
        EXPECT_EQ(QApplication::focusWidget(), FindControl(d, CDisplayRangeFormset::kLast));
        typeDate(d, CDisplayRangeFormset::kLast, date(40));
        EXPECT_EQ(Find<QLabel>(d, CDisplayRangeFormset::kNote)->text().toStdString(),
                  ("Shows " + date(10) + " to " + date(40) + ", 31 bars.").toStdString());
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(Stock().WindowFirst(), 10);
    EXPECT_EQ(Stock().WindowEnd(), 41);

    // Dates beyond the data are clamped, and the note says so before OK.
    Run(kCmdDisplayRange, [&](CFormsetDialog& d) {
        typeDate(d, CDisplayRangeFormset::kFirst, "1990-01-01");
        EXPECT_EQ(Find<QLabel>(d, CDisplayRangeFormset::kNote)->text().toStdString(),
                  ("Shows " + date(0) + " to " + date(40) +
                   ", 41 bars. Dates outside the data are taken as its first or last bar.")
                      .toStdString());
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(Stock().WindowFirst(), 0);
    EXPECT_EQ(Stock().WindowEnd(), 41);

    // Cancel keeps the window.
    for (const SClose& close : kCloses)
        Run(kCmdDisplayRange, [&](CFormsetDialog& d) {
            Mnemonic(d, Qt::Key_L);
            Retype(d, CDisplayRangeFormset::kBars, "5");
            close.close(d);
        });
    EXPECT_EQ(Stock().WindowFirst(), 0);
    EXPECT_EQ(Stock().WindowEnd(), 41);
}

// --- Keyboard and translation

// The mnemonic letters of the texts of `dialog` that the user sees: labels, buttons, tabs.
std::vector<char> MnemonicsOf(QWidget& dialog) {
    std::vector<QString> texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts.push_back(label->text());
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (!button->inherits("QToolButton")) texts.push_back(button->text());
    for (const QTabWidget* tabs : dialog.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i) texts.push_back(tabs->tabText(i));
    std::vector<char> letters;
    for (const QString& text : texts)
        for (qsizetype i = 0; i + 1 < text.size(); ++i)
            if (text[i] == u'&') {
                if (text[i + 1] != u'&') letters.push_back(text[i + 1].toLower().toLatin1());
                ++i;
            }
    return letters;
}

TEST_F(ViewDialogsTest, EveryControlHasAUniqueMnemonicOrIsReachedByTab) {
    struct SCase {
        unsigned command;
        std::vector<unsigned> tabOrder; // from the first control, until it comes back
    };
    const SCase cases[] = {
        {kTitle, {P::kTitleColour, P::kLabelFont, P::kApplyToAll, P::kSaveAsDefault, 1, 2}},
        {kAxis,
         {P::kFrameColour, P::kAxisTextColour, P::kAxisFont, P::kGridPenStyle, P::kCellMaxX,
          P::kCellMaxY, P::kVerticalGrid, P::kHorizontalGrid, P::kLogScale, P::kRoundTicks,
          P::kApplyToAll, P::kSaveAsDefault, 1, 2}},
        {kCmdDisplayRange,
         {CDisplayRangeFormset::kByDates, CDisplayRangeFormset::kFirst, CDisplayRangeFormset::kLast,
          1, 2}},
    };
    for (const SCase& c : cases) {
        Run(c.command, [&](CFormsetDialog& d) {
            const std::vector<char> letters = MnemonicsOf(d);
            EXPECT_EQ(std::set<char>(letters.begin(), letters.end()).size(), letters.size())
                << c.command << ": " << std::string(letters.begin(), letters.end());
            QWidget* first = FindControl(d, c.tabOrder.front());
            first->setFocus();
            std::vector<unsigned> order;
            for (size_t i = 0; i < c.tabOrder.size() + 8 && order.size() < c.tabOrder.size() + 1;
                 ++i) {
                // A picker's own parts count as the picker.
                QWidget* focus = QApplication::focusWidget();
                while (focus && !ControlIdOf(*focus)) focus = focus->parentWidget();
                const unsigned id = focus ? ControlIdOf(*focus).value_or(0) : 0;
                if (order.empty() || order.back() != id) order.push_back(id);
                Key(Qt::Key_Tab);
            }
            order.pop_back(); // back at the first
            EXPECT_EQ(order, c.tabOrder) << c.command;
            Key(Qt::Key_Escape);
        });
    }
    Run(kWindow, [&](CFormsetDialog& d) {
        const std::vector<char> letters = MnemonicsOf(d);
        EXPECT_EQ(std::set<char>(letters.begin(), letters.end()).size(), letters.size())
            << std::string(letters.begin(), letters.end());
        // Each tab's controls by their mnemonics.
        const std::pair<Qt::Key, unsigned> reached[] = {
            {Qt::Key_B, P::kBackgroundColour},
            {Qt::Key_M, P::kFrameColour},
            {Qt::Key_T, P::kTitleColour},
            {Qt::Key_X, P::kAxisTextColour},
            {Qt::Key_G, 0},
            {Qt::Key_Y, P::kGridPenStyle},
            {Qt::Key_W, P::kCellMaxX},
            {Qt::Key_H, P::kCellMaxY},
            {Qt::Key_N, 0},
            {Qt::Key_Tab, 0},
            {Qt::Key_F, P::kAxisFont},
            {Qt::Key_L, P::kLabelFont},
            {Qt::Key_I, 0},
            {Qt::Key_P, P::kIdentifiers},
        };
        for (const auto& [key, id] : reached) {
            if (key == Qt::Key_Tab)
                Key(key);
            else
                QTest::keyClick(&d, key, Qt::AltModifier);
            if (!id) continue;
            QWidget* focus = QApplication::focusWidget();
            while (focus && !ControlIdOf(*focus)) focus = focus->parentWidget();
            EXPECT_EQ(focus ? ControlIdOf(*focus).value_or(0) : 0, id) << key;
        }
        Mnemonic(d, Qt::Key_C);
        EXPECT_FALSE(d.isVisible());
    });
}

TEST_F(ViewDialogsTest, EachDialogTranslatedWithItsIdentifier) {
    const std::string lng = home.File("Lng/Test.lng");
    WriteText(lng, "[250]\n0=Titel\n1101=&Titelfarbe:\n1030=Für &alle Fenster\n"
                   "[251]\n0=Achsen\n1108=Zellen&breite:\n"
                   "[252]\n0=Fenster\n1021=&Entfernen\n"
                   "[253]\n0=Anzeigebereich\n1103=&Anzahl Balken:\n"
                   "[Text]\nTabIndicators=&Indikatoren\nPaneOfSettings=Fenster %1\n"
                   "WholeNumberRange=%s: eine ganze Zahl von %1 bis %2 eingeben.\n");
    CLanguage::SetFile(lng);
    struct SCase {
        unsigned command;
        std::vector<std::pair<unsigned, const char*>> texts; // 0: the title
    };
    const SCase cases[] = {
        {kTitle,
         {{0, "Titel"},
          {P::kTitleColourLabel, "&Titelfarbe:"},
          {P::kApplyToAll, "Für &alle Fenster"}}},
        {kAxis, {{0, "Achsen"}, {P::kCellMaxXLabel, "Zellen&breite:"}}},
        {kWindow, {{0, "Fenster"}, {P::kRemove, "&Entfernen"}}},
        {kCmdDisplayRange,
         {{0, "Anzeigebereich"}, {CDisplayRangeFormset::kBarsLabel, "&Anzahl Balken:"}}},
    };
    FocusPane(1);
    for (const SCase& c : cases) {
        Run(c.command, [&](CFormsetDialog& d) {
            for (const auto& [id, text] : c.texts) {
                QString shown;
                if (id == 0)
                    shown = d.windowTitle();
                else if (auto* label = qobject_cast<QLabel*>(FindControl(d, id)))
                    shown = label->text();
                else if (auto* button = qobject_cast<QAbstractButton*>(FindControl(d, id)))
                    shown = button->text();
                EXPECT_EQ(shown.toStdString(), text) << c.command << " " << id;
            }
            if (c.command == kWindow) {
                auto* tabs = Find<QTabWidget>(d, CChartWindowFormset::kTabs);
                EXPECT_EQ(tabs->tabText(3).toStdString(), "&Indikatoren");
            }
            if (c.command == kAxis) {
                prompter.messages.clear();
                Retype(d, P::kCellMaxX, "5");
                Key(Qt::Key_Return);
                EXPECT_EQ(prompter.messages,
                          std::vector<std::string>{
                              "Zellenbreite: eine ganze Zahl von 10 bis 1000 eingeben."});
            }
            bool named = false;
            for (const QLabel* label : d.findChildren<QLabel*>())
                named = named || label->text() == "Fenster 1";
            EXPECT_TRUE(named || c.command == kCmdDisplayRange) << c.command;
            Key(Qt::Key_Escape);
        });
    }
}

} // namespace
