#pragma once
#include "download/CMarketListUpdater.h"
#include <QPointer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class CLoopMessageTarget;
class CMarketList;
class CMThreadedJobQ;
class CUiThreadLoop;
class CUpdateListFormset;
class QWidget;

// "Update List" as the main window runs it: the update dialog, the job queue of the market
// list jobs and the update loop, living as long as the window. One update runs at a time.
// Closing or hiding the dialog ends the update at once: the job that still fetches is
// cancelled on a thread of its own (its transfer aborts and it writes nothing), the markets
// left are not fetched, and a new update may start straight away. GUI thread only.
class CMarketListUpdate {
public:
    explicit CMarketListUpdate(CUiThreadLoop& loop, std::chrono::milliseconds dispatchPause =
                                                        std::chrono::milliseconds(100));
    // Stops the update; waits only for jobs already told to cancel.
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
    int Saved() const { return m_saved; }
    int Failed() const { return m_failed; }
    // Stopped updates whose job has not ended yet.
    int EndingUpdates() const;

    // The update ended (every market handled, or the dialog closed): the dialog has been
    // closed; the current market's database and the list shown are to be reloaded.
    std::function<void()> onFinished;

private:
    struct SEnding {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };

    void NewQueue();
    void Start(const std::vector<std::string>& markets);
    void StartFromFile(const std::string& market, const std::string& path);
    void DialogStopped();
    void Finished();
    void JoinEnded();

    CUiThreadLoop& m_loop;
    std::chrono::milliseconds m_dispatchPause;
    std::unique_ptr<CMThreadedJobQ> m_queue;
    std::shared_ptr<CLoopMessageTarget> m_bar;
    std::unique_ptr<CMarketListUpdater> m_updater;
    CMarketListUpdater::SSetup m_setup;
    QPointer<CUpdateListFormset> m_dialog;
    std::vector<SEnding> m_ending;
    int m_saved = 0;
    int m_failed = 0;
};
