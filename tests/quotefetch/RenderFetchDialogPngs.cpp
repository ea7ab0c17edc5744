// Not a test: writes PNGs of the downloader's stock selection, import and About dialogs into
// the folder named first on the command line, as built and in a language of long words (run
// with QT_SCALE_FACTOR=2 for the scaled look).
#include "LongWords.h"
#include "download/CMarketList.h"
#include "quotefetch/CStockSelection.h"
#include "quotefetch/qt/CDownloaderAboutDialog.h"
#include "quotefetch/qt/CImportDialog.h"
#include "quotefetch/qt/CStockSelectDialog.h"
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <fstream>

using long_words::GrabAsBuiltAndLong;
using long_words::GrabPages;
using long_words::Lengthened;
using long_words::TextOf;

namespace {

const std::vector<std::pair<std::string, std::string>> kNyse = {
    {"IBM", "International Business Machines"},
    {"GE", "General Electric"},
    {"KO", "Coca-Cola"},
    {"BRK-B", "Berkshire Hathaway Class B"},
    {"JNJ", "Johnson & Johnson"},
    {"XOM", "Exxon Mobil Corporation"},
    {"WMT", "Wal-Mart Stores"},
    {"PG", "Procter & Gamble"},
};

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The About dialog is no formset dialog: its section written here the same way.
void LongAboutSection(const QDialog& dialog, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
    QTextStream out(&file);
    out << "[Language]\nLanguage=1\nDescription=Long words\n";
    out << "[String]\n513=" << Lengthened(QStringLiteral("ZentriStock Data Downloader")) << "\n";
    out << "[" << CDownloaderAboutDialog::kDialogId << "]\n";
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        const std::optional<unsigned> id = ControlIdOf(*child);
        const QString text = TextOf(*child);
        if (id && *id < CDownloaderAboutDialog::kFirstValue && !text.isEmpty())
            out << *id << "=" << Lengthened(text) << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const qreal ratio = app.devicePixelRatio();
    QTemporaryDir home;
    const std::string system = home.filePath("System/").toStdString();
    QDir().mkpath(QString::fromStdString(system));
    std::string nyse;
    for (const auto& [symbol, name] : kNyse) nyse += CSymbolDatabase::MakeRecord(symbol, name);
    Write(system + "NYSE.Dat", nyse);

    CMarketList markets;
    (void)markets.Parse("Market\tFullName\tSuffix\nNYSE\tNew York Stock Exchange\t\n"
                        "TSX\tToronto Stock Exchange\t.TO\nLSE\tLondon Stock Exchange\t.L\n");
    CStockSelection selection(system + "downloader.dat");

    GrabAsBuiltAndLong(
        [&] {
            CStockSelectModel model(markets, {{"NYSE", "IBM"}, {"NYSE", "KO"}, {"TSX", "RY"}},
                                    CStockSelectModel::DatabaseSource(system));
            return std::make_unique<CStockSelectDialog>(model, selection, nullptr);
        },
        folder, "stockselect", ratio);
    GrabAsBuiltAndLong(
        [&] {
            CImportChoice choice(markets, "/q/Data/", "", "/home/user/eod");
            choice.SetMarket("TSX");
            choice.addSuffix = true;
            choice.SetFiles({"/home/user/eod/A.txt", "/home/user/eod/B.txt"});
            return std::make_unique<CImportDialog>(choice, FileChooser{}, nullptr);
        },
        folder, "import", ratio);

    const SDownloaderAboutFacts facts = CDownloaderAboutDialog::RunningProgram(
        "/opt/zentristock/", "/opt/zentristock/setup.ini", "/opt/zentristock/System/downloader.dat",
        "/home/user/ZentriStock quotes/Data/");
    {
        CDownloaderAboutDialog about(facts, nullptr);
        GrabPages(about, folder, "about", ratio);
        const QString lng = home.filePath("long.lng");
        LongAboutSection(about, lng);
        CLanguage::SetFile(lng.toStdString());
    }
    {
        CDownloaderAboutDialog about(facts, nullptr);
        GrabPages(about, folder, "about-long", ratio);
        CLanguage::SetFile("");
    }
    return 0;
}
