#include "CChartPrinting.h"
#include "view/CPaneStack.h"
#include <QCheckBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QVBoxLayout>
#include <QWidget>

namespace {

CChartPrinting::ShownHook& ShownHookSlot() {
    static CChartPrinting::ShownHook hook;
    return hook;
}

// Queues the hook for when the dialog's exec() has shown it.
void AnnounceWhenShown(QDialog& dialog) {
    if (const CChartPrinting::ShownHook& hook = ShownHookSlot()) {
        QDialog* shown = &dialog;
        QMetaObject::invokeMethod(
            shown, [shown, hook] { hook(*shown); }, Qt::QueuedConnection);
    }
}

} // namespace

CChartPrinting::ShownHook CChartPrinting::SetShownHook(ShownHook hook) {
    std::swap(ShownHookSlot(), hook);
    return hook;
}

CChartPrinting::CChartPrinting() : m_printer(QPrinter::HighResolution) {
    m_printer.setPageOrientation(QPageLayout::Landscape);
}

bool CChartPrinting::Print(QWidget* parent, CPaneStack& stack) {
    QPrintDialog dialog(&m_printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    auto* tab = new QWidget;
    tab->setWindowTitle(QStringLiteral("Chart"));
    auto* blackOnWhite = new QCheckBox(QStringLiteral("&Black on white"), tab);
    blackOnWhite->setObjectName(kBlackOnWhiteName);
    blackOnWhite->setChecked(m_options.blackOnWhite);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(blackOnWhite);
    layout->addStretch();
    dialog.setOptionTabs({tab});
    AnnounceWhenShown(dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    m_options.blackOnWhite = blackOnWhite->isChecked();
    return PrintChart(stack, m_printer, m_options);
}

void CChartPrinting::Preview(QWidget* parent, CPaneStack& stack) {
    QPrintPreviewDialog dialog(&m_printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, &stack](QPrinter* printer) { PrintChart(stack, *printer, m_options); });
    AnnounceWhenShown(dialog);
    dialog.exec();
}

void CChartPrinting::PageSetup(QWidget* parent) {
    QPageSetupDialog dialog(&m_printer, parent);
    AnnounceWhenShown(dialog);
    dialog.exec();
}
