#include "CMarketListUpdate.h"
#include "CUpdateListFormset.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "download/CMarketList.h"
#include <filesystem>
#include <system_error>

CMarketListUpdate::CMarketListUpdate(CUiThreadLoop& loop, std::chrono::milliseconds dispatchPause)
    : m_loop(loop), m_queue(std::make_unique<CMThreadedJobQ>(dispatchPause)) {
    m_bar = CLoopMessageTarget::Create(m_loop, [this](const SWindowMessage& message) -> long {
        return m_updater ? m_updater->OnMarketListDone(message) : 0;
    });
}

CMarketListUpdate::~CMarketListUpdate() {
    // A job that waits for the GUI thread must be let go before the queue joins it.
    m_bar->Detach();
    delete m_dialog.data();
    m_queue.reset();
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
    dialog->SetStartAllowed(!Running());
    m_dialog = dialog;
    dialog->show();
    return *dialog;
}

void CMarketListUpdate::Start(const std::vector<std::string>& markets) {
    if (Running() || !m_dialog) return;
    std::error_code ignored;
    std::filesystem::create_directories(m_setup.systemFolder, ignored);
    m_updater = std::make_unique<CMarketListUpdater>(*m_queue, m_bar, m_setup);
    m_updater->Start(markets, m_dialog->Sink(), [this] { Finished(); });
}

void CMarketListUpdate::Finished() {
    // A dialog opened while a closed one's update still ended may start now.
    if (m_dialog && !m_dialog->Stopped()) m_dialog->SetStartAllowed(true);
    if (onFinished) onFinished();
}
