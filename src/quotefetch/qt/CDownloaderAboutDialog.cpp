#include "CDownloaderAboutDialog.h"
#include "ctlkit/http/CWebGrab.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#ifndef ZENTRISTOCK_VERSION
#define ZENTRISTOCK_VERSION "unknown"
#endif
#ifndef ZENTRISTOCK_BUILD_DATE
#define ZENTRISTOCK_BUILD_DATE "unknown"
#endif

namespace {

constexpr unsigned kProgramName = 513;
// A long folder breaks between its parts instead of widening the dialog past the screen.
constexpr int kValueChars = 40;

} // namespace

CDownloaderAboutDialog::CDownloaderAboutDialog(const SDownloaderAboutFacts& facts, QWidget* parent)
    : QDialog(parent) {
    setModal(true);
    const QString name =
        QString::fromStdString(CLanguage::TranslateString(kProgramName).value_or(""));
    setWindowTitle(QStringLiteral("About ") + name);
    auto* layout = new QVBoxLayout(this);

    auto* title = new QLabel(name, this);
    title->setTextFormat(Qt::PlainText);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    title->setFont(big);
    SetControlId(*title, kName);
    auto* what = new QLabel(QStringLiteral("Keeps the quote files of the selected stocks up to "
                                           "date and imports MetaStock ASCII files."),
                            this);
    what->setWordWrap(true);
    SetControlId(*what, kWhat);
    layout->addWidget(title);
    layout->addWidget(what);
    layout->addSpacing(what->fontMetrics().height() / 2);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const DownloaderAboutRow& fact : DownloaderAboutRows(facts)) {
        auto* label = new QLabel(QString::fromStdString(fact.first) + ":", this);
        SetControlId(*label, kFirstLabel + row);
        auto* value = new QLabel(QString::fromStdString(fact.second), this);
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setWordWrap(true);
        value->setMinimumWidth(value->fontMetrics().averageCharWidth() * kValueChars);
        SetControlId(*value, kFirstValue + row);
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(value, row, 1);
        ++row;
    }
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    SetControlId(*ok, kOk);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

SDownloaderAboutFacts CDownloaderAboutDialog::RunningProgram(const std::string& programFolder,
                                                             const std::string& setupIni,
                                                             const std::string& selection,
                                                             const std::string& dataFolder) {
    SDownloaderAboutFacts facts;
    facts.version = ZENTRISTOCK_VERSION;
    facts.buildDate = ZENTRISTOCK_BUILD_DATE;
    facts.qtVersion = qVersion();
    facts.curlVersion = CWebGrab::LibraryVersion();
    facts.programFolder = programFolder;
    facts.setupIni = setupIni;
    facts.selection = selection;
    facts.dataFolder = dataFolder;
    return facts;
}

void CDownloaderAboutDialog::setVisible(bool visible) {
    if (visible && !m_translated) {
        m_translated = true;
        TranslateWidgets(*this, kDialogId);
    }
    QDialog::setVisible(visible);
}
