#include "../../ctlkit/TestFiles.h"
#include "app/qt/CChildFrame.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/curve/CCurveFormset.h"
#include "formset/qt/element/CElementFormset.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "series/CCurve.h"
#include "settings/CModelContext.h"
#include "tools/CArrow.h"
#include "tools/CCycle.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboTime.h"
#include "tools/CIco.h"
#include "tools/CText.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/PaneTexts.h"
#include "view/qt/CPaneWidget.h"
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {

using F = CElementFormset;

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

void Retype(QWidget& dialog, unsigned id, const QString& text) {
    QWidget* control = FindControl(dialog, id);
    ASSERT_NE(control, nullptr) << id;
    control->setFocus();
    QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(control, Qt::Key_Delete);
    QTest::keyClicks(control, text);
}

// A tool command, the code of the element it places and the edit of one of its own fields.
struct STool {
    unsigned command;
    int code;
    std::function<void(CElementFormset&)> edit;
    std::function<void(const CSymbol&)> check;
};

const std::vector<STool>& Tools() {
    static const std::vector<STool> tools = [] {
        std::vector<STool> list;
        const std::pair<unsigned, int> plain[] = {
            {32817, 1},  {32818, 2},  {32850, 7},  {32853, 10}, {32856, 12},
            {32857, 13}, {32860, 15}, {32861, 16}, {32862, 17}, {32864, 19},
            {32865, 20}, {32868, 24}, {32911, 27}, {32870, 28}};
        for (auto [command, code] : plain) list.push_back({command, code, {}, {}});
        list.push_back(
            {32819, 3, [](CElementFormset& d) { Retype(d, F::kHeadLength, "12"); },
             [](const CSymbol& e) { EXPECT_EQ(dynamic_cast<const CArrow&>(e).headLength, 12); }});
        list.push_back(
            {32849, 6, [](CElementFormset& d) { Retype(d, F::kCycleCount, "7"); },
             [](const CSymbol& e) { EXPECT_EQ(dynamic_cast<const CCycle&>(e).cycleCount, 7); }});
        list.push_back(
            {32851, 8, [](CElementFormset& d) { Retype(d, F::kRatio, "0.5"); },
             [](const CSymbol& e) { EXPECT_EQ(dynamic_cast<const CFiboArc&>(e).ratio, 0.5f); }});
        list.push_back(
            {32852, 9, [](CElementFormset& d) { Retype(d, F::kRatio, "0.25"); },
             [](const CSymbol& e) { EXPECT_EQ(dynamic_cast<const CFiboFan&>(e).ratio, 0.25f); }});
        list.push_back({32854, 11, [](CElementFormset& d) { Retype(d, F::kZoneCount, "5"); },
                        [](const CSymbol& e) {
                            const auto& zones = dynamic_cast<const CFiboTime&>(e);
                            EXPECT_EQ(zones.zoneCount, 5);
                            EXPECT_EQ(zones.offsets, (std::vector<uint32_t>{1, 1, 2, 3, 5}));
                        }});
        list.push_back(
            {32872, 30, [](CElementFormset& d) { Retype(d, F::kText, "Changed"); },
             [](const CSymbol& e) { EXPECT_EQ(dynamic_cast<const CText&>(e).text, "Changed"); }});
        list.push_back({32953, 29,
                        [](CElementFormset& d) {
                            FindControl(d, F::kIcon)->setFocus();
                            QTest::keyClick(FindControl(d, F::kIcon), Qt::Key_Right);
                        },
                        [](const CSymbol& e) {
                            // The down arrow (icon 9) and one to the right.
                            EXPECT_EQ(dynamic_cast<const CIco&>(e).iconNumber, 10);
                        }});
        return list;
    }();
    return tools;
}

class ElementPropertiesFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        fs::copy(ZS_SAMPLE_DIR, home.Path(), fs::copy_options::recursive);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
    }
    void TearDown() override { CFormsetDialog::SetShownHook({}); }

    CChildFrame& OpenSample() {
        auto document = std::make_unique<CZentriStockDoc>(*context);
        document->LoadSettings();
        EXPECT_TRUE(document->OpenChart(home.File("chart/ACME.cht")));
        child = std::make_unique<CChildFrame>(std::move(document), loop);
        child->resize(900, 600);
        child->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(child.get()));
        Settle();
        return *child;
    }
    CPaneWidget& Pane(int pane) { return child->PaneWidget(pane); }
    CZentriStockView& View(int pane) { return child->Panes().View(pane); }
    CTCurve& PricePane() { return *CStockPanes::Of(child->Document().Stock())->Pane(0); }

    // Places the tool of `command` by a drag across the price pane; a placed text takes
    // "Note".
    void Place(unsigned command) {
        Pane(0).setFocus();
        ASSERT_TRUE(child->OnCommand(command));
        const CRect& plot = View(0).plotRect;
        const QPoint from(plot.left + 60, plot.top + 60);
        const QPoint to(plot.left + 220, plot.top + 140);
        const CFormsetDialog::ShownHook previous =
            CFormsetDialog::SetShownHook([](CFormsetDialog& d) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
                EXPECT_EQ(d.DialogId(), F::kTextDialogId);
                QTest::keyClicks(FindControl(d, F::kText), "Note");
                QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(d, 1)), Qt::LeftButton);
            });
        QTest::mousePress(&Pane(0), Qt::LeftButton, {}, from);
        QTest::mouseMove(&Pane(0), to);
        QTest::mouseRelease(&Pane(0), Qt::LeftButton, {}, to);
        Settle();
        CFormsetDialog::SetShownHook(previous);
    }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CModelContext> context;
    std::unique_ptr<CChildFrame> child;
};

TEST_F(ElementPropertiesFrameTest, EachToolsPropertiesChangedThroughTheChartAreSavedAndReopened) {
    OpenSample();
    const CStock& stock = child->Document().Stock();
    const size_t before = PricePane().Elements().size();
    // Curves of one name are one source to follow: the first of them.
    std::set<std::string> curveNames;
    for (const auto& curve : PricePane().Curves()) curveNames.insert(curve->name);
    ASSERT_FALSE(curveNames.empty());
    for (const STool& tool : Tools()) {
        SCOPED_TRACE(tool.code);
        Place(tool.command);
        CSymbol* placed = Pane(0).Tracker().Selected();
        ASSERT_NE(placed, nullptr);
        ASSERT_EQ(placed, PricePane().Elements().back().get());
        EXPECT_EQ(placed->TypeCode(), tool.code);
        EXPECT_TRUE(child->Offers(32910));
        int shown = 0;
        const CFormsetDialog::ShownHook previous =
            CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
                ++shown;
                auto& dialog = dynamic_cast<CElementFormset&>(d);
                // The anchor's date is its bar's, as the chart writes dates.
                const int bar = static_cast<int>(placed->x1);
                EXPECT_EQ(
                    qobject_cast<QLineEdit*>(FindControl(d, F::kDate1))->text().toStdString(),
                    PaneTexts::FormatDate(stock.Display().at(bar).date, PaneTexts::DateFormat()));
                // A regression line can follow any curve of its pane.
                if (tool.code == 20) {
                    auto* field = qobject_cast<QComboBox*>(FindControl(d, F::kSnapField));
                    EXPECT_EQ(field->count(), 4 + static_cast<int>(curveNames.size()));
                    for (const std::string& name : curveNames)
                        EXPECT_GE(field->findData(QString::fromStdString(name)), 0) << name;
                }
                FindControl(d, F::kWidth)->setFocus();
                QTest::keyClick(FindControl(d, F::kWidth), Qt::Key_End);
                Retype(d, F::kPrice1, "123.5");
                if (tool.edit) tool.edit(dialog);
                QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(d, 1)), Qt::LeftButton);
            });
        ASSERT_TRUE(child->OnCommand(32910));
        CFormsetDialog::SetShownHook(previous);
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(dynamic_cast<CLine&>(*placed).lineWidth, 10);
        EXPECT_EQ(placed->y1, 123.5f);
    }
    EXPECT_TRUE(prompter.messages.empty());
    ASSERT_EQ(PricePane().Elements().size(), before + Tools().size());

    const std::string saved = home.File("chart/edited.cht");
    ASSERT_TRUE(child->Document().SaveChart(saved));
    CZentriStockDoc reopened(*context);
    reopened.LoadSettings();
    ASSERT_TRUE(reopened.OpenChart(saved));
    const auto& elements = CStockPanes::Of(reopened.Stock())->Pane(0)->Elements();
    ASSERT_EQ(elements.size(), before + Tools().size());
    for (size_t i = 0; i < Tools().size(); ++i) {
        const STool& tool = Tools()[i];
        SCOPED_TRACE(tool.code);
        const CSymbol& element = *elements[before + i];
        ASSERT_EQ(element.TypeCode(), tool.code);
        EXPECT_EQ(dynamic_cast<const CLine&>(element).lineWidth, 10);
        EXPECT_EQ(element.y1, 123.5f);
        if (tool.check) tool.check(element);
    }
}

TEST_F(ElementPropertiesFrameTest, CancelledPropertiesAndACancelledTextLeaveTheChartAsItWas) {
    OpenSample();
    const size_t before = PricePane().Elements().size();
    Place(32817);
    CSymbol* line = Pane(0).Tracker().Selected();
    ASSERT_NE(line, nullptr);
    CArchiveWriter was;
    line->Write(was);
    const CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([](CFormsetDialog& d) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
        if (d.DialogId() == F::kDialogId) Retype(d, F::kPrice1, "1");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    ASSERT_TRUE(child->OnCommand(32904));
    CArchiveWriter now;
    line->Write(now);
    EXPECT_EQ(now.Bytes(), was.Bytes());

    // A text whose dialog is cancelled goes again.
    Pane(0).setFocus();
    ASSERT_TRUE(child->OnCommand(32872));
    const CRect& plot = View(0).plotRect;
    QTest::mouseClick(&Pane(0), Qt::LeftButton, {}, QPoint(plot.left + 80, plot.top + 80));
    Settle();
    CFormsetDialog::SetShownHook(previous);
    EXPECT_EQ(PricePane().Elements().size(), before + 1);
    EXPECT_FALSE(Pane(0).Tracker().ButtonDown());
}

} // namespace

// A curve's properties open through the chart like a drawing's; the edited look stays through
// a period change, which builds the pane's curves anew.
TEST_F(ElementPropertiesFrameTest, ACurvesEditedWidthStaysThroughAPeriodChange) {
    OpenSample();
    ASSERT_FALSE(PricePane().Curves().empty());
    CCurve& curve = *PricePane().Curves().front();
    const std::string name = curve.name;
    Pane(0).setFocus();
    Pane(0).Tracker().SetPane(&PricePane());
    Pane(0).Tracker().SetSeries(&child->Document().Stock(), 0);
    ASSERT_TRUE(Pane(0).Tracker().SelectElement(&curve));
    ASSERT_TRUE(child->Offers(32910));
    int shown = 0;
    const CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
        ++shown;
        EXPECT_EQ(d.DialogId(), CCurveFormset::kDialogId);
        Retype(d, CCurveFormset::kWidth, "6");
        QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(d, 1)), Qt::LeftButton);
    });
    ASSERT_TRUE(child->OnCommand(32910));
    CFormsetDialog::SetShownHook(previous);
    EXPECT_EQ(shown, 1);
    ASSERT_TRUE(child->OnCommand(32937)); // weekly bars: every curve is built again
    Settle();
    ASSERT_FALSE(PricePane().Curves().empty());
    EXPECT_EQ(PricePane().Curves().front()->name, name);
    EXPECT_EQ(PricePane().Curves().front()->lineWidth, 6);
    EXPECT_TRUE(prompter.messages.empty());
}
