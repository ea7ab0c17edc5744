#include "CUpdateListFormset.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "download/CLoopMarketUpdateSink.h"
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The dialog as the loop sink reaches it on the GUI thread; nothing once it is gone.
class CDialogSink : public CMarketUpdateSink {
public:
    explicit CDialogSink(CUpdateListFormset* dialog) : m_dialog(dialog) {}

    bool IsVisible() override { return m_dialog && m_dialog->ShowsUpdate(); }
    void SetProgressRange(int steps) override {
        if (m_dialog) m_dialog->SetProgressRange(steps);
    }
    void SetProgress(int position) override {
        if (m_dialog) m_dialog->SetProgress(position);
    }
    void AppendLog(const std::string& text) override {
        if (m_dialog) m_dialog->AppendLog(text);
    }
    void Close() override {
        if (m_dialog) m_dialog->CloseRequest();
    }
    void SetStatusText(const std::string& text) override {
        if (m_dialog) m_dialog->SetStatusText(text);
    }

private:
    QPointer<CUpdateListFormset> m_dialog;
};

std::optional<std::string> AskFile(QWidget* parent, const std::string& market) {
    const QString chosen = QFileDialog::getOpenFileName(
        parent, QStringLiteral("Symbol list of %1").arg(QString::fromStdString(market)), QString(),
        QStringLiteral("Symbol lists (*.txt);;All files (*)"));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

CUpdateListFormset::FileQuestion& FileQuestionSlot() {
    static CUpdateListFormset::FileQuestion question = AskFile;
    return question;
}

// Wide enough for "Read 99999999 bytes (9999.9 Kb/s)" and the longest market labels.
constexpr int kWidthChars = 56;
constexpr int kLogLines = 8;
constexpr int kMarketLines = 6;

} // namespace

CUpdateListFormset::CUpdateListFormset(CUpdateListChoice choice, CUiThreadLoop& loop,
                                       QWidget* parent)
    : QDialog(parent), m_choice(std::move(choice)),
      m_window(CLoopMessageTarget::Create(loop, nullptr)) {
    setModal(false);
    setWindowTitle(QStringLiteral("Update Stock List"));

    m_markets = new QListWidget(this);
    SetControlId(*m_markets, kMarketsId);
    for (int i = 0; i < m_choice.Count(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_choice.Label(i)), m_markets);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_choice.Checked(i) ? Qt::Checked : Qt::Unchecked);
    }
    if (m_choice.Count() > 0) m_markets->setCurrentRow(0);
    auto* marketsLabel = new QLabel(QStringLiteral("&Markets:"), this);
    SetControlId(*marketsLabel, kMarketsLabelId);
    marketsLabel->setBuddy(m_markets);

    m_checkAll = new QPushButton(QStringLiteral("Check &All"), this);
    SetControlId(*m_checkAll, kCheckAllId);
    m_checkAll->setAutoDefault(false);
    connect(m_checkAll, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < m_markets->count(); ++i) m_markets->item(i)->setCheckState(Qt::Checked);
    });

    m_progress = new QProgressBar(this);
    SetControlId(*m_progress, kProgressId);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);

    m_status = new QLabel(this);
    SetControlId(*m_status, kStatusTextId);
    m_status->setTextFormat(Qt::PlainText);

    m_logView = new QPlainTextEdit(this);
    SetControlId(*m_logView, kLogId);
    m_logView->setReadOnly(true);
    m_logView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_logView->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_logView->setTabChangesFocus(true);
    auto* logLabel = new QLabel(QStringLiteral("&Log:"), this);
    SetControlId(*logLabel, kLogLabelId);
    logLabel->setBuddy(m_logView);

    m_copy = new QPushButton(QStringLiteral("C&opy Log"), this);
    SetControlId(*m_copy, kCopyLogId);
    m_copy->setAutoDefault(false);
    connect(m_copy, &QPushButton::clicked, this, [this] { CopyLog(); });

    m_fromFile = new QPushButton(QStringLiteral("From &File..."), this);
    SetControlId(*m_fromFile, kFromFileId);
    m_fromFile->setAutoDefault(false);
    connect(m_fromFile, &QPushButton::clicked, this, [this] { OnFromFile(); });

    m_start = new QPushButton(QStringLiteral("&Start"), this);
    SetControlId(*m_start, kStartId);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, [this] { OnStart(); });
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    SetControlId(*m_close, kCloseId);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, [this] { reject(); });

    const QFontMetrics metrics = fontMetrics();
    m_markets->setMinimumSize(metrics.averageCharWidth() * kWidthChars,
                              metrics.lineSpacing() * kMarketLines);
    m_logView->setMinimumHeight(metrics.lineSpacing() * kLogLines);
    m_status->setMinimumHeight(metrics.lineSpacing());

    auto* layout = new QGridLayout(this);
    layout->addWidget(marketsLabel, 0, 0);
    layout->addWidget(m_checkAll, 0, 1, Qt::AlignRight);
    layout->addWidget(m_markets, 1, 0, 1, 2);
    layout->addWidget(m_progress, 2, 0, 1, 2);
    layout->addWidget(m_status, 3, 0, 1, 2);
    layout->addWidget(logLabel, 4, 0);
    layout->addWidget(m_copy, 4, 1, Qt::AlignRight);
    layout->addWidget(m_logView, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_fromFile);
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_close);
    layout->addLayout(buttons, 6, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(5, 2);

    setTabOrder(m_markets, m_checkAll);
    setTabOrder(m_checkAll, m_logView);
    setTabOrder(m_logView, m_copy);
    setTabOrder(m_copy, m_fromFile);
    setTabOrder(m_fromFile, m_start);
    setTabOrder(m_start, m_close);

    TranslateWidgets(*this, kDialogId);
}

CUpdateListFormset::~CUpdateListFormset() {
    m_window->Detach();
}

std::shared_ptr<CMarketUpdateSink> CUpdateListFormset::Sink() {
    return std::make_shared<CLoopMarketUpdateSink>(m_window, std::make_shared<CDialogSink>(this));
}

bool CUpdateListFormset::ShowsUpdate() const {
    return !m_stopped && isVisible();
}

void CUpdateListFormset::SetProgressRange(int steps) {
    m_progress->setRange(0, steps);
    m_progress->setValue(0);
}

void CUpdateListFormset::SetProgress(int position) {
    m_progress->setValue(position);
}

void CUpdateListFormset::AppendLog(const std::string& text) {
    m_log += text;
    m_logView->moveCursor(QTextCursor::End);
    m_logView->insertPlainText(QString::fromStdString(text));
    m_logView->ensureCursorVisible();
}

void CUpdateListFormset::SetStatusText(const std::string& text) {
    m_status->setText(QString::fromStdString(text));
}

QString CUpdateListFormset::StatusText() const {
    return m_status->text();
}

void CUpdateListFormset::CloseRequest() {
    if (isVisible()) close();
    Stop();
}

void CUpdateListFormset::CopyLog() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(m_log));
}

void CUpdateListFormset::ReadChecks() {
    for (int i = 0; i < m_markets->count(); ++i)
        m_choice.SetChecked(i, m_markets->item(i)->checkState() == Qt::Checked);
}

CUpdateListFormset::FileQuestion CUpdateListFormset::SetFileQuestion(FileQuestion question) {
    if (!question) question = AskFile;
    std::swap(FileQuestionSlot(), question);
    return question;
}

void CUpdateListFormset::OnStart() {
    if (m_started) return;
    ReadChecks();
    if (std::optional<SFieldError> error = m_choice.Validate()) {
        CPrompter::Active().ShowMessage(error->message);
        m_markets->setFocus(Qt::OtherFocusReason);
        return;
    }
    MarkStarted();
    if (onStart) onStart(m_choice.Chosen());
}

void CUpdateListFormset::OnFromFile() {
    if (m_started) return;
    const int row = m_markets->currentRow();
    if (row < 0 || row >= m_choice.Count()) {
        CPrompter::Active().ShowMessage("Please select the market whose list the file holds.");
        m_markets->setFocus(Qt::OtherFocusReason);
        return;
    }
    const std::string market = m_choice.Code(row);
    const std::optional<std::string> path = FileQuestionSlot()(this, market);
    if (!path || m_stopped) return;
    for (int i = 0; i < m_markets->count(); ++i)
        m_markets->item(i)->setCheckState(i == row ? Qt::Checked : Qt::Unchecked);
    ReadChecks();
    MarkStarted();
    if (onStartFromFile) onStartFromFile(market, *path);
}

void CUpdateListFormset::MarkStarted() {
    m_started = true;
    m_markets->setEnabled(false);
    m_checkAll->setEnabled(false);
    m_start->setEnabled(false);
    m_fromFile->setEnabled(false);
    // The keyboard stays in the dialog: Close is what the user may want next.
    m_close->setFocus(Qt::OtherFocusReason);
}

void CUpdateListFormset::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A hide of the window system (the main window minimised) is no choice of the user's.
    if (!event->spontaneous()) Stop();
}

void CUpdateListFormset::Stop() {
    if (m_stopped) return;
    m_stopped = true;
    m_window->Detach();
    deleteLater();
    if (onStopped) onStopped();
}
