#include "app/qt/CChartPrinting.h"
#include "../../view/qt/PrintTestSupport.h"
#include <QCheckBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QTest>
#include <filesystem>

namespace {

class CChartPrintingTest : public PrintTest {
protected:
    void TearDown() override {
        CChartPrinting::SetShownHook({});
        PrintTest::TearDown();
    }
    // Prints to a PDF file of the test's folder instead of a printer.
    void PrintToFile(CChartPrinting& printing, const std::string& path) {
        printing.Printer().setOutputFormat(QPrinter::PdfFormat);
        printing.Printer().setOutputFileName(QString::fromStdString(path));
    }
};

TEST_F(CChartPrintingTest, PreviewPaintsThePageAndCloses) {
    CChartPrinting printing;
    int shown = 0;
    const int redraws = stack->Views().RedrawRequests();
    CChartPrinting::SetShownHook([&](QDialog& dialog) {
        ++shown;
        EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(&dialog), nullptr);
        dialog.reject();
    });
    printing.Preview(nullptr, *stack);
    EXPECT_EQ(shown, 1);
    // The preview printed the chart (each print has the window drawn again).
    EXPECT_GT(stack->Views().RedrawRequests(), redraws);
}

TEST_F(CChartPrintingTest, PrintDialogKeepsTheBlackOnWhiteChoiceAndPrintsOnePage) {
    struct SCase {
        bool check;
        bool accept;
        bool printed;
    };
    const SCase cases[] = {{true, true, true}, {false, true, true}, {true, false, false}};
    for (const SCase& c : cases) {
        CChartPrinting printing;
        const std::string pdf =
            dir + "print-" + std::to_string(c.check) + std::to_string(c.accept) + ".pdf";
        PrintToFile(printing, pdf);
        CChartPrinting::SetShownHook([&](QDialog& dialog) {
            ASSERT_NE(qobject_cast<QPrintDialog*>(&dialog), nullptr);
            auto* box = dialog.findChild<QCheckBox*>(CChartPrinting::kBlackOnWhiteName);
            ASSERT_NE(box, nullptr);
            EXPECT_FALSE(box->isChecked());
            box->setChecked(c.check);
            if (c.accept)
                dialog.accept();
            else
                dialog.reject();
        });
        EXPECT_EQ(printing.Print(nullptr, *stack), c.printed);
        EXPECT_EQ(printing.Options().blackOnWhite, c.check && c.accept);
        EXPECT_EQ(std::filesystem::exists(pdf), c.printed) << pdf;
        if (c.printed) EXPECT_EQ(PageCount(pdf), 1);
        if (c.printed && HasTool("pdftoppm"))
            EXPECT_EQ(ColouredPixels(RenderPage(pdf, 50)) == 0, c.check);
    }
}

TEST_F(CChartPrintingTest, PageSetupWorksOnTheSharedPrinter) {
    CChartPrinting printing;
    printing.Printer().setPageOrientation(QPageLayout::Portrait);
    int shown = 0;
    CChartPrinting::SetShownHook([&](QDialog& dialog) {
        ++shown;
        auto* setup = qobject_cast<QPageSetupDialog*>(&dialog);
        ASSERT_NE(setup, nullptr);
        EXPECT_EQ(setup->printer(), &printing.Printer());
        dialog.reject();
    });
    printing.PageSetup(nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(printing.Printer().pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(CChartPrintingTest, ChartsPrintInLandscapeUnlessSetUpOtherwise) {
    CChartPrinting printing;
    EXPECT_EQ(printing.Printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(printing.Options().blackOnWhite);
}

} // namespace
