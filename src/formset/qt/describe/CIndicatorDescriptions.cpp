#include "CIndicatorDescriptions.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "indicators/IndicatorDescriptions.h"
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace {

CIndicatorDescriptions::ShownHook& ShownHookSlot() {
    static CIndicatorDescriptions::ShownHook hook;
    return hook;
}

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QString() : canonical;
}

} // namespace

CDescriptionBrowser::CDescriptionBrowser(QString folder, QWidget* parent)
    : QTextBrowser(parent), m_folder(Canonical(folder)) {
    setReadOnly(true);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    openExternal = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    connect(this, &QTextBrowser::anchorClicked, this, &CDescriptionBrowser::FollowLink);
}

QUrl CDescriptionBrowser::Permitted(const QUrl& url) const {
    const QUrl absolute = url.isRelative() ? source().resolved(url) : url;
    if (m_folder.isEmpty() || !absolute.isLocalFile()) return {};
    // Canonical paths, so that neither ".." nor a link leads out of the folder.
    const QString path = Canonical(absolute.toLocalFile());
    if (!path.startsWith(m_folder + u'/')) return {};
    QUrl permitted = QUrl::fromLocalFile(path);
    permitted.setFragment(absolute.fragment());
    return permitted;
}

QVariant CDescriptionBrowser::loadResource(int type, const QUrl& name) {
    const QUrl permitted = Permitted(name);
    if (permitted.isEmpty()) {
        m_refused.append(name);
        // Not a null variant: on a null one the document reads a local file itself.
        return QByteArray();
    }
    return QTextBrowser::loadResource(type, permitted);
}

void CDescriptionBrowser::FollowLink(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http" || scheme == u"https") {
        if (openExternal) openExternal(url);
        return;
    }
    if (const QUrl permitted = Permitted(url); !permitted.isEmpty()) setSource(permitted);
}

CIndicatorDescriptions::CIndicatorDescriptions(const std::string& programFolder,
                                               std::string_view identifier, QWidget* parent)
    : QDialog(parent), m_programFolder(programFolder) {
    setModal(true);
    setWindowTitle("Indicator Descriptions");
    auto* grid = new QGridLayout(this);

    m_list = new QListWidget(this);
    SetControlId(*m_list, kList);
    for (const SIndicatorDescription& description : IndicatorDescriptions()) {
        auto* item = new QListWidgetItem(QString::fromUtf8(description.identifier) + " - " +
                                         QString::fromUtf8(description.name));
        item->setData(Qt::UserRole, QString::fromUtf8(description.identifier));
        m_list->addItem(item);
    }
    // Room for every entry, so that the whole list is seen at once.
    m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() + 24);
    m_list->setMinimumHeight(m_list->sizeHintForRow(0) * m_list->count() +
                             2 * m_list->frameWidth() + 4);

    const QString docFolder = QString::fromStdString(programFolder) + "/Doc";
    m_page = new CDescriptionBrowser(QDir::cleanPath(docFolder), this);
    SetControlId(*m_page, kPage);
    m_page->setMinimumSize(480, 400);

    auto* listLabel = new QLabel("&Indicators:", this);
    SetControlId(*listLabel, kListLabel);
    listLabel->setBuddy(m_list);
    auto* pageLabel = new QLabel("&Description:", this);
    SetControlId(*pageLabel, kPageLabel);
    pageLabel->setBuddy(m_page);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    SetControlId(*close, kClose);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(pageLabel, 0, 1);
    grid->addWidget(m_list, 1, 0);
    grid->addWidget(m_page, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    setTabOrder(m_list, m_page);
    setTabOrder(m_page, close);

    connect(m_list, &QListWidget::currentRowChanged, this, &CIndicatorDescriptions::ShowRow);
    if (!Select(identifier)) m_list->setCurrentRow(0);
    m_list->setFocus();
}

void CIndicatorDescriptions::Show(QWidget* parent, const std::string& programFolder,
                                  std::string_view identifier) {
    // A parent that goes away while the viewer is open takes the viewer along.
    QPointer<CIndicatorDescriptions> viewer =
        new CIndicatorDescriptions(programFolder, identifier, parent);
    viewer->exec();
    delete viewer.data();
}

bool CIndicatorDescriptions::Select(std::string_view identifier) {
    const auto descriptions = IndicatorDescriptions();
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        if (identifier != descriptions[i].identifier) continue;
        const int row = static_cast<int>(i);
        if (m_list->currentRow() == row)
            ShowRow(row);
        else
            m_list->setCurrentRow(row);
        return true;
    }
    return false;
}

std::string CIndicatorDescriptions::Identifier() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

void CIndicatorDescriptions::ShowRow(int row) {
    if (row < 0 || row >= m_list->count()) return;
    const std::string identifier = m_list->item(row)->data(Qt::UserRole).toString().toStdString();
    const QFileInfo page(QString::fromStdString(IndicatorPagePath(m_programFolder, identifier)));
    m_builtIn = !page.isFile() || !page.isReadable() || page.size() == 0;
    if (m_builtIn) {
        m_page->clear();
        m_page->setPlainText(QString::fromStdString(BuiltInDescription(identifier)));
        return;
    }
    m_page->setSource(QUrl::fromLocalFile(page.absoluteFilePath()), QTextDocument::HtmlResource);
}

void CIndicatorDescriptions::setVisible(bool visible) {
    if (visible && !m_translated) {
        m_translated = true;
        TranslateWidgets(*this, kDialogId);
    }
    QDialog::setVisible(visible);
}

CIndicatorDescriptions::ShownHook CIndicatorDescriptions::SetShownHook(ShownHook hook) {
    std::swap(ShownHookSlot(), hook);
    return hook;
}

void CIndicatorDescriptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const ShownHook& hook = ShownHookSlot())
        QMetaObject::invokeMethod(
            this, [this, hook] { hook(*this); }, Qt::QueuedConnection);
}
