#pragma once
#include "gann/CGannTable.h"
#include "gann/SGannSetting.h"
#include <QDialog>
#include <functional>
#include <string>

class CGannGrid;
class QLabel;
class QMenuBar;

// The Gann table window, run modally (exec()): a dialog with the "Setting" menu, the caption strip,
// a link to the home page and the grid of the table, which fills the window below the strip. The
// settings live as long as the window.
class CGannTableWindow : public QDialog {
public:
    static constexpr unsigned kDialogId = 156;
    static constexpr unsigned kMenuId = 168;
    static constexpr int kStripHeight = 25;
    enum ECommand : unsigned { kCmdSetting = 32974, kCmdAutoSize = 32975, kCmdExit = 32976 };
    enum EControl : unsigned { kCaption = 1001, kLink = 1002, kGrid = 1003 };

    // `homePage`: the link's address; no link when it is empty.
    explicit CGannTableWindow(const std::string& homePage, QWidget* parent = nullptr);

    const CGannTable& Table() const { return m_table; }
    CGannGrid& Grid() const { return *m_grid; }
    QMenuBar& MenuBar() const { return *m_menu; }
    QLabel& Link() const { return *m_link; }

    // What OK of the settings dialog does: resizes and refills the table and the grid; false
    // (nothing changed) for a refused setting.
    bool ApplySetting(const SGannSetting& setting);
    // A menu command, as if chosen.
    void OnCommand(unsigned id);
    // Asks for the settings (modally) and applies them on OK; replaceable for tests.
    std::function<bool(SGannSetting&)> askSetting;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();

    CGannTable m_table;
    QMenuBar* m_menu;
    QLabel* m_caption;
    QLabel* m_link;
    CGannGrid* m_grid;
};
