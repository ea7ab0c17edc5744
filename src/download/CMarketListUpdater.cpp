#include "CMarketListUpdater.h"
#include "CMarketListJob.h"
#include "CSymbolDatabase.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"

CMarketListUpdater::CMarketListUpdater(CMThreadedJobQ& queue, std::shared_ptr<CMessageTarget> bar,
                                       SSetup setup)
    : m_queue(queue), m_bar(std::move(bar)), m_setup(std::move(setup)) {}

void CMarketListUpdater::Start(std::vector<std::string> markets,
                               std::shared_ptr<CMarketUpdateSink> dialog,
                               std::function<void()> onFinished) {
    m_markets = std::move(markets);
    m_next = 0;
    m_dialog = std::move(dialog);
    m_onFinished = std::move(onFinished);
    m_running = true;
    m_saved = m_failed = 0;
    if (m_dialog) m_dialog->SetProgressRange(2 * static_cast<int>(m_markets.size()));
    Next();
}

std::string CMarketListUpdater::ListAddress(const SSetup& setup, const std::string& market) {
    std::string code = market;
    for (char& c : code)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    const auto it = setup.listAddresses.find(code);
    if (it == setup.listAddresses.end() || it->second.empty()) return {};
    const std::string& address = it->second;
    // Anything with a scheme is the job's to take or refuse; the rest is a path.
    if (address.find("://") != std::string::npos || address[0] == '/') return address;
    return setup.programFolder + address;
}

void CMarketListUpdater::Next() {
    if (m_next >= m_markets.size()) return Finish();
    auto* job = new CMarketListJob;
    job->SetMarketName(m_markets[m_next]);
    job->SetTargetFolder(m_setup.systemFolder);
    job->SetProgressDialog(m_dialog);
    job->SetNotifyWindow(m_bar);
    job->SetBaseAddress(m_setup.baseAddress);
    job->SetAddress(ListAddress(m_setup, m_markets[m_next]));
    job->SetProxy(m_setup.proxy);
    job->SetTimeOut(m_setup.timeOutMs);
    m_queue.addJob(job);
}

void CMarketListUpdater::Finish() {
    m_running = false;
    if (m_dialog) m_dialog->Close();
    m_dialog.reset();
    if (m_onFinished) m_onFinished();
}

bool CMarketListUpdater::AddToDatabase(const std::string& market, const std::string& label,
                                       int handled) {
    m_dialog->AppendLog(label + "download Successfully.\n");
    m_dialog->AppendLog("Add " + label + "to DataBase.\n");
    m_dialog->SetProgress(2 * handled - 1);
    SSymbolListCounts counts;
    const bool converted =
        CSymbolDatabase::ConvertMarketList(m_setup.systemFolder, market, &counts).ok();
    // A symbol that could not be used is said, never passed over in silence.
    if (converted && counts.refused > 0)
        m_dialog->AppendLog(label + "left out " + std::to_string(counts.refused) +
                            (counts.refused == 1 ? " symbol" : " symbols") +
                            " that cannot be a ticker.\n");
    m_dialog->AppendLog(
        label + (converted ? "add to data base successfully.\n" : "add to data base failed.\n"));
    return converted;
}

long CMarketListUpdater::OnMarketListDone(const SWindowMessage& message) {
    if (message.message != WM_MARKETLIST_DONE || !m_running || m_next >= m_markets.size() ||
        message.wText != m_markets[m_next])
        return 0;
    int handled = static_cast<int>(++m_next);
    if (message.lParam == kMarketListCancelled) {
        // The user closed the dialog: the markets left are not fetched.
        m_next = m_markets.size();
        Finish();
        return 1;
    }
    std::string label = "Market list of " + message.wText + " ";
    bool ok = false;
    if (message.lParam == kMarketListSaved) {
        ok = m_dialog
                 ? AddToDatabase(message.wText, label, handled)
                 : CSymbolDatabase::ConvertMarketList(m_setup.systemFolder, message.wText).ok();
    } else if (m_dialog) {
        m_dialog->AppendLog(label + "download failed.\n");
    }
    if (m_dialog) m_dialog->SetProgress(2 * handled);
    ++(ok ? m_saved : m_failed);
    Next();
    return 1;
}
