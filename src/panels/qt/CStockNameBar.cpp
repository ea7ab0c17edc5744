#include "CStockNameBar.h"
#include "ctlkit/lang/CLanguage.h"
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// The downloader's column title, the hint of the empty entry field.
constexpr unsigned kSymbolText = 31;
} // namespace

CStockNameBar::CStockNameBar(QWidget* parent) : QWidget(parent) {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("pages");
    m_tabs->setDocumentMode(true);

    auto* listPage = new QWidget;
    m_field = new QLineEdit(listPage);
    m_field->setObjectName("symbolField");
    m_field->setClearButtonEnabled(true);
    m_field->setPlaceholderText(
        QString::fromStdString(CLanguage::TranslateString(kSymbolText).value_or("Symbol")));
    m_symbols = new QListWidget(listPage);
    m_symbols->setObjectName("symbolList");
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(2, 2, 2, 2);
    listLayout->setSpacing(2);
    listLayout->addWidget(m_field);
    listLayout->addWidget(m_symbols, 1);

    m_dataFiles = new QListWidget;
    m_dataFiles->setObjectName("dataFileList");
    m_favorites = new QTreeWidget;
    m_favorites->setObjectName("favoritesTree");
    m_favorites->setHeaderHidden(true);

    // The string table has no texts for the page tabs.
    m_tabs->addTab(listPage, "List");
    m_tabs->addTab(m_dataFiles, "Data");
    m_tabs->addTab(m_favorites, "Favorites");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);

    connect(m_field, &QLineEdit::returnPressed, this, [this] {
        if (onSearch) onSearch(m_field->text().toStdString());
    });
}

int CStockNameBar::Page() const {
    return m_tabs->currentIndex();
}

void CStockNameBar::SetPage(int page) {
    if (page >= 0 && page < m_tabs->count()) m_tabs->setCurrentIndex(page);
}

QLineEdit& CStockNameBar::SymbolField() {
    return *m_field;
}

void CStockNameBar::BeginEntry(char typed) {
    SetPage(kListPage);
    m_field->clear();
    m_field->insert(QString(QLatin1Char(typed)));
    m_field->setFocus(Qt::OtherFocusReason);
}
