// The chart's four questions (insert or replace, Y scale, pane count, N days) as the chart
// window asks them: what they start from and what their answers do to the chart.
#include "ViewTestSupport.h"
#include "app/qt/CChildFrame.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CWholeNumberFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include "quotes/CStock.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr unsigned kInsertMacd = 32786;
constexpr unsigned kNewChartWithPanes = 33041;
constexpr unsigned kUserPeriod = 32942;

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

QString TextOf(QWidget& dialog, unsigned id) {
    QWidget* control = FindControl(dialog, id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return "<no control " + QString::number(id) + ">";
}

class ChartQuestionsInWindowTest : public ::testing::Test, public SampleInstallation {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        SInnerSelChoice::Remember(true); // as the program starts
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        auto document = OpenSample();
        ASSERT_NE(document, nullptr);
        child = std::make_unique<CChildFrame>(std::move(document), loop);
        child->resize(900, 600);
        child->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(child.get()));
        Settle();
    }
    void TearDown() override {
        child.reset();
        Settle();
    }

    // Runs `start` and `drive` on every dialog it shows; returns how many showed.
    int Run(const std::function<void()>& start, const std::function<void(CFormsetDialog&)>& drive) {
        int shown = 0;
        CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
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
        start();
        CFormsetDialog::SetShownHook(previous);
        Settle();
        return shown;
    }
    void Command(unsigned id, const std::function<void(CFormsetDialog&)>& drive) {
        EXPECT_EQ(Run([&] { EXPECT_TRUE(child->OnCommand(id)); }, drive), 1) << id;
    }
    static void Key(QWidget& d, Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &d, key);
    }
    CStock& Stock() { return child->Document().Stock(); }

    TempDir userDir;
    CScopedPrompter scoped{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CChildFrame> child;
};

TEST_F(ChartQuestionsInWindowTest, InsertOrReplaceNamesThePaneStartsWithInsertThenTheLastChoice) {
    child->PaneWidget(2).setFocus();
    Settle();
    ASSERT_EQ(child->Panes().FocusedPane(), 2);
    const std::string name = CStockPanes::InstallIn(Stock()).Pane(2)->paneName;
    const std::vector<std::string> before = CurveNames(child->Document(), 2);
    struct SStep {
        const char* what;
        bool insertShown;
        Qt::Key key; // Down to Replace or Up to Insert, then Return; Escape cancels
        std::function<std::vector<std::string>()> curvesAfter;
    };
    const std::vector<std::string> macd = {"MACD", "EMA(MACD)", "DIV"};
    auto with = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const SStep steps[] = {
        {"cancelled first", true, Qt::Key_Escape, [&] { return before; }},
        {"replace", true, Qt::Key_Down, [&] { return macd; }},
        {"replace is remembered, cancelled", false, Qt::Key_Escape, [&] { return macd; }},
        {"insert", false, Qt::Key_Up, [&] { return with(macd, macd); }},
        {"insert is remembered", true, Qt::Key_Return,
         [&] { return with(with(macd, macd), macd); }},
    };
    std::string paneName = name;
    for (const SStep& step : steps) {
        Command(kInsertMacd, [&](CFormsetDialog& d) {
            EXPECT_EQ(TextOf(d, CInnerSelFormset::kTarget).toStdString(), "Pane 2: " + paneName)
                << step.what;
            auto* insert = qobject_cast<QRadioButton*>(FindControl(d, CInnerSelFormset::kInsert));
            EXPECT_EQ(insert->isChecked(), step.insertShown) << step.what;
            if (step.key == Qt::Key_Escape || step.key == Qt::Key_Return) {
                Key(d, step.key);
                return;
            }
            Key(d, step.key);
            Key(d, Qt::Key_Return);
        });
        EXPECT_EQ(CurveNames(child->Document(), 2), step.curvesAfter()) << step.what;
        paneName = CStockPanes::InstallIn(Stock()).Pane(2)->paneName;
    }
}

TEST_F(ChartQuestionsInWindowTest, YScaleOfAPaneTakesAFiniteRangeAndAutoScalesAgain) {
    CPaneWidget& pane = child->PaneWidget(1);
    CZentriStockView& view = child->Panes().View(1);
    const CRect strip = view.yAxisStrip;
    const QPoint onAxis((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);
    const float fittedMax = view.yMax;
    const float fittedMin = view.yMin;
    EXPECT_EQ(Run([&] { QTest::mouseDClick(&pane, Qt::LeftButton, {}, onAxis); },
                  [&](CFormsetDialog& d) {
                      auto* max = qobject_cast<QLineEdit*>(FindControl(d, CYScaleFormset::kMax));
                      auto* min = qobject_cast<QLineEdit*>(FindControl(d, CYScaleFormset::kMin));
                      for (const char* bad : {"nan", "1e39", ""}) {
                          prompter.messages.clear();
                          max->selectAll();
                          QTest::keyClicks(max, bad);
                          if (!*bad) QTest::keyClick(max, Qt::Key_Delete);
                          QTest::keyClick(max, Qt::Key_Return);
                          EXPECT_TRUE(d.isVisible()) << bad;
                          EXPECT_EQ(prompter.messages,
                                    std::vector<std::string>{"Maximum: please enter a number."})
                              << bad;
                      }
                      max->selectAll();
                      QTest::keyClicks(max, "5");
                      min->setFocus();
                      min->selectAll();
                      QTest::keyClicks(min, "5");
                      prompter.messages.clear();
                      QTest::keyClick(min, Qt::Key_Return);
                      EXPECT_EQ(prompter.messages,
                                std::vector<std::string>{"Maximum: must be greater than Minimum."});
                      min->selectAll();
                      QTest::keyClicks(min, "-5");
                      QTest::keyClick(min, Qt::Key_Return);
                  }),
              1);
    EXPECT_EQ(child->Panes().FocusedPane(), 1);
    EXPECT_TRUE(view.manualYScale);
    EXPECT_EQ(view.yMax, 5.0f);
    EXPECT_EQ(view.yMin, -5.0f);

    // "Auto" gives the pane its own range again.
    EXPECT_EQ(Run([&] { QTest::mouseDClick(&pane, Qt::LeftButton, {}, onAxis); },
                  [&](CFormsetDialog& d) {
                      QTest::mouseClick(
                          qobject_cast<QPushButton*>(FindControl(d, CYScaleFormset::kAuto)),
                          Qt::LeftButton);
                  }),
              1);
    EXPECT_FALSE(view.manualYScale);
    child->PaneWidget(1).grab(); // draws, which fits the range
    EXPECT_EQ(view.yMax, fittedMax);
    EXPECT_EQ(view.yMin, fittedMin);
}

TEST_F(ChartQuestionsInWindowTest, PaneCountAndNDaysStartFromTheChartAndKeepToTheirRanges) {
    ASSERT_EQ(child->Document().PaneCount(), 3);
    Command(kNewChartWithPanes, [&](CFormsetDialog& d) {
        EXPECT_EQ(TextOf(d, CWholeNumberFormset::kNumber), "3");
        EXPECT_EQ(TextOf(d, CWholeNumberFormset::kRange), "(2 to 9)");
        Key(d, Qt::Key_Escape);
    });
    Stock().SetNDays(4);
    const int base = static_cast<int>(Stock().Base().size());
    Command(kUserPeriod, [&](CFormsetDialog& d) {
        EXPECT_EQ(TextOf(d, CWholeNumberFormset::kNumber), "4");
        EXPECT_EQ(TextOf(d, CWholeNumberFormset::kRange).toStdString(),
                  "(1 to " + std::to_string(std::min(base, 9999)) + ")");
        auto* number = FindControl(d, CWholeNumberFormset::kNumber);
        prompter.messages.clear();
        QTest::keyClicks(number, std::to_string(base + 1).c_str());
        QTest::keyClick(number, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(prompter.messages.size(), 1u);
        qobject_cast<QLineEdit*>(number)->selectAll();
        QTest::keyClicks(number, "7");
        QTest::keyClick(number, Qt::Key_Return);
    });
    EXPECT_EQ(Stock().NDays(), 7);
    EXPECT_EQ(Stock().Period(), CStock::kPeriodNDays);
}

} // namespace
