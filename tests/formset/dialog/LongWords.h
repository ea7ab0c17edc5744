#pragma once
// Test support for looking at dialogs in a language of long words: a language file that gives
// every text of a dialog (its title and each control's text) words about 1.7 times as long,
// so that a grab shows whether any text would be cut or run into another one.
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/CFormsetDialog.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTextStream>
#include <functional>
#include <memory>

namespace long_words {

// Every run of three letters or more grows by its own letters repeated ("Maximum" becomes
// "Maximumaximu"); mnemonics, punctuation and short words stay as they are.
inline QString Lengthened(const QString& text) {
    QString result;
    QString word;
    const auto flush = [&] {
        result += word;
        if (word.size() >= 3) {
            const qsizetype extra = word.size() * 7 / 10;
            for (qsizetype i = 0; i < extra; ++i) result += word[1 + i % (word.size() - 1)];
        }
        word.clear();
    };
    for (const QChar c : text) {
        if (c.isLetter()) {
            word += c;
            continue;
        }
        flush();
        result += c;
    }
    flush();
    return result;
}

inline QString TextOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) return group->title();
    return {};
}

// Writes the section of `dialog` (its title as key "0", every control with a text by its
// identifier) in long words to the language file at `path`, after what it holds already.
inline void AppendSection(const CFormsetDialog& dialog, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text)) return;
    QTextStream out(&file);
    out << "[" << dialog.DialogId() << "]\n";
    out << "0=" << Lengthened(dialog.windowTitle()) << "\n";
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        const std::optional<unsigned> id = ControlIdOf(*child);
        const QString text = TextOf(*child);
        if (id && !text.isEmpty() && !text.contains('\n'))
            out << *id << "=" << Lengthened(text) << "\n";
    }
}

// Makes the dialog twice: once as built, to learn its texts, then with those texts in long
// words, which `look` is given to grab. The language file is switched off again afterwards.
template <class Dialog>
void WithLongWords(const std::function<std::unique_ptr<Dialog>()>& make,
                   const std::function<void(Dialog&)>& look) {
    const QString path = QDir::temp().filePath(
        QStringLiteral("zs-long-words-%1.lng").arg(QApplication::applicationPid()));
    QFile::remove(path);
    {
        QFile header(path);
        if (header.open(QIODevice::WriteOnly | QIODevice::Text))
            header.write("[Language]\nLanguage=1\nDescription=Long words\n");
    }
    AppendSection(*make(), path);
    CLanguage::SetFile(path.toStdString());
    {
        std::unique_ptr<Dialog> dialog = make();
        look(*dialog);
    }
    CLanguage::SetFile("");
    QFile::remove(path);
}

// Grabs `dialog` shown into `folder`/`name`-x`ratio`.png; a dialog with tabs once per page,
// `name`-`page`.
inline void GrabPages(QDialog& dialog, const QString& folder, const QString& name, qreal ratio) {
    const auto grab = [&](const QString& file) {
        QApplication::processEvents();
        dialog.grab().save(QStringLiteral("%1/%2-x%3.png").arg(folder, file).arg(ratio));
    };
    dialog.show();
    auto* tabs = dialog.findChild<QTabWidget*>();
    if (!tabs) {
        grab(name);
    } else {
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            grab(QStringLiteral("%1-%2").arg(name).arg(page + 1));
        }
    }
    dialog.hide();
}

// The dialog `make` builds grabbed as built (`name`) and in long words (`name`-long).
template <class Make>
void GrabAsBuiltAndLong(Make make, const QString& folder, const QString& name, qreal ratio) {
    using Dialog = typename decltype(make())::element_type;
    GrabPages(*make(), folder, name, ratio);
    WithLongWords<Dialog>(
        make, [&](Dialog& dialog) { GrabPages(dialog, folder, name + "-long", ratio); });
}

} // namespace long_words
