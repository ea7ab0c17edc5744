#include "QtPrompter.h"
#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <cstdio>

namespace {

bool OnGuiThread() {
    return qApp && QThread::currentThread() == qApp->thread();
}

void PrintOffThread(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

QString Title() {
    return QApplication::applicationDisplayName();
}

} // namespace

void QtPrompter::ShowMessage(const std::string& text) {
    if (!OnGuiThread()) return PrintOffThread(text);
    QMessageBox::warning(QApplication::activeWindow(), Title(), QString::fromStdString(text));
}

bool QtPrompter::AskYesNo(const std::string& text) {
    if (!OnGuiThread()) {
        PrintOffThread(text);
        return false;
    }
    return QMessageBox::question(QApplication::activeWindow(), Title(),
                                 QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}
