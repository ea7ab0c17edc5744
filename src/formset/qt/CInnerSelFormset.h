#pragma once
#include "CFormsetDialogOf.h"
#include "formset/SInnerSelChoice.h"
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QRadioButton;

// The insert-or-replace question (dialog 240) asked before an indicator is added to a pane:
// it names the pane and what it shows now, and offers "Insert" (add to it) and "Replace"
// (take its place). "Description..." opens the indicator descriptions on the indicator asked
// about.
class CInnerSelFormset : public CFormsetDialogOf<SInnerSelChoice> {
public:
    static constexpr unsigned kDialogId = 240;
    enum EControl : unsigned {
        kInsert = 1001,
        kReplace = 1002,
        kTarget = 1003,
        kDescription = 1004,
    };

    CInnerSelFormset(const SInnerSelChoice& choice, QWidget* parent);

    // The indicator asked about and the program folder its description is found in; the
    // "Description..." button is enabled only for a built-in indicator.
    void SetIndicator(std::string identifier, std::string programFolder);

    // Asks about `pane`, which shows `paneName` now, starting from the choice confirmed
    // last (Insert at first): true to insert, false to replace, nothing on Cancel. A
    // confirmed choice is remembered for the next question. `identifier` is the indicator
    // asked about, whose description the program folder's pages give.
    static std::optional<bool> Ask(QWidget* parent, int pane, const std::string& paneName,
                                   const std::string& identifier = {},
                                   const std::string& programFolder = {});

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    QLabel* m_target;
    QRadioButton* m_insert;
    QRadioButton* m_replace;
    QPushButton* m_description;
    std::string m_identifier;
    std::string m_programFolder;
};
