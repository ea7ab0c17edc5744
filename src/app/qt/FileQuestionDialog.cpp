#include "FileQuestionDialog.h"
#include <QFileDialog>

std::optional<std::string> AskFileName(QWidget* parent, const SFileQuestion& question) {
    const QString folder = QString::fromStdString(question.folder);
    const QString filter = QString::fromStdString(question.filter);
    const QString path =
        question.kind == SFileQuestion::EKind::Open
            ? QFileDialog::getOpenFileName(parent, QString(), folder, filter)
            : QFileDialog::getSaveFileName(
                  parent, QString(), folder + QString::fromStdString(question.proposed), filter);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}
