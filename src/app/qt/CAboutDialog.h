#pragma once
#include "app/AboutFacts.h"
#include <QDialog>

class QPushButton;

// The About dialog (dialog 100): the program's name, version, build date and licence, the
// Qt and libcurl versions in use, the folder and settings files this installation uses, and
// the home page when one is configured. Every value can be selected; Copy puts them all on
// the clipboard as text for a support request. Translated with its dialog identifier when
// first shown; OK (control 1), Escape or the close button closes it.
class CAboutDialog : public QDialog {
public:
    static constexpr unsigned kDialogId = 100;
    static constexpr unsigned kOk = 1;
    static constexpr unsigned kCopy = 1001;
    // The labels are controls 1100 + row, their values 1200 + row, in AboutRows() order.
    static constexpr unsigned kFirstLabel = 1100;
    static constexpr unsigned kFirstValue = 1200;

    CAboutDialog(const SAboutFacts& facts, QWidget* parent);

    // The facts of the running program and of the installation in `programFolder`.
    static SAboutFacts RunningProgram(const std::string& programFolder, const std::string& setupIni,
                                      const std::string& userStore,
                                      const std::string& homePage);

    void setVisible(bool visible) override;

private:
    SAboutFacts m_facts;
    bool m_translated = false;
};
