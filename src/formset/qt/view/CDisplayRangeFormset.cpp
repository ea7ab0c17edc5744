#include "CDisplayRangeFormset.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/NumberText.h"
#include <QButtonGroup>
#include <QDate>
#include <QDateEdit>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// Dates are shown the same on every machine, as the chart's own texts are not localised.
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

QString DayText(int day) {
    return CDisplayRangeFormset::DateOfDay(day).toString(kDateFormat);
}

std::string Text(const char* key, const char* fallback, const std::vector<SPlaceholder>& fills) {
    return FillPlaceholders(CLanguage::TranslateText(key, fallback), fills);
}

} // namespace

CDisplayRangeFormset::CDisplayRangeFormset(const SDisplayRange& range, QWidget* parent)
    : CFormsetDialogOf(kDialogId, range, parent) {
    setWindowTitle("Display Range");
    auto* grid = new QGridLayout(Body());
    m_data = NewControl<QLabel>(kData);
    m_data->setTextFormat(Qt::PlainText);
    grid->addWidget(m_data, 0, 0, 1, 3);

    m_byDates = NewControl<QRadioButton>(kByDates);
    m_byDates->setText("By &dates");
    grid->addWidget(m_byDates, 1, 0, 1, 3);
    const auto dateEdit = [this](unsigned id) {
        auto* edit = NewControl<QDateEdit>(id);
        edit->setDisplayFormat(kDateFormat);
        // Stored dates are 32-bit seconds since 1970.
        edit->setDateRange(QDate(1970, 1, 1), QDate(2037, 12, 31));
        connect(edit, &QDateEdit::dateChanged, this, &CDisplayRangeFormset::Changed);
        return edit;
    };
    m_first = dateEdit(kFirst);
    AddRow(*grid, 2, "&From:", *m_first, kFirstLabel);
    m_last = dateEdit(kLast);
    AddRow(*grid, 3, "&To:", *m_last, kLastLabel);

    m_lastBars = NewControl<QRadioButton>(kLastBars);
    m_lastBars->setText("The &last bars");
    grid->addWidget(m_lastBars, 4, 0, 1, 3);
    m_bars = NewControl<QLineEdit>(kBars);
    const QFontMetrics metrics(m_bars->font());
    m_bars->setMaximumWidth(metrics.horizontalAdvance(QString(10, u'0')) + 12);
    AddRow(*grid, 5, "&Number of bars:", *m_bars, kBarsLabel);
    m_barsRange = NewControl<QLabel>(kBarsRange);
    grid->addWidget(m_barsRange, 5, 2);
    connect(m_bars, &QLineEdit::textChanged, this, &CDisplayRangeFormset::Changed);

    m_note = NewControl<QLabel>(kNote);
    m_note->setTextFormat(Qt::PlainText);
    m_note->setWordWrap(true);
    grid->addWidget(m_note, 6, 0, 1, 3);
    grid->setColumnStretch(2, 1);

    auto* modes = new QButtonGroup(this);
    modes->addButton(m_byDates);
    modes->addButton(m_lastBars);
    connect(m_byDates, &QRadioButton::toggled, this, &CDisplayRangeFormset::Changed);
    setTabOrder(m_byDates, m_first);
    setTabOrder(m_first, m_last);
    setTabOrder(m_last, m_lastBars);
    setTabOrder(m_lastBars, m_bars);
}

std::function<bool(SDisplayRange&)> CDisplayRangeFormset::Editor(QWidget* parent) {
    return DialogOnCopy<CDisplayRangeFormset>(parent);
}

int CDisplayRangeFormset::DayOfDate(const QDate& date) {
    if (!date.isValid()) return 0;
    return date.year() * 10000 + date.month() * 100 + date.day();
}

QDate CDisplayRangeFormset::DateOfDay(int day) {
    return QDate(day / 10000, day / 100 % 100, day % 100);
}

SDisplayRangeFieldNames CDisplayRangeFormset::Names() const {
    return {FieldName(*m_first).toStdString(), FieldName(*m_last).toStdString(),
            FieldName(*m_bars).toStdString()};
}

void CDisplayRangeFormset::Load() {
    const SDisplayRange& r = Copy();
    const int count = r.BarCount();
    m_data->setText(QString::fromStdString(
        count == 0 ? CLanguage::TranslateText("RangeNoData", "The chart has no bars.")
                   : Text("RangeData", "The data: %1 to %2, %3 bars.",
                          {{"%1", DayText(r.barDays.front()).toStdString()},
                           {"%2", DayText(r.barDays.back()).toStdString()},
                           {"%3", std::to_string(count)}})));
    m_first->setDate(DateOfDay(r.firstDay));
    m_last->setDate(DateOfDay(r.lastDay));
    m_bars->setText(QString::number(r.lastBars));
    m_barsRange->setText(QString::fromStdString(Text(
        "RangeHint", "(%1 to %2)", {{"%1", "1"}, {"%2", std::to_string(std::max(1, count))}})));
    QRadioButton* mode = r.mode == SDisplayRange::EMode::Dates ? m_byDates : m_lastBars;
    mode->setChecked(true);
    mode->setFocus();
    m_loaded = true;
    Changed();
}

std::optional<SFieldError> CDisplayRangeFormset::Store() {
    SDisplayRange& r = Copy();
    r.mode = m_lastBars->isChecked() ? SDisplayRange::EMode::LastBars : SDisplayRange::EMode::Dates;
    r.firstDay = DayOfDate(m_first->date());
    r.lastDay = DayOfDate(m_last->date());
    if (r.mode == SDisplayRange::EMode::LastBars) {
        if (auto error = ReadWholeNumberField(kBars, FieldName(*m_bars).toStdString(),
                                              m_bars->text().toStdString(), 1,
                                              std::max(1, r.BarCount()), r.lastBars))
            return error;
    }
    SDisplayRange::SWindow window;
    return r.Check(Names(), window);
}

void CDisplayRangeFormset::Changed() {
    if (!m_loaded) return;
    const bool byDates = m_byDates->isChecked();
    m_first->setEnabled(byDates);
    m_last->setEnabled(byDates);
    m_bars->setEnabled(!byDates);
    SDisplayRange::SWindow window;
    if (std::optional<SFieldError> error = Store()) {
        m_note->setText(QString::fromStdString(error->message));
        return;
    }
    Copy().Check(Names(), window);
    const SDisplayRange& r = Copy();
    std::string note = Text("RangeShows", "Shows %1 to %2, %3 bars.",
                            {{"%1", DayText(r.barDays[window.first]).toStdString()},
                             {"%2", DayText(r.barDays[window.end - 1]).toStdString()},
                             {"%3", std::to_string(window.end - window.first)}});
    if (window.clamped) {
        note.push_back(' ');
        note.append(CLanguage::TranslateText(
            "RangeClamped", "Dates outside the data are taken as its first or last bar."));
    }
    m_note->setText(QString::fromStdString(note));
}
