// Writes PNGs of the three docked panels showing the sample ACME series into the folder given
// as the first argument, for looking at; run it with QT_SCALE_FACTOR=2 for the scale 2 images.
#include "AcmeSeries.h"
#include "panels/qt/CStockNameBar.h"
#include "panels/qt/FundPanelWidget.h"
#include "panels/qt/StockInfoPanelWidget.h"
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void Save(QWidget& widget, const std::string& path) {
    if (!widget.grab().save(QString::fromStdString(path)))
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const std::string out = argc > 1 ? std::string(argv[1]) + "/" : "./";
    const std::string tag = argc > 2 ? argv[2] : "x1";
    auto stock = LoadAcme(ZS_SAMPLE_DIR);
    if (!stock) {
        std::fprintf(stderr, "cannot read the ACME sample\n");
        return 1;
    }
    const int bar = static_cast<int>(stock->Display().size()) - 3;

    StockInfoPanelWidget info;
    info.Show(stock.get(), bar);
    info.resize(info.sizeHint());
    Save(info, out + "info-hint-" + tag + ".png");
    info.resize(info.sizeHint().width(), 260);
    Save(info, out + "info-tall-" + tag + ".png");
    info.Clear();
    Save(info, out + "info-cleared-" + tag + ".png");

    FundPanelWidget fund;
    fund.Show(stock.get(), bar);
    fund.resize(fund.sizeHint());
    Save(fund, out + "fund-hint-" + tag + ".png");
    fund.resize(320, 300);
    Save(fund, out + "fund-wide-" + tag + ".png");
    fund.Clear();
    Save(fund, out + "fund-cleared-" + tag + ".png");

    CStockNameBar names;
    names.resize(220, 300);
    names.show();
    names.BeginEntry('I');
    Save(names, out + "namebar-" + tag + ".png");

    // The three pages over the sample installation, a favourites group of its own.
    char tmpl[] = "/tmp/render_namebar.XXXXXX";
    const std::string fav = std::string(::mkdtemp(tmpl)) + "/";
    (void)CFavourites(fav).NewGroup("Watch");
    const std::string sample = std::string(ZS_SAMPLE_DIR) + "/";
    CStockNameBar filled;
    filled.resize(236, 300);
    filled.show();
    filled.Open({sample + "Index/", sample + "System/", sample + "Data/", fav}, {0, false});
    (void)filled.AddFavourite("Watch", "ACME", "NYSE");
    (void)filled.AddFavourite("Watch", "GHST", "NYSE");
    filled.Search("bl");
    Save(filled, out + "namebar-list-" + tag + ".png");
    filled.SymbolField().setText("QQQ");
    filled.SelectMarket(2);
    Save(filled, out + "namebar-list-lse-" + tag + ".png");
    filled.SetPage(CStockNameBar::kDataPage);
    filled.SelectMarket(0);
    Save(filled, out + "namebar-data-" + tag + ".png");
    filled.SetPage(CStockNameBar::kFavoritesPage);
    Save(filled, out + "namebar-favorites-" + tag + ".png");
    std::filesystem::remove_all(fav);
    return 0;
}
