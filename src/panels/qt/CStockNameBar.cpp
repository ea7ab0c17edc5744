#include "CStockNameBar.h"
#include "CFavouritesTree.h"
#include "ctlkit/lang/CLanguage.h"
#include "panels/DataFileList.h"
#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

namespace {
// The downloader's column title, the hint of the empty entry field.
constexpr unsigned kSymbolText = 31;
constexpr unsigned kCmdOrganizeFavourites = 33030;
// Favourites entries keep their market here; groups have none.
constexpr int kMarketRole = Qt::UserRole + 1;
constexpr int kSymbolRole = Qt::UserRole + 2;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
} // namespace

// The symbol list as a two-column model: the label (symbol or name) and the other text.
class CSymbolListModel : public QAbstractTableModel {
public:
    explicit CSymbolListModel(const CSymbolList& list, QObject* parent)
        : QAbstractTableModel(parent), m_list(list) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_list.Count());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override {
        // Names cut at the panel's edge are read in full in the tooltip.
        if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) return {};
        const size_t row = static_cast<size_t>(index.row());
        return Q(index.column() == 0 ? m_list.Label(row) : m_list.Other(row));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        const bool symbolFirst = !m_list.ByName();
        return (section == 0) == symbolFirst ? QString("Symbol") : QString("Name");
    }
    // The list changed as a whole.
    void Reset() {
        beginResetModel();
        endResetModel();
    }

private:
    const CSymbolList& m_list;
};

CStockNameBar::CStockNameBar(QWidget* parent) : QWidget(parent) {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("pages");
    m_tabs->setDocumentMode(true);
    m_tabs->setElideMode(Qt::ElideNone);
    // The string table has no texts for the page tabs.
    m_tabs->addTab(MakeListPage(), "List");
    m_tabs->addTab(MakeDataPage(), "Data Files");
    m_tabs->addTab(MakeFavouritesPage(), "Favorites");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
}

CStockNameBar::~CStockNameBar() = default;

QWidget* CStockNameBar::MakeListPage() {
    auto* page = new QWidget;
    m_marketBox = new QComboBox(page);
    m_marketBox->setObjectName("marketBox");
    m_field = new QLineEdit(page);
    m_field->setObjectName("symbolField");
    m_field->setClearButtonEnabled(true);
    m_field->setPlaceholderText(Q(CLanguage::TranslateString(kSymbolText).value_or("Symbol")));
    m_field->installEventFilter(this);

    m_model = new CSymbolListModel(m_symbols, this);
    m_list = new QTreeView(page);
    m_list->setObjectName("symbolList");
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setStretchLastSection(true);
    m_list->header()->resizeSection(0, 90);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);

    m_problem = new QLabel(page);
    m_problem->setObjectName("listProblem");
    m_problem->setWordWrap(true);
    m_problem->hide();

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_marketBox);
    layout->addWidget(m_field);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_problem);

    connect(m_marketBox, &QComboBox::activated, this, [this](int index) { SelectMarket(index); });
    connect(m_field, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_lastFound.clear();
        if (auto row = m_symbols.Find(text.toStdString())) SelectRow(static_cast<int>(*row));
    });
    connect(m_list, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenRow(index.row(), false); });
    connect(m_list, &QWidget::customContextMenuRequested, this, &CStockNameBar::ShowListMenu);
    return page;
}

QWidget* CStockNameBar::MakeDataPage() {
    m_dataFiles = new QTreeWidget;
    m_dataFiles->setObjectName("dataFileList");
    m_dataFiles->setColumnCount(3);
    m_dataFiles->setHeaderLabels({"File", "Size", "Last Change"});
    m_dataFiles->setRootIsDecorated(false);
    m_dataFiles->setUniformRowHeights(true);
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this](const QString&) { RefreshDataFiles(); });
    connect(m_dataFiles, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { OpenDataFile(item); });
    return m_dataFiles;
}

QWidget* CStockNameBar::MakeFavouritesPage() {
    m_favorites = new CFavouritesTree;
    m_favorites->setObjectName("favoritesTree");
    m_favorites->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_favorites, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { OpenFavourite(item); });
    connect(m_favorites, &QWidget::customContextMenuRequested, this,
            &CStockNameBar::ShowFavouritesMenu);
    return m_favorites;
}

void CStockNameBar::Open(const SNameBarFolders& folders, const NameBarSettings& settings) {
    m_folders = folders;
    m_symbols.SetByName(settings.byName);
    const std::string path = folders.index + "market.txt";
    const CFileResult loaded = m_markets.Load(path);
    m_marketProblem.clear();
    if (!loaded) {
        m_marketProblem = loaded.kind() == CFileResult::EKind::CannotOpen
                              ? QString("No markets: %1 is missing.").arg(Q(path))
                              : QString("No markets: %1 is malformed (its first line is not "
                                        "\"Market, FullName, Suffix\" with tabs).")
                                    .arg(Q(path));
    }
    m_marketBox->clear();
    for (size_t i = 0; i < m_markets.Codes().size(); ++i)
        m_marketBox->addItem(Q(m_markets.FullNames()[i]), Q(m_markets.Codes()[i]));
    const int count = static_cast<int>(m_markets.Codes().size());
    m_marketIndex = -1;
    if (count > 0)
        SelectMarket(settings.marIndex >= 0 && settings.marIndex < count ? settings.marIndex : 0);
    else {
        m_symbols.Clear();
        m_model->Reset();
        SetProblem(m_marketProblem);
        RefreshDataFiles();
    }
    RefreshFavourites();
}

NameBarSettings CStockNameBar::Settings() const {
    NameBarSettings settings;
    settings.marIndex = m_marketIndex < 0 ? 0 : m_marketIndex;
    settings.byName = m_symbols.ByName();
    return settings;
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
    m_lastFound.clear();
    if (auto row = m_symbols.Find(std::string(1, typed))) SelectRow(static_cast<int>(*row));
    m_field->setFocus(Qt::OtherFocusReason);
}

std::string CStockNameBar::Market() const {
    if (m_marketIndex < 0 || m_marketIndex >= static_cast<int>(m_markets.Codes().size())) return {};
    return m_markets.Codes()[static_cast<size_t>(m_marketIndex)];
}

void CStockNameBar::SelectMarket(int index) {
    if (index < 0 || index >= static_cast<int>(m_markets.Codes().size())) return;
    m_marketIndex = index;
    m_marketBox->setCurrentIndex(index);
    ReloadDatabase();
    RefreshDataFiles();
}

void CStockNameBar::SetByName(bool byName) {
    if (byName == m_symbols.ByName()) return;
    std::string selected;
    if (int row = SelectedRow(); row >= 0) selected = m_symbols.At(static_cast<size_t>(row)).symbol;
    m_symbols.SetByName(byName);
    m_model->Reset();
    if (!selected.empty())
        if (auto row = m_symbols.Find(selected)) SelectRow(static_cast<int>(*row));
}

void CStockNameBar::ReloadDatabase() {
    const std::string market = Market();
    if (market.empty()) return;
    const std::string path = m_folders.system + market + ".Dat";
    CSymbolDatabase database;
    const CFileResult loaded = database.Load(path);
    m_symbols.Assign(database.TakeRecords());
    m_model->Reset();
    m_lastFound.clear();
    if (!loaded)
        SetProblem(QString("The symbol database %1 cannot be opened.").arg(Q(path)));
    else if (m_symbols.Count() == 0)
        SetProblem(QString("The symbol database %1 holds no symbols.").arg(Q(path)));
    else
        SetProblem({});
}

QString CStockNameBar::Problem() const {
    return m_problem->text();
}

void CStockNameBar::SetProblem(const QString& text) {
    m_problem->setText(text);
    m_problem->setVisible(!text.isEmpty());
}

void CStockNameBar::Tell(const QString& text) {
    if (onStatusText) onStatusText(text);
}

int CStockNameBar::SelectedRow() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CStockNameBar::SelectRow(int row) {
    const QModelIndex index = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_list->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool CStockNameBar::Search(const QString& text) {
    const std::optional<size_t> row = m_symbols.Find(text.toStdString());
    if (!row) {
        m_lastFound.clear();
        const QString message = QString("No symbol matches %1").arg(text);
        m_field->setToolTip(message);
        if (m_field->isVisible())
            QToolTip::showText(m_field->mapToGlobal(QPoint(0, m_field->height())), message,
                               m_field);
        Tell(message);
        return false;
    }
    m_field->setToolTip({});
    SelectRow(static_cast<int>(*row));
    m_lastFound = text;
    return true;
}

void CStockNameBar::OpenRow(int row, bool newChart) {
    if (row < 0 || row >= static_cast<int>(m_symbols.Count())) return;
    if (onOpenSymbol)
        onOpenSymbol(m_symbols.At(static_cast<size_t>(row)).symbol, Market(), newChart);
}

bool CStockNameBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QWidget::eventFilter(watched, event);
    const bool newChart = key->modifiers() & Qt::ControlModifier;
    if (watched == m_field) {
        const QString text = m_field->text();
        if (onSearch) onSearch(text.toStdString());
        // The first Enter finds and selects, the next one on the same text opens.
        if (!m_lastFound.isEmpty() && m_lastFound == text && SelectedRow() >= 0)
            OpenRow(SelectedRow(), newChart);
        else if (!text.isEmpty())
            Search(text);
        return true;
    }
    if (watched == m_list) {
        OpenRow(m_list->currentIndex().row(), newChart);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

std::unique_ptr<QMenu> CStockNameBar::MakeListMenu(int row) {
    auto menu = std::make_unique<QMenu>(this);
    const bool onRow = row >= 0 && row < static_cast<int>(m_symbols.Count());
    QAction* open = menu->addAction("&Open");
    QAction* openNew = menu->addAction("Open in &New Chart");
    open->setEnabled(onRow);
    openNew->setEnabled(onRow);
    connect(open, &QAction::triggered, this, [this, row] { OpenRow(row, false); });
    connect(openNew, &QAction::triggered, this, [this, row] { OpenRow(row, true); });
    menu->addSeparator();
    QAction* byName = menu->addAction("Order by &Name");
    byName->setCheckable(true);
    byName->setChecked(m_symbols.ByName());
    connect(byName, &QAction::triggered, this, [this](bool on) { SetByName(on); });
    return menu;
}

void CStockNameBar::ShowListMenu(const QPoint& at) {
    const QModelIndex index = m_list->indexAt(at);
    MakeListMenu(index.isValid() ? index.row() : -1)->exec(m_list->viewport()->mapToGlobal(at));
}

// ---------------------------------------------------------------------------------------
// Data files

void CStockNameBar::WatchDataFolder() {
    if (!m_watcher->directories().isEmpty()) m_watcher->removePaths(m_watcher->directories());
    const std::string market = Market();
    if (m_folders.data.empty()) return;
    const QString folder = Q(m_folders.data + market);
    // The market folder may not exist yet: the data folder tells when it is made.
    if (!market.empty() && QDir(folder).exists())
        m_watcher->addPath(folder);
    else if (QDir(Q(m_folders.data)).exists())
        m_watcher->addPath(Q(m_folders.data));
}

void CStockNameBar::RefreshDataFiles() {
    WatchDataFolder();
    m_dataFiles->clear();
    const std::string market = Market();
    if (market.empty()) return;
    for (const SDataFile& file : ListDataFiles(m_folders.data + market)) {
        auto* item = new QTreeWidgetItem(m_dataFiles);
        item->setText(0, Q(file.name));
        item->setText(1, QString::number(file.size));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(2, QDateTime::fromSecsSinceEpoch(file.modified).toString("yyyy-MM-dd hh:mm"));
    }
    m_dataFiles->resizeColumnToContents(0);
    m_dataFiles->resizeColumnToContents(1);
}

void CStockNameBar::OpenDataFile(QTreeWidgetItem* item) {
    if (!item || !onOpenSymbol) return;
    onOpenSymbol(SymbolOfDataFile(item->text(0).toStdString()), Market(), false);
}

// ---------------------------------------------------------------------------------------
// Favourites

void CStockNameBar::RefreshFavourites() {
    m_favorites->DeleteAllItems();
    if (m_folders.favourites.empty()) return;
    const CFavourites favourites(m_folders.favourites);
    for (const std::string& group : favourites.Groups()) {
        CFavouritesTree::Item* groupItem = m_favorites->InsertItem(nullptr, Q(group));
        std::vector<CFavourites::SEntry> entries;
        // A group without a list yet shows empty.
        (void)favourites.Load(group, entries);
        for (const CFavourites::SEntry& entry : entries) {
            CFavouritesTree::Item* item = m_favorites->InsertItem(
                groupItem, Q(entry.symbol), Q(entry.name + ", " + entry.market));
            item->setToolTip(1, CFavouritesTree::InfoText(*item));
            item->setData(0, kSymbolRole, Q(entry.symbol));
            item->setData(0, kMarketRole, Q(entry.market));
        }
        m_favorites->Expand(*groupItem);
    }
    m_favorites->RefreshItems();
}

std::optional<CFavourites::SEntry> CStockNameBar::SelectedFavourite() const {
    CFavouritesTree::Item* item = m_favorites->FocusedItem();
    if (!item || CFavouritesTree::IsRootLevel(*item)) return std::nullopt;
    CFavourites::SEntry entry;
    entry.symbol = item->data(0, kSymbolRole).toString().toStdString();
    entry.market = item->data(0, kMarketRole).toString().toStdString();
    const QString info = CFavouritesTree::InfoText(*item);
    entry.name = info.left(info.size() - static_cast<int>(entry.market.size()) - 2).toStdString();
    return entry;
}

bool CStockNameBar::AddFavourite(const std::string& group, const std::string& symbol,
                                 const std::string& market) {
    CFavourites::SEntry entry{symbol, {}, market};
    // The market's own database first, then every other market's.
    std::vector<std::string> markets{market};
    for (const std::string& code : m_markets.Codes())
        if (code != market) markets.push_back(code);
    entry.name = LookupSymbolName(m_folders.system, markets, symbol);
    const CFileResult added = CFavourites(m_folders.favourites).Add(group, entry);
    if (!added) {
        Tell(QString("%1 cannot be added to %2: %3").arg(Q(symbol), Q(group), Q(added.message())));
        return false;
    }
    RefreshFavourites();
    return true;
}

bool CStockNameBar::DeleteSelectedFavourite() {
    const std::optional<CFavourites::SEntry> entry = SelectedFavourite();
    if (!entry) return false;
    CFavouritesTree::Item* item = m_favorites->FocusedItem();
    const std::string group =
        CFavouritesTree::LabelText(*CFavouritesTree::Parent(*item)).toStdString();
    const CFileResult removed =
        CFavourites(m_folders.favourites).Remove(group, entry->symbol, entry->market);
    if (!removed) {
        Tell(QString("%1 cannot be deleted from %2: %3")
                 .arg(Q(entry->symbol), Q(group), Q(removed.message())));
        return false;
    }
    m_favorites->DeleteItem(item);
    m_favorites->RefreshItems();
    return true;
}

void CStockNameBar::OpenFavourite(QTreeWidgetItem* item) {
    if (!item || CFavouritesTree::IsRootLevel(*item) || !onOpenSymbol) return;
    onOpenSymbol(item->data(0, kSymbolRole).toString().toStdString(),
                 item->data(0, kMarketRole).toString().toStdString(), false);
}

std::unique_ptr<QMenu> CStockNameBar::MakeFavouritesMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const std::optional<CFavourites::SEntry> chart =
        activeChart ? activeChart() : std::optional<CFavourites::SEntry>{};
    QMenu* add = menu->addMenu(chart ? QString("&Add %1 to").arg(Q(chart->symbol))
                                     : QString("&Add the Chart's Symbol to"));
    add->setObjectName("addTo");
    const std::vector<std::string> groups = CFavourites(m_folders.favourites).Groups();
    for (const std::string& group : groups) {
        QAction* action = add->addAction(Q(group));
        if (chart)
            connect(action, &QAction::triggered, this, [this, group, entry = *chart] {
                AddFavourite(group, entry.symbol, entry.market);
            });
    }
    add->setEnabled(chart.has_value() && !groups.empty());
    QAction* remove = menu->addAction("&Delete");
    remove->setEnabled(SelectedFavourite().has_value());
    connect(remove, &QAction::triggered, this, [this] { DeleteSelectedFavourite(); });
    menu->addSeparator();
    QAction* organise = menu->addAction("&Organize Favorites...");
    connect(organise, &QAction::triggered, this, [this] {
        if (onCommand) onCommand(kCmdOrganizeFavourites);
        RefreshFavourites();
    });
    return menu;
}

void CStockNameBar::ShowFavouritesMenu(const QPoint& at) {
    MakeFavouritesMenu()->exec(m_favorites->viewport()->mapToGlobal(at));
}
