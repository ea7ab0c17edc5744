#pragma once
#include "download/CFavourites.h"
#include "download/CMarketList.h"
#include "panels/CSymbolList.h"
#include "settings/SetupSettings.h"
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CFavouritesTree;
class CSymbolListModel;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

// The folders the panel reads, each with a trailing "/".
struct SNameBarFolders {
    std::string index;      // market.txt
    std::string system;     // <market>.Dat
    std::string data;       // <market>/<symbol>.csv
    std::string favourites; // <group>/list.dat
};

// The stock name panel: a "List" page (market selector, symbol entry field, the market's
// symbols), a "Data Files" page (the quote files of the market's folder, kept up to date) and a
// "Favorites" page (the favourites groups and their symbols).
class CStockNameBar : public QWidget {
public:
    static constexpr int kListPage = 0;
    static constexpr int kDataPage = 1;
    static constexpr int kFavoritesPage = 2;

    explicit CStockNameBar(QWidget* parent = nullptr);
    ~CStockNameBar() override;

    // Reads market.txt, selects the market of `settings` (the first for an index outside the
    // list), loads its database and fills the three pages.
    void Open(const SNameBarFolders& folders, const NameBarSettings& settings);
    // The market index and order to store.
    NameBarSettings Settings() const;

    int Page() const;
    // An index outside the pages leaves the page as it is.
    void SetPage(int page);
    QLineEdit& SymbolField();

    // Symbol quick entry: the character typed in a chart starts the symbol entry field's text,
    // and the field takes the focus so the user goes on typing there.
    void BeginEntry(char typed);

    const CMarketList& Markets() const { return m_markets; }
    int MarketIndex() const { return m_marketIndex; }
    // The code of the selected market, empty with none.
    std::string Market() const;
    // Selects the market and loads its database and data files; an index outside the list is
    // ignored.
    void SelectMarket(int index);
    void SetByName(bool byName);
    const CSymbolList& Symbols() const { return m_symbols; }
    // The line under the list: why it is empty, or what the last search found nothing for.
    QString Problem() const;
    // The selected row of the list, -1 with none.
    int SelectedRow() const;

    // Selects the symbol the text stands for and scrolls it into view; false (the field's
    // tooltip and the status text say so) for no match.
    bool Search(const QString& text);
    // Reloads the database of the selected market and the list shown.
    void ReloadDatabase();
    void RefreshDataFiles();
    void RefreshFavourites();
    // The symbol and market of the selected favourites entry.
    std::optional<CFavourites::SEntry> SelectedFavourite() const;
    // Adds the symbol of `market` to the group, its name from the databases, and shows it.
    bool AddFavourite(const std::string& group, const std::string& symbol,
                      const std::string& market);
    // Deletes the selected favourites entry from its group.
    bool DeleteSelectedFavourite();

    // The right-click menus: of the list (on `row`, -1 for none: Open, Open in New Chart,
    // Order by Name) and of the favourites (Add the active chart's symbol to a group, Delete,
    // Organize Favorites).
    std::unique_ptr<QMenu> MakeListMenu(int row);
    std::unique_ptr<QMenu> MakeFavouritesMenu();

    // Enter in the symbol entry field, with the field's text.
    std::function<void(const std::string& text)> onSearch;
    // A symbol picked: open its chart, in a new window when `newChart`.
    std::function<void(const std::string& symbol, const std::string& market, bool newChart)>
        onOpenSymbol;
    // A text for the status bar.
    std::function<void(const QString& text)> onStatusText;
    // The symbol and market of the active chart (none without one): what "Add" adds.
    std::function<std::optional<CFavourites::SEntry>()> activeChart;
    // A command of the panel's menus carried out by the frame (the organiser).
    std::function<void(unsigned id)> onCommand;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeListPage();
    QWidget* MakeDataPage();
    QWidget* MakeFavouritesPage();
    void SelectRow(int row);
    void OpenRow(int row, bool newChart);
    void OpenDataFile(QTreeWidgetItem* item);
    void OpenFavourite(QTreeWidgetItem* item);
    void WatchDataFolder();
    void ShowListMenu(const QPoint& at);
    void ShowFavouritesMenu(const QPoint& at);
    void SetProblem(const QString& text);
    void Tell(const QString& text);

    SNameBarFolders m_folders;
    CMarketList m_markets;
    QString m_marketProblem;
    int m_marketIndex = -1;
    CSymbolList m_symbols;
    QString m_lastFound;

    QTabWidget* m_tabs = nullptr;
    QComboBox* m_marketBox = nullptr;
    QLineEdit* m_field = nullptr;
    QTreeView* m_list = nullptr;
    CSymbolListModel* m_model = nullptr;
    QLabel* m_problem = nullptr;
    QTreeWidget* m_dataFiles = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    CFavouritesTree* m_favorites = nullptr;
};
