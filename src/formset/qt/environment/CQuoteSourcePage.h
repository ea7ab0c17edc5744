#pragma once
#include "formset/environment/CQuoteSourceEdit.h"
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The "Quote source" page of the environment dialog: the source, its API key (hidden unless
// "Show the key" is ticked) and base address, and the ticker suffix of every market of
// market.txt. The key and address shown are those of the source chosen; switching the source
// keeps what was typed for the one before. A suffix the user did not edit follows the source
// chosen. Its controls carry the identifiers of CQuoteSourceEdit and of EControl.
class CQuoteSourcePage : public QWidget {
public:
    enum EControl : unsigned {
        kSource = CQuoteSourceEdit::kSourceField,
        kApiKey = CQuoteSourceEdit::kApiKeyField,
        kBaseAddress = CQuoteSourceEdit::kBaseAddressField,
        kShowKey = 1204,
        kSourceLabel = 1205,
        kApiKeyLabel = 1206,
        kBaseAddressLabel = 1207,
        kSourceNote = 1208,
        kSourceGroup = 1209,
        kSuffixGroup = 1210,
        kSuffixNote = 1211,
    };

    // `label` makes a label naming a field in messages (the dialog's NewLabel).
    using LabelMaker = std::function<QLabel*(const QString& text, QWidget& buddy, unsigned id)>;
    CQuoteSourcePage(const CQuoteSourceEdit& edit, const LabelMaker& label, QWidget* parent);

    // Edit → controls.
    void Load(const CQuoteSourceEdit& edit);
    // Controls → edit.
    void Store(CQuoteSourceEdit& edit);
    // Shows `source` as chosen (a refused field of another source is then in view).
    void ShowSource(const std::string& source);
    const std::string& ShownSource() const { return m_shown; }

    QComboBox* SourceBox() const { return m_source; }
    QLineEdit* ApiKeyEdit() const { return m_apiKey; }
    QLineEdit* BaseAddressEdit() const { return m_baseAddress; }
    const std::vector<QLineEdit*>& SuffixEdits() const { return m_suffixes; }

private:
    void SourceChosen();
    void ShowSourceFields();

    CQuoteSourceEdit m_edit; // what the page shows, kept up to date on every switch
    std::string m_shown;
    QComboBox* m_source;
    QLineEdit* m_apiKey;
    QCheckBox* m_showKey;
    QLineEdit* m_baseAddress;
    std::vector<QLineEdit*> m_suffixes;
};
