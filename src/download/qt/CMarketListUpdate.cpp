#include "CMarketListUpdate.h"
#include "CUpdateListFormset.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "download/CMarketList.h"
#include <algorithm>
#include <filesystem>
#include <system_error>

CMarketListUpdate::CMarketListUpdate(CUiThreadLoop& loop, std::chrono::milliseconds dispatchPause)
    : m_loop(loop), m_dispatchPause(dispatchPause) {
    NewQueue();
}

CMarketListUpdate::~CMarketListUpdate() {
    // A job that waits for the GUI thread must be let go before the queue joins it.
    m_bar->Detach();
    if (m_dialog) {
        m_dialog->onStopped = nullptr;
        delete m_dialog.data();
    }
    m_updater.reset();
    m_queue.reset();
    for (SEnding& ending : m_ending) ending.thread.join();
}

void CMarketListUpdate::NewQueue() {
    m_queue = std::make_unique<CMThreadedJobQ>(m_dispatchPause);
    m_bar = CLoopMessageTarget::Create(m_loop, [this](const SWindowMessage& message) -> long {
        return m_updater ? m_updater->OnMarketListDone(message) : 0;
    });
}

int CMarketListUpdate::EndingUpdates() const {
    return static_cast<int>(std::count_if(m_ending.begin(), m_ending.end(),
                                          [](const SEnding& e) { return !e.ended->load(); }));
}

CUpdateListFormset& CMarketListUpdate::Open(QWidget* parent, const CMarketList& markets,
                                            CMarketListUpdater::SSetup setup) {
    if (m_dialog && !m_dialog->Stopped()) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return *m_dialog;
    }
    m_setup = std::move(setup);
    auto* dialog = new CUpdateListFormset(CUpdateListChoice(markets), m_loop, parent);
    dialog->onStart = [this](const std::vector<std::string>& chosen) { Start(chosen); };
    dialog->onStartFromFile = [this](const std::string& market, const std::string& path) {
        StartFromFile(market, path);
    };
    dialog->onStopped = [this] { DialogStopped(); };
    m_dialog = dialog;
    dialog->show();
    return *dialog;
}

void CMarketListUpdate::Start(const std::vector<std::string>& markets) {
    if (Running() || !m_dialog) return;
    JoinEnded();
    std::error_code ignored;
    std::filesystem::create_directories(m_setup.systemFolder, ignored);
    m_saved = m_failed = 0;
    m_updater = std::make_unique<CMarketListUpdater>(*m_queue, m_bar, m_setup);
    m_updater->Start(markets, m_dialog->Sink(), [this] { Finished(); });
}

void CMarketListUpdate::StartFromFile(const std::string& market, const std::string& path) {
    if (Running()) return;
    std::string code = market;
    for (char& c : code)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    // For this update only: the next one asks the configured address again.
    const CMarketListUpdater::SSetup configured = m_setup;
    std::error_code ignored;
    m_setup.listAddresses[code] = std::filesystem::absolute(path, ignored).string();
    Start({market});
    m_setup = configured;
}

void CMarketListUpdate::DialogStopped() {
    // At the end of an update the loop itself closes the dialog: nothing is left to stop.
    if (!Running()) return;
    m_saved = m_updater->Saved();
    m_failed = m_updater->Failed();
    // The running job's answer would reach nobody; its queue aborts its transfer when
    // destroyed, which must not hold up the GUI thread.
    m_bar->Detach();
    m_updater.reset();
    SEnding ending;
    ending.ended = std::make_shared<std::atomic<bool>>(false);
    ending.thread = std::thread([queue = std::shared_ptr<CMThreadedJobQ>(std::move(m_queue)),
                                 ended = ending.ended]() mutable {
        queue.reset();
        ended->store(true);
    });
    m_ending.push_back(std::move(ending));
    NewQueue();
    if (onFinished) onFinished();
}

void CMarketListUpdate::Finished() {
    m_saved = m_updater->Saved();
    m_failed = m_updater->Failed();
    if (onFinished) onFinished();
}

void CMarketListUpdate::JoinEnded() {
    for (auto it = m_ending.begin(); it != m_ending.end();) {
        if (!it->ended->load()) {
            ++it;
            continue;
        }
        it->thread.join();
        it = m_ending.erase(it);
    }
}
