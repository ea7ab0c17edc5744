#include "COrganizeFavouritesFormset.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kGroupRole = Qt::UserRole;
constexpr int kEntryRole = Qt::UserRole + 1;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}
} // namespace

COrganizeFavouritesFormset::COrganizeFavouritesFormset(const CFavouritesEdit& edit, QWidget* parent)
    : CFormsetDialogOf(kDialogId, edit, parent) {
    setWindowTitle("Organize Favorites");
    auto* grid = new QGridLayout(Body());

    m_tree = NewControl<QTreeWidget>(kTree);
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({Text(CLanguage::TranslateText("FavouriteSymbol", "Symbol")),
                             Text(CLanguage::TranslateText("FavouriteName", "Name")),
                             Text(CLanguage::TranslateText("FavouriteMarket", "Market"))});
    m_tree->setMinimumSize(460, 320);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_tree->setColumnWidth(0, 140);
    m_tree->setColumnWidth(2, 80);
    grid->addWidget(NewLabel("&Favorites:", *m_tree, kTreeLabel), 0, 0, 1, 2);
    grid->addWidget(m_tree, 1, 0, 1, 2);

    m_name = NewControl<QLineEdit>(kName);
    m_name->setMaxLength(static_cast<int>(CFavouritesEdit::kMaxNameLength) * 4);
    AddRow(*grid, 2, "&Group name:", *m_name, kNameLabel);

    auto* buttons = new QVBoxLayout;
    auto button = [&](unsigned id, const char* text) {
        auto* b = NewControl<QPushButton>(id);
        b->setText(text);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_newGroup = button(kNewGroup, "&New group");
    m_rename = button(kRename, "&Rename");
    m_deleteGroup = button(kDeleteGroup, "&Delete group");
    buttons->addSpacing(12);
    m_moveTarget = NewControl<QComboBox>(kMoveTarget);
    buttons->addWidget(NewLabel("Move &to:", *m_moveTarget, kMoveLabel));
    buttons->addWidget(m_moveTarget);
    m_move = button(kMove, "&Move entry");
    m_deleteEntry = button(kDeleteEntry, "Delete &entry");
    buttons->addSpacing(12);
    m_up = button(kUp, "&Up");
    m_down = button(kDown, "Do&wn");
    buttons->addStretch();
    grid->addLayout(buttons, 1, 2, 2, 1);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { UpdateControls(); });
    // Delete in the tree deletes what is current there, as the two Delete buttons do.
    auto* remove =
        new QShortcut(QKeySequence::Delete, m_tree, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] {
        if (Current().second >= 0)
            OnDeleteEntry();
        else
            OnDeleteGroup();
    });
    connect(m_newGroup, &QPushButton::clicked, this, [this] { OnNewGroup(); });
    connect(m_rename, &QPushButton::clicked, this, [this] { OnRename(); });
    connect(m_deleteGroup, &QPushButton::clicked, this, [this] { OnDeleteGroup(); });
    connect(m_move, &QPushButton::clicked, this, [this] { OnMove(); });
    connect(m_deleteEntry, &QPushButton::clicked, this, [this] { OnDeleteEntry(); });
    connect(m_up, &QPushButton::clicked, this, [this] { OnUpDown(true); });
    connect(m_down, &QPushButton::clicked, this, [this] { OnUpDown(false); });
}

bool COrganizeFavouritesFormset::Ask(QWidget* parent, CFavouritesEdit& edit) {
    return DialogOnCopy<COrganizeFavouritesFormset>(parent)(edit);
}

void COrganizeFavouritesFormset::Load() {
    Fill(Copy().Groups().empty() ? -1 : 0, -1);
}

void COrganizeFavouritesFormset::Fill(int group, int entry) {
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    QList<QTreeWidgetItem*> groups;
    const auto& model = Copy().Groups();
    groups.reserve(static_cast<qsizetype>(model.size()));
    QTreeWidgetItem* current = nullptr;
    for (size_t g = 0; g < model.size(); ++g) {
        auto* item = new QTreeWidgetItem({Text(model[g].name)});
        item->setData(0, kGroupRole, static_cast<int>(g));
        item->setData(0, kEntryRole, -1);
        item->setFirstColumnSpanned(false);
        if (static_cast<int>(g) == group && entry < 0) current = item;
        for (size_t e = 0; e < model[g].entries.size(); ++e) {
            const CFavourites::SEntry& favourite = model[g].entries[e];
            auto* child = new QTreeWidgetItem(
                item, {Text(favourite.symbol), Text(favourite.name), Text(favourite.market)});
            child->setData(0, kGroupRole, static_cast<int>(g));
            child->setData(0, kEntryRole, static_cast<int>(e));
            if (static_cast<int>(g) == group && static_cast<int>(e) == entry) current = child;
        }
        groups.push_back(item);
    }
    m_tree->addTopLevelItems(groups);
    if (group >= 0 && group < groups.size()) groups[group]->setExpanded(true);
    if (current) {
        m_tree->setCurrentItem(current);
        m_tree->scrollToItem(current);
    }
    m_tree->setUpdatesEnabled(true);
    UpdateControls();
}

std::pair<int, int> COrganizeFavouritesFormset::Current() const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item) return {-1, -1};
    return {item->data(0, kGroupRole).toInt(), item->data(0, kEntryRole).toInt()};
}

void COrganizeFavouritesFormset::UpdateControls() {
    const auto [group, entry] = Current();
    const auto& groups = Copy().Groups();
    const bool onGroup = group >= 0;
    const bool onEntry = entry >= 0;
    if (onGroup) m_name->setText(Text(groups[static_cast<size_t>(group)].name));
    m_rename->setEnabled(onGroup);
    m_deleteGroup->setEnabled(onGroup);
    m_moveTarget->clear();
    for (size_t g = 0; g < groups.size(); ++g)
        if (static_cast<int>(g) != group) m_moveTarget->addItem(Text(groups[g].name), int(g));
    m_moveTarget->setEnabled(onEntry && m_moveTarget->count() > 0);
    m_move->setEnabled(m_moveTarget->isEnabled());
    m_deleteEntry->setEnabled(onEntry);
    m_up->setEnabled(onEntry && entry > 0);
    m_down->setEnabled(onEntry && static_cast<size_t>(entry) + 1 <
                                      groups[static_cast<size_t>(group)].entries.size());
}

void COrganizeFavouritesFormset::Refuse(const SFieldError& error) {
    CPrompter::Active().ShowMessage(error.message);
    m_name->setFocus(Qt::OtherFocusReason);
    m_name->selectAll();
}

void COrganizeFavouritesFormset::OnNewGroup() {
    if (std::optional<SFieldError> error =
            Copy().NewGroup(m_name->text().toStdString(), FieldName(*m_name).toStdString()))
        return Refuse(*error);
    Fill(static_cast<int>(Copy().Groups().size()) - 1, -1);
    m_tree->setFocus(Qt::OtherFocusReason);
}

void COrganizeFavouritesFormset::OnRename() {
    const int group = Current().first;
    if (group < 0) return;
    if (std::optional<SFieldError> error =
            Copy().Rename(static_cast<size_t>(group), m_name->text().toStdString(),
                          FieldName(*m_name).toStdString()))
        return Refuse(*error);
    Fill(group, Current().second);
}

void COrganizeFavouritesFormset::OnDeleteGroup() {
    const int group = Current().first;
    if (group < 0) return;
    const CFavouritesEdit::SGroup& doomed = Copy().Groups()[static_cast<size_t>(group)];
    if (!doomed.entries.empty() &&
        !CPrompter::Active().AskYesNo(FillPlaceholders(
            CLanguage::TranslateText("DeleteFavouriteGroup",
                                     "The group \"%1\" holds %2 favourites. Delete the group "
                                     "and them?"),
            {{"%1", doomed.name}, {"%2", std::to_string(doomed.entries.size())}})))
        return;
    Copy().DeleteGroup(static_cast<size_t>(group));
    const int left = static_cast<int>(Copy().Groups().size());
    Fill(left == 0 ? -1 : std::min(group, left - 1), -1);
}

void COrganizeFavouritesFormset::OnMove() {
    const auto [group, entry] = Current();
    if (entry < 0 || m_moveTarget->currentIndex() < 0) return;
    const int to = m_moveTarget->currentData().toInt();
    Copy().MoveEntry(static_cast<size_t>(group), static_cast<size_t>(entry),
                     static_cast<size_t>(to));
    const int left = static_cast<int>(Copy().Groups()[static_cast<size_t>(group)].entries.size());
    Fill(group, left == 0 ? -1 : std::min(entry, left - 1));
}

void COrganizeFavouritesFormset::OnDeleteEntry() {
    const auto [group, entry] = Current();
    if (entry < 0) return;
    Copy().DeleteEntry(static_cast<size_t>(group), static_cast<size_t>(entry));
    const int left = static_cast<int>(Copy().Groups()[static_cast<size_t>(group)].entries.size());
    Fill(group, left == 0 ? -1 : std::min(entry, left - 1));
}

void COrganizeFavouritesFormset::OnUpDown(bool up) {
    const auto [group, entry] = Current();
    if (entry < 0) return;
    const size_t g = static_cast<size_t>(group), e = static_cast<size_t>(entry);
    if (up ? Copy().MoveEntryUp(g, e) : Copy().MoveEntryDown(g, e))
        Fill(group, up ? entry - 1 : entry + 1);
}
