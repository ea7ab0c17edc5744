#pragma once
#include "quotefetch/DownloaderAbout.h"
#include <QDialog>

// The downloader's About dialog (dialog 142): its name (text 513), version, build date and
// licence, the Qt and libcurl versions in use and the files of the installation it works on,
// each value selectable. Translated with its dialog identifier when first shown; OK
// (control 1), Escape or the close button closes it.
class CDownloaderAboutDialog : public QDialog {
public:
    static constexpr unsigned kDialogId = 142;
    static constexpr unsigned kOk = 1;
    static constexpr unsigned kName = 1000;
    static constexpr unsigned kWhat = 1002;
    // The labels are controls 1100 + row, their values 1200 + row, in DownloaderAboutRows()
    // order.
    static constexpr unsigned kFirstLabel = 1100;
    static constexpr unsigned kFirstValue = 1200;

    CDownloaderAboutDialog(const SDownloaderAboutFacts& facts, QWidget* parent);

    // The facts of this build, with the installation's files.
    static SDownloaderAboutFacts RunningProgram(const std::string& programFolder,
                                                const std::string& setupIni,
                                                const std::string& selection,
                                                const std::string& dataFolder);

    void setVisible(bool visible) override;

private:
    bool m_translated = false;
};
