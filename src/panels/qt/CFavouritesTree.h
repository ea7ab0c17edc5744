#pragma once
#include <QTreeWidget>
#include <vector>

// The tree of the favourites page: items with a label (column 0) and an info text (column 1),
// with the operations the page needs from a property tree.
class CFavouritesTree : public QTreeWidget {
public:
    using Item = QTreeWidgetItem;

    explicit CFavouritesTree(QWidget* parent = nullptr);
    // Made in `rect` of `parent`.
    CFavouritesTree(QWidget* parent, const QRect& rect);

    // Under `parent`, or at the root when it is null; the new item comes back.
    Item* InsertItem(Item* parent, const QString& label, const QString& info = {});
    static void SetLabelText(Item& item, const QString& text) { item.setText(0, text); }
    static QString LabelText(const Item& item) { return item.text(0); }
    static void SetInfoText(Item& item, const QString& text) { item.setText(1, text); }
    static QString InfoText(const Item& item) { return item.text(1); }
    void Expand(Item& item, bool expand = true) { item.setExpanded(expand); }

    Item* FocusedItem() const { return currentItem(); }
    static Item* Parent(const Item& item) { return item.parent(); }
    static bool IsRootLevel(const Item& item) { return item.parent() == nullptr; }
    // The invisible item the top-level items hang under.
    Item* Root() const { return invisibleRootItem(); }
    // The items a user sees now: top-level items and the children of expanded ones, in order.
    std::vector<Item*> VisibleList() const;

    // Deletes the item and everything under it.
    void DeleteItem(Item* item);
    void DeleteAllItems() { clear(); }
    // Collapses every item, so that only the top level stays visible.
    void ClearVisibleList() { collapseAll(); }
    // Lays the items out again after changes.
    void RefreshItems();
};
