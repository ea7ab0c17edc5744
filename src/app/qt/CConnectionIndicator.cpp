#include "CConnectionIndicator.h"
#include "download/CConnectJob.h"
#include "settings/CModelContext.h"
#include "settings/DownloadSettings.h"
#include "settings/SetupSettings.h"
#include <utility>

namespace {
CConnectionCheck ReadCheck(CIniReader& settings) {
    return CConnectionCheck(EnvironmentSettings::Read(settings).connectCheckOn,
                            SDownloadSettings::Read(settings).connectCheck);
}
} // namespace

CConnectionIndicator::CConnectionIndicator(CModelContext& context, CUiThreadLoop& loop, Show show,
                                           QObject* parent, std::chrono::milliseconds tick)
    : QObject(parent), m_context(context), m_show(std::move(show)),
      m_check(ReadCheck(context.Settings())),
      m_window(CLoopMessageTarget::Create(
          loop, [this](const SWindowMessage& message) { return OnMessage(message); })) {
    if (!m_check.IsActive()) return;
    m_queue = std::make_unique<CMThreadedJobQ>();
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTick(); });
    m_timer.start(tick);
    OnTick();
}

CConnectionIndicator::~CConnectionIndicator() {
    m_timer.stop();
    m_window->Detach();
    m_queue.reset();
}

void CConnectionIndicator::OnTick() {
    if (m_check.Tick()) StartCheck();
}

// The proxy is read as each check starts, so a changed proxy applies at once.
void CConnectionIndicator::StartCheck() {
    const SDownloadSettings settings = SDownloadSettings::Read(m_context.Settings());
    SProxyValues proxy;
    proxy.useProxy = settings.useProxy;
    proxy.server = settings.proxyServer;
    proxy.port = settings.proxyPort;
    auto* job = new CConnectJob;
    job->SetAddress(m_check.Address());
    job->SetNotifyWindow(m_window);
    job->SetProxy(proxy);
    m_queue->addJob(job);
}

long CConnectionIndicator::OnMessage(const SWindowMessage& message) {
    if (message.message != WM_CONNECT_CHECKED) return 0;
    m_check.OnConnectChecked(message.wParam);
    if (m_show) m_show(m_check.IndicatorText());
    return 1;
}
