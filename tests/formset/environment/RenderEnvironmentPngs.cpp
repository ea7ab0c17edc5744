// Not a test: writes PNGs of "Option" into the folder named first on the command line, as
// built and in a language of long words (run with QT_SCALE_FACTOR=2 for the scaled look).
// The dialog shows a proxy in use, a data folder of its own, and a quote source with a key
// for the three markets of the sample.
#include "../dialog/LongWords.h"
#include "TestFiles.h"
#include "formset/qt/environment/CEnvironmentFormset.h"
#include <QApplication>
#include <filesystem>

using long_words::GrabAsBuiltAndLong;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TempDir dir;
    const CInstallPaths paths(dir.Path() + "/");
    WriteText(paths.SetupIni(), "[PROXY]\nUseProxy=1\nProxyAdd=proxy.example.org\n"
                                "ProxyPort=3128\n[STOCKLINE_SETUP]\nDisPeriod=1000\n"
                                "DisDayNum=120\n[ENVIORMENT]\nYAxisOffset=1\n"
                                "[DATA_DIRECTORY]\nDataDirectory=/home/user/quotes\n"
                                "[QUOTE_SOURCE]\nSource=stooq\nApiKey_stooq=0123456789abcdef\n"
                                "Suffix_TSX=.ca\n");
    std::filesystem::create_directories(dir.Path() + "/Index");
    WriteText(paths.MarketList(), "Market\tFullName\tSuffix\nNYSE\tNew York Stock Exchange\t\n"
                                  "TSX\tToronto Stock Exchange\t.TO\n"
                                  "LSE\tLondon Stock Exchange\t.L\n");
    CIniReader ini(paths.SetupIni());
    const CEnvironmentEdit edit = CEnvironmentEdit::Read(paths, ini);
    GrabAsBuiltAndLong([&] { return std::make_unique<CEnvironmentFormset>(edit, nullptr); }, folder,
                       "environment", app.devicePixelRatio());
    return 0;
}
