#include "CAboutDialog.h"
#include "ctlkit/http/CWebGrab.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#ifndef ZENTRISTOCK_BUILD_DATE
#define ZENTRISTOCK_BUILD_DATE "unknown"
#endif

namespace {

QLabel* ValueLabel(const AboutRow& row, QWidget* parent) {
    const QString value = QString::fromStdString(row.second);
    auto* label = new QLabel(parent);
    if (row.first == "Home page") {
        label->setTextFormat(Qt::RichText);
        label->setText("<a href=\"" + value.toHtmlEscaped() + "\">" + value.toHtmlEscaped() +
                       "</a>");
        label->setOpenExternalLinks(true);
        label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    } else {
        label->setTextFormat(Qt::PlainText);
        label->setText(value);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    // A long folder breaks between its parts instead of widening the dialog past the screen.
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    return label;
}

} // namespace

CAboutDialog::CAboutDialog(const SAboutFacts& facts, QWidget* parent)
    : QDialog(parent), m_facts(facts) {
    setModal(true);
    setWindowTitle("About ZentriStock");
    auto* layout = new QVBoxLayout(this);

    auto* name = new QLabel("ZentriStock", this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    SetControlId(*name, 1000);
    auto* what = new QLabel("End-of-day stock analysis.", this);
    SetControlId(*what, 1002);
    layout->addWidget(name);
    layout->addWidget(what);
    layout->addSpacing(what->fontMetrics().height() / 2);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const AboutRow& fact : AboutRows(facts)) {
        auto* label = new QLabel(QString::fromStdString(fact.first) + ":", this);
        SetControlId(*label, kFirstLabel + row);
        QLabel* value = ValueLabel(fact, this);
        SetControlId(*value, kFirstValue + row);
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(value, row, 1);
        ++row;
    }
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
    SetControlId(*copy, kCopy);
    copy->setAutoDefault(false);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    SetControlId(*ok, kOk);
    ok->setDefault(true);
    connect(copy, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->setText(QString::fromStdString(AboutSupportText(m_facts)));
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

SAboutFacts CAboutDialog::RunningProgram(const std::string& programFolder,
                                         const std::string& setupIni, const std::string& userStore,
                                         const std::string& homePage) {
    SAboutFacts facts;
    facts.version = QCoreApplication::applicationVersion().toStdString();
    facts.buildDate = ZENTRISTOCK_BUILD_DATE;
    facts.qtVersion = qVersion();
    facts.curlVersion = CWebGrab::LibraryVersion();
    facts.programFolder = programFolder;
    facts.setupIni = setupIni;
    facts.userStore = userStore;
    facts.homePage = homePage;
    return facts;
}

void CAboutDialog::setVisible(bool visible) {
    if (visible && !m_translated) {
        m_translated = true;
        TranslateWidgets(*this, kDialogId);
    }
    QDialog::setVisible(visible);
}
