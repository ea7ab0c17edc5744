#pragma once
#include "formset/qt/CFormsetDialogOf.h"
#include "quotefetch/CStockSelectModel.h"

class CInstallPaths;
class CStockSelection;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The "Stock Select" dialog (dialog 140): the market, a filter, the market's symbols
// (Symbol, Stock Name, Market), Add, Remove, All, None and the symbols selected. Add or
// Remove with nothing marked says so. Enter in the filter moves to the symbols, Enter there
// adds the marked ones, Delete in the selection removes them. OK writes the selection
// (CStockSelection::Assign); when the file cannot be written the failure is shown and the dialog
// stays open. Cancel, Escape and the close button change nothing.
class CStockSelectDialog : public CFormsetDialogOf<CStockSelectModel> {
public:
    static constexpr unsigned kDialogId = 140;
    static constexpr unsigned kMarketId = 1001;
    static constexpr unsigned kFilterId = 1002;
    static constexpr unsigned kAvailableId = 1003;
    static constexpr unsigned kSelectedId = 1004;
    static constexpr unsigned kAddId = 1005;
    static constexpr unsigned kRemoveId = 1006;
    static constexpr unsigned kAllId = 1007;
    static constexpr unsigned kNoneId = 1008;
    static constexpr unsigned kCountId = 1009;
    static constexpr unsigned kAvailableTextId = 1010;
    static constexpr unsigned kMarketLabelId = 1101;
    static constexpr unsigned kFilterLabelId = 1102;
    static constexpr unsigned kAvailableLabelId = 1103;
    static constexpr unsigned kSelectedLabelId = 1104;

    CStockSelectDialog(const CStockSelectModel& model, CStockSelection& selection, QWidget* parent);

    void accept() override;
    void setVisible(bool visible) override;

    // The modal dialog over `selection` with the markets and symbol databases given; true
    // when OK wrote a new selection.
    static bool Run(CStockSelection& selection, CStockSelectModel model, QWidget* parent);
    // The same over the installation's market.txt and System/<market>.Dat files.
    static bool Run(CStockSelection& selection, const CInstallPaths& paths, QWidget* parent);

    QComboBox* MarketBox() const { return m_market; }
    QLineEdit* FilterEdit() const { return m_filter; }
    QTreeWidget* AvailableList() const { return m_available; }
    QTreeWidget* SelectedList() const { return m_selected; }

protected:
    void Load() override;
    std::optional<SFieldError> Store() override { return std::nullopt; }

private:
    void ShowAvailable();
    void ShowSelected();
    // The text shown for Add or Remove with nothing marked.
    void Answer(CStockSelectModel::EChange change);
    void AddMarked();
    void RemoveMarked();

    CStockSelection& m_selection;
    QComboBox* m_market = nullptr;
    QLineEdit* m_filter = nullptr;
    QTreeWidget* m_available = nullptr;
    QTreeWidget* m_selected = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_all = nullptr;
    QPushButton* m_none = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_availableText = nullptr;
};
