// Not a test: writes PNGs of "Organize Favorites" into the folder named first on the command
// line, as built and in a language of long words (run with QT_SCALE_FACTOR=2 for the scaled
// look). The dialog shows three groups, the second opened on its second entry.
#include "../dialog/LongWords.h"
#include "TestFiles.h"
#include "formset/qt/favourites/COrganizeFavouritesFormset.h"
#include <QApplication>
#include <QTreeWidget>

using long_words::GrabAsBuiltAndLong;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TempDir dir;
    const std::string fav = dir.Path() + "/fav/";
    const CFavourites favourites(fav);
    (void)favourites.NewGroup("Banks");
    (void)favourites.Save("Banks", {{"JPM", "JPMorgan Chase & Co.", "NYSE"}});
    (void)favourites.NewGroup("Technology");
    (void)favourites.Save("Technology", {{"IBM", "International Business Machines", "NYSE"},
                                         {"MSFT", "Microsoft Corporation", "NASDAQ"},
                                         {"AAPL", "Apple Inc.", "NASDAQ"}});
    (void)favourites.NewGroup("Watch list");
    const CFavouritesEdit edit = CFavouritesEdit::Load(fav);
    GrabAsBuiltAndLong(
        [&] {
            auto dialog = std::make_unique<COrganizeFavouritesFormset>(edit, nullptr);
            dialog->show();
            auto* tree =
                qobject_cast<QTreeWidget*>(FindControl(*dialog, COrganizeFavouritesFormset::kTree));
            tree->setCurrentItem(tree->topLevelItem(1)->child(1));
            return dialog;
        },
        folder, "organizefavourites", app.devicePixelRatio());
    return 0;
}
