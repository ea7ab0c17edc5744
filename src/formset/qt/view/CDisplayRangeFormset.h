#pragma once
#include "formset/qt/CFormsetDialogOf.h"
#include "formset/view/SDisplayRange.h"
#include <functional>

class QDate;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

// "Display Range" (dialog 253): the bars the chart shows, from a first to a last date or as
// the last N bars. A note under the fields tells, as they change, which bars OK shows, and
// that dates outside the data are taken as its first or last bar.
class CDisplayRangeFormset : public CFormsetDialogOf<SDisplayRange> {
public:
    static constexpr unsigned kDialogId = 253;
    enum EControl : unsigned {
        kByDates = 1001,
        kLastBars = 1002,
        kFirst = SDisplayRange::kFirstField,
        kLast = SDisplayRange::kLastField,
        kBars = SDisplayRange::kBarsField,
        kFirstLabel = 1101,
        kLastLabel = 1102,
        kBarsLabel = 1103,
        kBarsRange = 1104,
        kData = 1105,
        kNote = 1106,
    };

    CDisplayRangeFormset(const SDisplayRange& range, QWidget* parent);

    // The dialog run modally over `parent` on the range's copy: what EditDisplayRange takes.
    static std::function<bool(SDisplayRange&)> Editor(QWidget* parent);

    // yyyymmdd and back; an invalid date is 0.
    static int DayOfDate(const QDate& date);
    static QDate DateOfDay(int day);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;
    // The fields of the mode not chosen are greyed, and the note follows every change.
    void Changed();
    SDisplayRangeFieldNames Names() const;

    QRadioButton* m_byDates;
    QRadioButton* m_lastBars;
    QDateEdit* m_first;
    QDateEdit* m_last;
    QLineEdit* m_bars;
    QLabel* m_barsRange;
    QLabel* m_data;
    QLabel* m_note;
    bool m_loaded = false;
};
