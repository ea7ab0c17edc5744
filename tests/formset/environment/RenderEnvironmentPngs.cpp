// Not a test: writes PNGs of "Option" into the folder named first on the command line, as
// built and in a language of long words (run with QT_SCALE_FACTOR=2 for the scaled look).
// The dialog shows a proxy in use and a data folder of its own.
#include "../dialog/LongWords.h"
#include "TestFiles.h"
#include "formset/qt/environment/CEnvironmentFormset.h"
#include <QApplication>

using long_words::GrabAsBuiltAndLong;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TempDir dir;
    const CInstallPaths paths(dir.Path() + "/");
    WriteText(paths.SetupIni(), "[PROXY]\nUseProxy=1\nProxyAdd=proxy.example.org\n"
                                "ProxyPort=3128\n[STOCKLINE_SETUP]\nDisPeriod=1000\n"
                                "DisDayNum=120\n[ENVIORMENT]\nYAxisOffset=1\n"
                                "[DATA_DIRECTORY]\nDataDirectory=/home/user/quotes\n");
    CIniReader ini(paths.SetupIni());
    const CEnvironmentEdit edit = CEnvironmentEdit::Read(paths, ini);
    GrabAsBuiltAndLong([&] { return std::make_unique<CEnvironmentFormset>(edit, nullptr); }, folder,
                       "environment", app.devicePixelRatio());
    return 0;
}
