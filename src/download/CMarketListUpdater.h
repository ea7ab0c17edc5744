#pragma once
#include "CMarketUpdateSink.h"
#include "SProxyValues.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CMThreadedJobQ;

// The "Update List" loop of the stock name bar, on the user-interface thread: one market
// list job at a time on the bar's queue; each result is logged, the list converted into its
// database, and the next market queued. At the end the dialog is closed and `onFinished`
// reloads the current market's database and the list shown.
class CMarketListUpdater {
public:
    struct SSetup {
        std::string systemFolder; // with a trailing "/"
        std::string baseAddress;  // ".../download/mklist/"
        // A market's own list, by market code in capitals: a web address, a "file://"
        // address or a path, relative ones taken from the program folder.
        std::map<std::string, std::string> listAddresses;
        std::string programFolder; // with a trailing "/"
        SProxyValues proxy;
        uint32_t timeOutMs = 0;
    };

    // `bar` is the name bar's target, whose handler passes WM_MARKETLIST_DONE to
    // OnMarketListDone.
    CMarketListUpdater(CMThreadedJobQ& queue, std::shared_ptr<CMessageTarget> bar, SSetup setup);

    void Start(std::vector<std::string> markets, std::shared_ptr<CMarketUpdateSink> dialog,
               std::function<void()> onFinished);
    // 1 when the message belonged to this update.
    long OnMarketListDone(const SWindowMessage& message);

    // The address the job of `market` is given: its own (a relative path made absolute), or
    // "" for <base address><market>.txt.
    static std::string ListAddress(const SSetup& setup, const std::string& market);

    bool Running() const { return m_running; }
    int Saved() const { return m_saved; }
    int Failed() const { return m_failed; }

private:
    void Next();
    void Finish();
    // Logs a fetched list and turns it into the database; true when that worked.
    bool AddToDatabase(const std::string& market, const std::string& label, int handled);

    CMThreadedJobQ& m_queue;
    std::shared_ptr<CMessageTarget> m_bar;
    SSetup m_setup;
    std::vector<std::string> m_markets;
    size_t m_next = 0;
    std::shared_ptr<CMarketUpdateSink> m_dialog;
    std::function<void()> m_onFinished;
    bool m_running = false;
    int m_saved = 0;
    int m_failed = 0;
};
