// Not a test: writes PNGs of the downloader's main window and its stock selection, import and
// About dialogs into
// the folder named first on the command line, as built and in a language of long words (run
// with QT_SCALE_FACTOR=2 for the scaled look).
#include "FakeTray.h"
#include "LongWords.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "quotefetch/CFetchDialogModel.h"
#include "quotefetch/qt/CQuoteFetchDialog.h"
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

// The main window and About are no formset dialogs: their sections are written the same way,
// the controls below `firstValue` only (those above show values, not texts).
void LongSection(const QDialog& dialog, unsigned dialogId, unsigned firstValue,
                 const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
    QTextStream out(&file);
    out << "[Language]\nLanguage=1\nDescription=Long words\n";
    out << "[String]\n513=" << Lengthened(QStringLiteral("ZentriStock Data Downloader")) << "\n";
    out << "[" << dialogId << "]\n";
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        const std::optional<unsigned> id = ControlIdOf(*child);
        const QString text = TextOf(*child);
        if (id && *id < firstValue && !text.isEmpty())
            out << *id << "=" << Lengthened(text) << "\n";
    }
}

// The main window over a model with three stocks selected and a few log lines, without tray.
void GrabMainWindow(const std::string& system, const QString& folder, const QString& lng,
                    qreal ratio) {
    CStockSelection selection(system + "downloader.dat");
    (void)selection.Assign({{"NYSE", "IBM"}, {"NYSE", "KO"}, {"TSX", "RY"}});
    CUiThreadLoop loop;
    CMThreadedJobQ queue(std::chrono::milliseconds(0));
    CFetchDialogModel model(selection, loop, queue);
    for (const char* line : {"IBM (NYSE) is downloading.", "KO (NYSE) is downloading.",
                             "RY (TSX) is downloading.", "Download finished."})
        model.AddLogLine(line);
    CFakeTray tray;
    tray.available = false;
    const auto grab = [&](const QString& name) {
        CQuoteFetchDialog dialog(model, tray);
        dialog.selectStocks = [](QWidget&) {};
        dialog.askImport = [](QWidget&) { return std::optional<SImportRequest>{}; };
        dialog.showAbout = [](QWidget&) {};
        dialog.Refresh();
        GrabPages(dialog, folder, name, ratio);
    };
    grab(QStringLiteral("downloader"));
    {
        CQuoteFetchDialog dialog(model, tray);
        LongSection(dialog, CQuoteFetchDialog::kDialogId, CQuoteFetchDialog::kFetchStatusId, lng);
    }
    CLanguage::SetFile(lng.toStdString());
    grab(QStringLiteral("downloader-long"));
    CLanguage::SetFile("");
    model.Close();
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
    GrabMainWindow(system, folder, home.filePath("main-long.lng"), ratio);
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
        LongSection(about, CDownloaderAboutDialog::kDialogId, CDownloaderAboutDialog::kFirstValue,
                    lng);
        CLanguage::SetFile(lng.toStdString());
    }
    {
        CDownloaderAboutDialog about(facts, nullptr);
        GrabPages(about, folder, "about-long", ratio);
        CLanguage::SetFile("");
    }
    return 0;
}
