#pragma once
#include "formset/favourites/CFavouritesEdit.h"
#include "formset/qt/CFormsetDialogOf.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// "Organize Favorites" (dialog 280): the favourites groups with their entries in a tree;
// groups are made, renamed and deleted, entries moved to another group, deleted and
// reordered, all on the copy; OK hands it back for CFavouritesEdit::Apply().
class COrganizeFavouritesFormset : public CFormsetDialogOf<CFavouritesEdit> {
public:
    static constexpr unsigned kDialogId = 280;
    enum : unsigned {
        kTree = 1000,
        kName = CFavouritesEdit::kNameField,
        kNewGroup = 1010,
        kRename = 1011,
        kDeleteGroup = 1012,
        kMoveTarget = 1013,
        kMove = 1014,
        kDeleteEntry = 1015,
        kUp = 1016,
        kDown = 1017,
        kTreeLabel = 1100,
        kNameLabel = 1101,
        kMoveLabel = 1113,
    };

    COrganizeFavouritesFormset(const CFavouritesEdit& edit, QWidget* parent);

    // The edit on OK, nothing on Cancel: the caller applies it.
    static bool Ask(QWidget* parent, CFavouritesEdit& edit);

private:
    void Load() override;
    std::optional<SFieldError> Store() override { return std::nullopt; }

    // The tree shows the copy again, the item of (group, entry) current; entry -1 is the
    // group itself, group -1 nothing.
    void Fill(int group, int entry);
    // The current item's group and entry (-1 for none).
    std::pair<int, int> Current() const;
    void UpdateControls();
    // Shows the refusal and puts the focus on the name field.
    void Refuse(const SFieldError& error);

    void OnNewGroup();
    void OnRename();
    void OnDeleteGroup();
    void OnMove();
    void OnDeleteEntry();
    void OnUpDown(bool up);

    QTreeWidget* m_tree;
    QLineEdit* m_name;
    QPushButton* m_newGroup;
    QPushButton* m_rename;
    QPushButton* m_deleteGroup;
    QComboBox* m_moveTarget;
    QPushButton* m_move;
    QPushButton* m_deleteEntry;
    QPushButton* m_up;
    QPushButton* m_down;
};
