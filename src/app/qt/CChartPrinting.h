#pragma once
#include "view/qt/ChartPrinter.h"
#include <QPrinter>
#include <functional>

class CPaneStack;
class QDialog;
class QWidget;

// The printing commands of the chart windows: one printer setup per program run, shared by
// Print, Print Preview and Page Setup, and the black-on-white choice that goes with it.
class CChartPrinting {
public:
    // Called with every dialog these commands show, once it is on screen (queued after it
    // shows, so a test can accept or close a modal one). Returns the hook it replaces.
    using ShownHook = std::function<void(QDialog& dialog)>;
    static ShownHook SetShownHook(ShownHook hook);

    // The name of the "Black on white" check box on the print dialog's "Chart" tab.
    static constexpr const char* kBlackOnWhiteName = "blackOnWhite";

    CChartPrinting();
    CChartPrinting(const CChartPrinting&) = delete;
    CChartPrinting& operator=(const CChartPrinting&) = delete;

    // The print dialog with a "Chart" tab holding the "Black on white" choice; on OK the
    // choice is kept and the chart printed. False when cancelled or nothing was printed.
    bool Print(QWidget* parent, CPaneStack& stack);
    // The preview of the page as Print would print it, with the printer's setup.
    void Preview(QWidget* parent, CPaneStack& stack);
    // The page setup dialog on the shared printer.
    void PageSetup(QWidget* parent);

    QPrinter& Printer() { return m_printer; }
    SPrintOptions& Options() { return m_options; }

private:
    QPrinter m_printer;
    SPrintOptions m_options;
};
