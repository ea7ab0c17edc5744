#pragma once
#include "download/CMarketListUpdater.h"
#include <QPointer>
#include <chrono>
#include <functional>
#include <memory>

class CLoopMessageTarget;
class CMarketList;
class CMThreadedJobQ;
class CUiThreadLoop;
class CUpdateListFormset;
class QWidget;

// "Update List" as the main window runs it: the update dialog, the job queue of the market
// list jobs and the update loop, living as long as the window. Only one update runs at a
// time; a dialog opened while a stopped update still ends has "Start" greyed until it ended.
// Destruction stops the update without waiting for the network longer than the transfer
// takes to abort. GUI thread only.
class CMarketListUpdate {
public:
    explicit CMarketListUpdate(CUiThreadLoop& loop, std::chrono::milliseconds dispatchPause =
                                                        std::chrono::milliseconds(100));
    ~CMarketListUpdate();
    CMarketListUpdate(const CMarketListUpdate&) = delete;
    CMarketListUpdate& operator=(const CMarketListUpdate&) = delete;

    // Shows the update dialog over `markets` (the one open is raised instead); its "Start"
    // runs the loop with `setup`, creating the system folder when it is missing.
    CUpdateListFormset& Open(QWidget* parent, const CMarketList& markets,
                             CMarketListUpdater::SSetup setup);
    CUpdateListFormset* Dialog() const { return m_dialog.data(); }
    bool Running() const { return m_updater && m_updater->Running(); }
    // Of the last update: markets saved and failed.
    int Saved() const { return m_updater ? m_updater->Saved() : 0; }
    int Failed() const { return m_updater ? m_updater->Failed() : 0; }

    // The update ended (every market handled, or the dialog closed): the dialog has been
    // closed; the current market's database and the list shown are to be reloaded.
    std::function<void()> onFinished;

private:
    void Start(const std::vector<std::string>& markets);
    void Finished();

    CUiThreadLoop& m_loop;
    std::unique_ptr<CMThreadedJobQ> m_queue;
    std::shared_ptr<CLoopMessageTarget> m_bar;
    std::unique_ptr<CMarketListUpdater> m_updater;
    CMarketListUpdater::SSetup m_setup;
    QPointer<CUpdateListFormset> m_dialog;
};
