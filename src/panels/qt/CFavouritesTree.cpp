#include "CFavouritesTree.h"
#include <QHeaderView>

CFavouritesTree::CFavouritesTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setHeaderLabels({"Symbol", "Name"});
    header()->setStretchLastSection(true);
    setUniformRowHeights(true);
}

CFavouritesTree::CFavouritesTree(QWidget* parent, const QRect& rect) : CFavouritesTree(parent) {
    setGeometry(rect);
}

QTreeWidgetItem* CFavouritesTree::InsertItem(Item* parent, const QString& label,
                                             const QString& info) {
    auto* item = new QTreeWidgetItem(parent ? parent : invisibleRootItem());
    item->setText(0, label);
    item->setText(1, info);
    return item;
}

std::vector<QTreeWidgetItem*> CFavouritesTree::VisibleList() const {
    std::vector<Item*> shown;
    for (QTreeWidgetItem* item = topLevelItem(0); item; item = itemBelow(item))
        shown.push_back(item);
    return shown;
}

void CFavouritesTree::DeleteItem(Item* item) {
    delete item;
}

void CFavouritesTree::RefreshItems() {
    resizeColumnToContents(0);
    viewport()->update();
}
