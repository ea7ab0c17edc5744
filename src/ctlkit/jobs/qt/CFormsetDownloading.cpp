#include "CFormsetDownloading.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace {
// Wide enough for "Read 99999999 bytes (9999.9 Kb/s)" and the longest connection texts.
constexpr int kStatusChars = 44;
// Room for the title bar's buttons and icon, in average characters.
constexpr int kTitleButtonsChars = 12;
} // namespace

CFormsetDownloading::CFormsetDownloading(std::string programFolder, QWidget* parent)
    : QDialog(parent), m_programFolder(std::move(programFolder)),
      m_bCancelled(std::make_shared<std::atomic<bool>>(false)) {
    setModal(false);
    // It appears while the user works in the chart: shown, but the keyboard stays there.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Downloading"));

    m_frame = new QFrame(this);
    SetControlId(*m_frame, kAnimationFrameId);
    auto* frameLayout = new QHBoxLayout(m_frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    const std::filesystem::path gif =
        std::filesystem::path(m_programFolder) / "System" / "filecopy.gif";
    const QString gifPath = QString::fromStdString(gif.string());
    if (QFileInfo(gifPath).isFile()) {
        auto* movie = new QMovie(gifPath, QByteArray(), this);
        if (movie->isValid()) {
            m_movie = movie;
            auto* picture = new QLabel(m_frame);
            picture->setAlignment(Qt::AlignCenter);
            picture->setMovie(m_movie);
            frameLayout->addWidget(picture);
            m_movie->start();
        } else {
            delete movie;
        }
    }
    if (!m_movie) {
        // Qt Widgets plays no video: an indeterminate bar stands in for the animation.
        m_busy = new QProgressBar(m_frame);
        m_busy->setRange(0, 0);
        m_busy->setTextVisible(false);
        frameLayout->addWidget(m_busy);
    }

    m_status = new QLabel(QStringLiteral("Downing Speed"), this);
    SetControlId(*m_status, kStatusTextId);
    m_status->setMinimumWidth(m_status->fontMetrics().averageCharWidth() * kStatusChars);
    m_status->setTextFormat(Qt::PlainText);

    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    SetControlId(*m_cancel, kCancelId);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, [this] { OnHide(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    TranslateWidgets(*this, kDialogId);
}

CFormsetDownloading::~CFormsetDownloading() = default;

void CFormsetDownloading::SetTitle(const std::string& title) {
    const QString text = QString::fromStdString(title);
    setWindowTitle(text);
    // Wide enough that the title bar can show the whole title beside its buttons.
    const QFontMetrics metrics = fontMetrics();
    m_status->setMinimumWidth(std::max(metrics.averageCharWidth() * kStatusChars,
                                       metrics.horizontalAdvance(text) +
                                           kTitleButtonsChars * metrics.averageCharWidth()));
}

void CFormsetDownloading::SetStatusText(const std::string& text) {
    m_status->setText(QString::fromStdString(text));
}

QString CFormsetDownloading::StatusText() const {
    return m_status->text();
}

void CFormsetDownloading::OnHide() {
    m_bCancelled->store(true);
    hide();
}

// Hidden, not closed: QDialog's close handling would count it as the user's cancel.
void CFormsetDownloading::CloseRequest() {
    hide();
}

void CFormsetDownloading::reject() {
    OnHide();
}
