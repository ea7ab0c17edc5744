#pragma once
#include <QWidget>
#include <functional>
#include <memory>

class CDocumentDownloads;
class CPaneStack;
class CStock;
class CUiThreadLoop;
class CZentriStockDoc;
class PaneStackWidget;

// The window of one chart document: its panes, its downloads, and the document itself, which
// the window owns from opening to closing. The main frame puts it in an MDI sub-window.
class CChildFrame : public QWidget {
public:
    CChildFrame(std::unique_ptr<CZentriStockDoc> document, CUiThreadLoop& loop,
                QWidget* parent = nullptr);
    // Lets go of the jobs before the document they report to and of the panes before the
    // document they show, then closes the document, which stores its settings.
    ~CChildFrame() override;

    CZentriStockDoc& Document() { return *m_document; }
    CPaneStack& Panes() { return *m_panes; }
    PaneStackWidget& PaneWidget() { return *m_paneWidget; }
    // "NoName" for a new chart, else the symbol.
    QString Title() const;

    // A chart command from a menu or toolbar; false when the chart has none of that id.
    bool OnCommand(unsigned id);

    // Called before the document goes away, so that whoever shows its series forgets it.
    std::function<void(CStock& series)> onClosing;

private:
    bool OnPaneCommand(unsigned id);
    void ChartChanged();

    std::unique_ptr<CZentriStockDoc> m_document;
    std::unique_ptr<CDocumentDownloads> m_downloads;
    std::unique_ptr<CPaneStack> m_panes;
    PaneStackWidget* m_paneWidget;
};
