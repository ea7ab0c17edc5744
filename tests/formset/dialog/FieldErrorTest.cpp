#include "LanguageFileTest.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/FormsetModel.h"
#include "formset/SFieldError.h"
#include <gtest/gtest.h>

namespace {

// The dialog base checks a model with rules through its Validate(); any other copyable value
// is a model as it is (a Validate() of another kind is refused where the dialog is compiled).
struct SRangeModel {
    std::optional<SFieldError> Validate() const { return std::nullopt; }
};
struct SBoolRule {
    bool Validate() const { return true; }
};
static_assert(ValidatedModel<SRangeModel>);
static_assert(FormsetModel<int> && !ValidatedModel<int> && !ValidatedModel<SBoolRule>);

using FieldErrorTest = LanguageFileTest;

TEST_F(FieldErrorTest, MessageNamesTheFieldInTheActiveLanguage) {
    struct Case {
        const char* languageFile; // null: translation off
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {nullptr, "Price", "Price: please enter a number."},
        {"[Text]\nOther=x\n", "Price", "Price: please enter a number."},
        {"[Text]\nEnterNumber=%s: bitte eine Zahl eingeben.\n", "Preis",
         "Preis: bitte eine Zahl eingeben."},
        {"[Text]\nEnterNumber=Bitte eine Zahl für %s eingeben (%s).\n", "Preis",
         "Bitte eine Zahl für Preis eingeben (Preis)."},
        {"[Text]\nEnterNumber=Keine Zahl.\n", "Preis", "Keine Zahl."},
        {nullptr, "100%s", "100%s: please enter a number."}, // a name is never a placeholder
    };
    for (const Case& c : cases) {
        CLanguage::SetFile("");
        if (c.languageFile) Activate(c.languageFile);
        const SFieldError error = SFieldError::NotANumber(1001, c.name);
        EXPECT_EQ(error.controlId, 1001u);
        EXPECT_EQ(error.fieldName, c.name);
        EXPECT_EQ(error.message, c.message) << c.name;
    }
}

} // namespace
