#include "CZentriStockApp.h"
#include "app/CommandLine.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("ZentriStock");
    QApplication::setApplicationVersion(ZENTRISTOCK_VERSION);
    std::vector<std::string> args;
    for (const QString& arg : QApplication::arguments().mid(1)) args.push_back(arg.toStdString());
    return CZentriStockApp::Run(CommandLine::Parse(args));
}
