#include "TestFiles.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/FormsetModel.h"
#include "formset/SFieldError.h"
#include <gtest/gtest.h>

namespace {

// A model of the kind a dialog edits: a range and a rule between two fields.
struct SRangeModel {
    double top = 10;
    double bottom = 0;

    std::optional<SFieldError> Validate() const {
        if (bottom < 0)
            return SFieldError::Make(1002, "Bottom", "NotNegative", "%s: cannot be negative.");
        if (top <= bottom)
            return SFieldError::Make(1001, "Top", "AboveBottom", "%s: must lie above Bottom.");
        return std::nullopt;
    }
};
static_assert(ValidatedModel<SRangeModel>);
static_assert(FormsetModel<int> && !ValidatedModel<int>);

class FieldErrorTest : public ::testing::Test {
protected:
    void SetUp() override { CLanguage::SetFile(""); }
    void TearDown() override { CLanguage::SetFile(""); }

    void Activate(const std::string& text) {
        WriteText(lng, text);
        CLanguage::SetFile(lng);
    }

    TempDir dir;
    std::string lng = dir.File("German.lng");
};

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

TEST_F(FieldErrorTest, ModelValidatorReportsTheFirstRefusedField) {
    struct Case {
        double top, bottom;
        unsigned controlId; // 0: valid
        const char* message;
    };
    const Case cases[] = {
        {10, 0, 0, ""},
        {10, -1, 1002, "Bottom: cannot be negative."},
        {-5, -1, 1002, "Bottom: cannot be negative."},
        {1, 1, 1001, "Top: must lie above Bottom."},
    };
    for (const Case& c : cases) {
        const std::optional<SFieldError> error = SRangeModel{c.top, c.bottom}.Validate();
        EXPECT_EQ(error.has_value(), c.controlId != 0) << c.top << " " << c.bottom;
        if (!error) continue;
        EXPECT_EQ(error->controlId, c.controlId);
        EXPECT_EQ(error->message, c.message);
    }
    Activate("[Text]\nNotNegative=%s: darf nicht negativ sein.\n");
    EXPECT_EQ((SRangeModel{10, -1}.Validate()->message), "Bottom: darf nicht negativ sein.");
}

} // namespace
