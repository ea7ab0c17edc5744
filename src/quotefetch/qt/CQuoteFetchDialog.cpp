#include "CQuoteFetchDialog.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "quotefetch/CFetchDialogModel.h"
#include "quotefetch/TrayMenu.h"
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Wide enough for "AAAAAAAA (NASDAQ) is downloading." and the transfer's byte counts.
constexpr int kWidthChars = 60;
constexpr int kLogLines = 12;

std::string Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("");
}

QPushButton* NewButton(QWidget& parent, unsigned id, const char* text) {
    auto* button = new QPushButton(QString::fromUtf8(text), &parent);
    SetControlId(*button, id);
    button->setAutoDefault(false);
    return button;
}
} // namespace

CQuoteFetchDialog::CQuoteFetchDialog(CFetchDialogModel& model, CDownloaderTray& tray,
                                     QWidget* parent)
    : QDialog(parent), m_model(model), m_presence(tray, *this) {
    setWindowTitle(QString::fromStdString(Text(513)));
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    m_prompt = new QLabel(QString::fromStdString(Text(501)), this);
    SetControlId(*m_prompt, kPromptId);
    m_prompt->setWordWrap(true);
    m_count = new QLabel(this);
    SetControlId(*m_count, kCountId);
    m_count->setTextFormat(Qt::PlainText);

    m_log = new QListWidget(this);
    SetControlId(*m_log, kLogId);
    m_log->setSelectionMode(QAbstractItemView::SingleSelection);
    m_log->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* logLabel = new QLabel(QStringLiteral("&Log:"), this);
    logLabel->setBuddy(m_log);

    m_status = new QLabel(this);
    SetControlId(*m_status, kStatusTextId);
    m_status->setTextFormat(Qt::PlainText);
    m_fetchStatus = new QLabel(this);
    SetControlId(*m_fetchStatus, kFetchStatusId);
    m_fetchStatus->setTextFormat(Qt::PlainText);
    m_progress = new QProgressBar(this);
    SetControlId(*m_progress, kProgressId);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);

    m_start = NewButton(*this, kStartId, "&Start");
    m_start->setDefault(true);
    m_stop = NewButton(*this, kStopId, "S&top");
    m_select = NewButton(*this, kSelectId, "S&elect...");
    m_import = NewButton(*this, kImportId, "&Import...");
    m_about = NewButton(*this, kAboutId, "&About...");
    connect(m_start, &QPushButton::clicked, this, [this] { m_model.Start(); });
    connect(m_stop, &QPushButton::clicked, this, [this] { m_model.Stop(); });
    connect(m_select, &QPushButton::clicked, this, [this] { OnSelect(); });
    connect(m_import, &QPushButton::clicked, this, [this] { OnImport(); });
    connect(m_about, &QPushButton::clicked, this, [this] { OnAbout(); });

    const QFontMetrics metrics = fontMetrics();
    m_log->setMinimumSize(metrics.averageCharWidth() * kWidthChars,
                          metrics.lineSpacing() * kLogLines);
    m_status->setMinimumHeight(metrics.lineSpacing());
    m_fetchStatus->setMinimumHeight(metrics.lineSpacing());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_count);
    layout->addWidget(logLabel);
    layout->addWidget(m_log, 1);
    layout->addWidget(m_status);
    layout->addWidget(m_fetchStatus);
    layout->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_select);
    buttons->addWidget(m_import);
    buttons->addStretch(1);
    buttons->addWidget(m_about);
    layout->addLayout(buttons);

    setTabOrder(m_start, m_stop);
    setTabOrder(m_stop, m_select);
    setTabOrder(m_select, m_import);
    setTabOrder(m_import, m_about);
    setTabOrder(m_about, m_log);

    TranslateWidgets(*this, kDialogId);
    m_model.onChanged = [this] { Refresh(); };
    m_model.onMessage = [this](const std::string& text) { ShowMessage(text); };
    Refresh();
}

CQuoteFetchDialog::~CQuoteFetchDialog() {
    m_model.onChanged = nullptr;
    m_model.onMessage = nullptr;
    m_presence.Exit();
}

void CQuoteFetchDialog::Open() {
    show();
    m_presence.Start();
}

void CQuoteFetchDialog::Refresh() {
    m_start->setEnabled(m_model.CanStart());
    m_stop->setEnabled(m_model.CanStop());
    m_select->setEnabled(selectStocks && m_model.CanSelect());
    m_import->setEnabled(askImport && m_model.CanImport());
    m_about->setEnabled(static_cast<bool>(showAbout));
    m_count->setText(QString::fromStdString(m_model.CountLine()));
    m_status->setText(QString::fromStdString(m_model.StatusText()));
    m_fetchStatus->setText(QString::fromStdString(m_model.FetchStatusText()));
    if (m_progress->minimum() != m_model.ProgressLow() ||
        m_progress->maximum() != m_model.ProgressHigh())
        m_progress->setRange(m_model.ProgressLow(), std::max(m_model.ProgressHigh(), 1));
    m_progress->setValue(m_model.ProgressPosition());
    const std::vector<std::string>& lines = m_model.LogLines();
    if (static_cast<size_t>(m_log->count()) < lines.size()) {
        for (size_t i = static_cast<size_t>(m_log->count()); i < lines.size(); ++i)
            m_log->addItem(QString::fromStdString(lines[i]));
        m_log->scrollToBottom();
    }
}

void CQuoteFetchDialog::OnSelect() {
    if (!selectStocks || !m_model.CanSelect()) return;
    selectStocks(*this);
    Refresh();
}

void CQuoteFetchDialog::OnImport() {
    if (!askImport || !m_model.CanImport()) return;
    if (std::optional<SImportRequest> request = askImport(*this))
        m_model.StartImport(std::move(*request));
    Refresh();
}

void CQuoteFetchDialog::OnAbout() {
    if (showAbout) showAbout(*this);
}

void CQuoteFetchDialog::HideToTray() {
    setWindowState(windowState() | Qt::WindowMinimized);
    hide();
}

void CQuoteFetchDialog::Restore() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CQuoteFetchDialog::AddLogLine(const std::string& text) {
    m_model.AddLogLine(text);
}

void CQuoteFetchDialog::ShowMessage(const std::string& text) {
    CPrompter::Active().ShowMessage(text);
}

void CQuoteFetchDialog::TrayCommand(unsigned command) {
    switch (command) {
    case kTrayStart:
        m_model.Start();
        break;
    case kTrayStop:
        m_model.Stop();
        break;
    case kTrayClose:
        close();
        break;
    case kTrayAbout:
        OnAbout();
        break;
    default:
        break;
    }
}

void CQuoteFetchDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    // Hidden only after the event: showMinimized() shows the window again once it returns.
    if (isMinimized())
        QMetaObject::invokeMethod(
            this, [this] { if (isMinimized() && !m_closed) m_presence.Minimised(); },
            Qt::QueuedConnection);
    else if (m_presence.InTray() && isVisible())
        m_presence.Restored();
}

void CQuoteFetchDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CQuoteFetchDialog::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        m_presence.Exit();
        m_model.Close();
    }
    event->accept();
    QDialog::done(QDialog::Accepted);
    if (onClosed) onClosed();
}
