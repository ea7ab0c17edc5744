#pragma once
#include <QWidget>
#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;

// The stock name panel: a "List" page (symbol entry field above the market's symbol list), a
// "Data" page (the data file list) and a "Favorites" page (the favourites tree).
class CStockNameBar : public QWidget {
public:
    static constexpr int kListPage = 0;
    static constexpr int kDataPage = 1;
    static constexpr int kFavoritesPage = 2;

    explicit CStockNameBar(QWidget* parent = nullptr);

    int Page() const;
    // An index outside the pages leaves the page as it is.
    void SetPage(int page);
    QLineEdit& SymbolField();

    // Symbol quick entry: the character typed in a chart starts the symbol entry field's text,
    // and the field takes the focus so the user goes on typing there.
    void BeginEntry(char typed);

    // Enter in the symbol entry field, with the field's text.
    std::function<void(const std::string& text)> onSearch;

private:
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_field = nullptr;
    QListWidget* m_symbols = nullptr;
    QListWidget* m_dataFiles = nullptr;
    QTreeWidget* m_favorites = nullptr;
};
