#include "CStockSelectDialog.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "formset/SFieldError.h"
#include "quotefetch/CStockSelection.h"
#include "quotefetch/FixedTexts.h"
#include "settings/CInstallPaths.h"
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr unsigned kSymbolTitle = 31;
constexpr unsigned kNameTitle = 32;
constexpr unsigned kMarketTitle = 35;
constexpr unsigned kStocksSelected = 503;

// Room for about this many rows and characters in each list.
constexpr int kListRows = 14;
constexpr int kListChars = 52;

QString StringText(unsigned id) {
    return QString::fromStdString(CLanguage::TranslateString(id).value_or(""));
}

QTreeWidget* SymbolList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(3);
    list->setHeaderLabels(
        {StringText(kSymbolTitle), StringText(kNameTitle), StringText(kMarketTitle)});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    const QFontMetrics metrics = list->fontMetrics();
    list->setMinimumSize(metrics.averageCharWidth() * kListChars,
                         metrics.lineSpacing() * kListRows);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    list->setColumnWidth(0, metrics.averageCharWidth() * 10);
    list->setColumnWidth(2, metrics.averageCharWidth() * 8);
    return list;
}

void AddSymbolRow(QTreeWidget& list, const std::string& symbol, const std::string& name,
                  const std::string& market) {
    auto* item = new QTreeWidgetItem(&list);
    item->setText(0, QString::fromStdString(symbol));
    item->setText(1, QString::fromStdString(name));
    item->setText(2, QString::fromStdString(market));
}

std::vector<size_t> MarkedRows(const QTreeWidget& list) {
    std::vector<size_t> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows())
        rows.push_back(static_cast<size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Keys a control takes for itself rather than leaving them to the dialog (Enter would be OK).
class CControlKeys : public QObject {
public:
    CControlKeys(QObject* parent, std::vector<int> keys, std::function<void()> action)
        : QObject(parent), m_keys(std::move(keys)), m_action(std::move(action)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (plain && std::find(m_keys.begin(), m_keys.end(), key->key()) != m_keys.end()) {
                m_action();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::vector<int> m_keys;
    std::function<void()> m_action;
};

} // namespace

CStockSelectDialog::CStockSelectDialog(const CStockSelectModel& model, CStockSelection& selection,
                                       QWidget* parent)
    : CFormsetDialogOf(kDialogId, model, parent), m_selection(selection) {
    setWindowTitle(QStringLiteral("Stock Select"));

    m_market = NewControl<QComboBox>(kMarketId);
    m_filter = NewControl<QLineEdit>(kFilterId);
    m_filter->setClearButtonEnabled(true);
    m_available = SymbolList(Body());
    SetControlId(*m_available, kAvailableId);
    m_add = NewControl<QPushButton>(kAddId);
    m_add->setText(QStringLiteral("&Add >"));
    m_remove = NewControl<QPushButton>(kRemoveId);
    m_remove->setText(QStringLiteral("< &Remove"));
    m_all = NewControl<QPushButton>(kAllId);
    m_all->setText(QStringLiteral("A&ll >>"));
    m_none = NewControl<QPushButton>(kNoneId);
    m_none->setText(QStringLiteral("<< &None"));
    for (QPushButton* button : {m_add, m_remove, m_all, m_none}) button->setAutoDefault(false);
    m_selected = SymbolList(Body());
    SetControlId(*m_selected, kSelectedId);
    m_count = NewControl<QLabel>(kCountId);
    m_count->setTextFormat(Qt::PlainText);
    m_availableText = NewControl<QLabel>(kAvailableTextId);
    m_availableText->setTextFormat(Qt::PlainText);
    m_availableText->setWordWrap(true);

    auto* grid = new QGridLayout(Body());
    auto* top = new QGridLayout;
    top->addWidget(NewLabel(QStringLiteral("&Market:"), *m_market, kMarketLabelId), 0, 0);
    top->addWidget(m_market, 0, 1);
    top->addWidget(NewLabel(QStringLiteral("&Filter:"), *m_filter, kFilterLabelId), 1, 0);
    top->addWidget(m_filter, 1, 1);
    top->setColumnStretch(1, 1);
    // Above both lists, so that they share the width evenly.
    grid->addLayout(top, 0, 0, 1, 3);
    grid->addWidget(NewLabel(QStringLiteral("A&vailable:"), *m_available, kAvailableLabelId), 1, 0);
    grid->addWidget(m_available, 2, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {m_add, m_remove, m_all, m_none}) buttons->addWidget(button);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 1);
    grid->addWidget(NewLabel(QStringLiteral("&Selected:"), *m_selected, kSelectedLabelId), 1, 2);
    grid->addWidget(m_selected, 2, 2);
    grid->addWidget(m_availableText, 3, 0);
    grid->addWidget(m_count, 3, 2, Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    setTabOrder(m_market, m_filter);
    setTabOrder(m_filter, m_available);
    setTabOrder(m_available, m_add);
    setTabOrder(m_add, m_remove);
    setTabOrder(m_remove, m_all);
    setTabOrder(m_all, m_none);
    setTabOrder(m_none, m_selected);

    connect(m_market, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || index == Copy().Market()) return;
        Copy().SetMarket(index);
        ShowAvailable();
    });
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        Copy().SetFilter(text.toStdString());
        ShowAvailable();
    });
    connect(m_add, &QPushButton::clicked, this, [this] { AddMarked(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { RemoveMarked(); });
    connect(m_all, &QPushButton::clicked, this, [this] {
        Copy().AddAll();
        ShowSelected();
    });
    connect(m_none, &QPushButton::clicked, this, [this] {
        Copy().RemoveAll();
        ShowSelected();
    });
    connect(m_available, &QTreeWidget::itemDoubleClicked, this, [this] { AddMarked(); });
    connect(m_selected, &QTreeWidget::itemDoubleClicked, this, [this] { RemoveMarked(); });
    // Enter in the filter goes on to the symbols it left, Enter there adds the marked ones,
    // Delete in the selection removes: the dialog is used from the keyboard without closing it.
    m_filter->installEventFilter(new CControlKeys(this, {Qt::Key_Return, Qt::Key_Enter}, [this] {
        m_available->setFocus(Qt::OtherFocusReason);
        if (m_available->topLevelItemCount() > 0 && m_available->selectedItems().isEmpty())
            m_available->setCurrentItem(m_available->topLevelItem(0));
    }));
    m_available->installEventFilter(
        new CControlKeys(this, {Qt::Key_Return, Qt::Key_Enter}, [this] { AddMarked(); }));
    m_selected->installEventFilter(
        new CControlKeys(this, {Qt::Key_Delete}, [this] { RemoveMarked(); }));
}

void CStockSelectDialog::Load() {
    const QSignalBlocker block(m_market);
    m_market->clear();
    for (int i = 0; i < Copy().MarketCount(); ++i)
        m_market->addItem(QString::fromStdString(Copy().MarketLabel(i)));
    m_market->setCurrentIndex(Copy().Market());
    m_filter->setText(QString::fromStdString(Copy().Filter()));
    ShowAvailable();
    ShowSelected();
}

void CStockSelectDialog::ShowAvailable() {
    m_available->setUpdatesEnabled(false);
    m_available->clear();
    const std::string market = Copy().Market() < 0 ? "" : Copy().MarketCode(Copy().Market());
    for (size_t row = 0; row < Copy().ShownCount(); ++row) {
        const CSymbolDatabase::SRecord& record = Copy().ShownSymbol(row);
        AddSymbolRow(*m_available, record.symbol, record.description, market);
    }
    m_available->setUpdatesEnabled(true);
    m_availableText->setText(QString::fromStdString(Copy().AvailableText()));
}

void CStockSelectDialog::ShowSelected() {
    m_selected->setUpdatesEnabled(false);
    m_selected->clear();
    for (const SSelectedStock& stock : Copy().Selected())
        AddSymbolRow(*m_selected, stock.symbol, Copy().NameOf(stock), stock.market);
    m_selected->setUpdatesEnabled(true);
    m_count->setText(QString::number(Copy().Selected().size()) + " " + StringText(kStocksSelected));
}

void CStockSelectDialog::Answer(CStockSelectModel::EChange change) {
    if (change == CStockSelectModel::EChange::NothingMarked)
        CPrompter::Active().ShowMessage(
            CLanguage::TranslateText(kNoItemsSelected, kNoItemsSelected));
}

void CStockSelectDialog::AddMarked() {
    const CStockSelectModel::EChange change = Copy().Add(MarkedRows(*m_available));
    if (change == CStockSelectModel::EChange::Changed) ShowSelected();
    Answer(change);
}

void CStockSelectDialog::RemoveMarked() {
    const std::vector<size_t> rows = MarkedRows(*m_selected);
    const CStockSelectModel::EChange change = Copy().Remove(rows);
    if (change == CStockSelectModel::EChange::Changed) {
        ShowSelected();
        // The keyboard stays where the removed rows were.
        const int next =
            std::min<int>(static_cast<int>(rows.front()), m_selected->topLevelItemCount() - 1);
        if (next >= 0) m_selected->setCurrentItem(m_selected->topLevelItem(next));
    }
    Answer(change);
}

void CStockSelectDialog::accept() {
    if (CFileResult written = m_selection.Assign(Copy().Selected()); !written) {
        CPrompter::Active().ShowMessage(FillPlaceholders(
            CLanguage::TranslateText("SelectionNotSaved", "The selection was not saved: %s"),
            {{"%s", written.message()}}));
        m_selected->setFocus(Qt::OtherFocusReason);
        return;
    }
    CFormsetDialogOf::accept();
}

void CStockSelectDialog::setVisible(bool visible) {
    CFormsetDialogOf::setVisible(visible);
    // Long symbol lists want room: the dialog may grow beyond its first size.
    if (visible) layout()->setSizeConstraint(QLayout::SetMinimumSize);
}

bool CStockSelectDialog::Run(CStockSelection& selection, CStockSelectModel model, QWidget* parent) {
    QPointer<CStockSelectDialog> dialog = new CStockSelectDialog(model, selection, parent);
    const int result = dialog->exec();
    if (!dialog) return false;
    delete dialog.data();
    return result == QDialog::Accepted;
}

bool CStockSelectDialog::Run(CStockSelection& selection, const CInstallPaths& paths,
                             QWidget* parent) {
    // A missing or malformed market.txt offers no market; the selection can still be edited.
    CMarketList markets;
    (void)markets.Load(paths.MarketList());
    return Run(selection,
               CStockSelectModel(markets, selection.Stocks(),
                                 CStockSelectModel::DatabaseSource(paths.SystemFolder())),
               parent);
}
