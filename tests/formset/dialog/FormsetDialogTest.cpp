#include "TestFiles.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/qt/CFormsetDialogOf.h"
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct STestModel {
    double price = 10.25;
    int showVolume = 0;
    std::string name = "MSFT";

    std::optional<SFieldError> Validate() const {
        if (price < 0)
            return SFieldError::Make(1001, "Price", "NotNegative", "%s: cannot be negative.");
        return std::nullopt;
    }
    bool operator==(const STestModel&) const = default;
};

// A dialog as the program's dialogs are written: a number field, a check box, a text field.
class CTestFormset : public CFormsetDialogOf<STestModel> {
public:
    static constexpr unsigned kDialogId = 4242;

    CTestFormset(const STestModel& model, QWidget* parent)
        : CFormsetDialogOf(kDialogId, model, parent) {
        setWindowTitle("Test Settings");
        auto* grid = new QGridLayout(Body());
        price = NewControl<QLineEdit>(1001);
        grid->addWidget(NewLabel("&Price:", *price, 1101), 0, 0);
        grid->addWidget(price, 0, 1);
        volume = NewControl<QCheckBox>(1002);
        volume->setText("Show &volume");
        grid->addWidget(volume, 1, 0, 1, 2);
        name = NewControl<QLineEdit>(1003);
        grid->addWidget(NewLabel("&Name:", *name), 2, 0);
        grid->addWidget(name, 2, 1);
        connect(price, &QLineEdit::textEdited, this, [this] { Preview(); });
    }

    QPushButton* Button(unsigned id) { return qobject_cast<QPushButton*>(FindControl(*this, id)); }

    QLineEdit* price;
    QCheckBox* volume;
    QLineEdit* name;

private:
    void Load() override {
        ShowNumber(*price, Copy().price);
        volume->setChecked(Copy().showVolume != 0);
        name->setText(QString::fromStdString(Copy().name));
    }
    std::optional<SFieldError> Store() override {
        if (std::optional<SFieldError> error = ReadNumber(*price, Copy().price)) return error;
        Copy().showVolume = Flag(*volume);
        Copy().name = name->text().toStdString();
        return std::nullopt;
    }
};

void Retype(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

class FormsetDialogTest : public ::testing::Test {
protected:
    void SetUp() override { CLanguage::SetFile(""); }
    void TearDown() override {
        CLanguage::SetFile("");
        QLocale::setDefault(defaultLocale);
    }

    void Activate(const std::string& text) {
        WriteText(lng, text);
        CLanguage::SetFile(lng);
    }

    // Runs the dialog through the caller's seam; `drive` acts once it shows and must close it.
    bool Run(STestModel& model, const std::function<void(CTestFormset&)>& drive,
             std::function<void(const STestModel&)> preview = {}) {
        CFormsetDialog::ShownHook previous =
            CFormsetDialog::SetShownHook([&](CFormsetDialog& shown) {
                auto& dialog = static_cast<CTestFormset&>(shown);
                EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
                drive(dialog);
                if (dialog.isVisible()) {
                    ADD_FAILURE() << "the dialog was left open";
                    dialog.done(QDialog::Rejected);
                }
            });
        const bool ok = DialogOnCopy<CTestFormset>(nullptr, std::move(preview))(model);
        CFormsetDialog::SetShownHook(previous);
        return ok;
    }

    // The dialog opened without blocking, active, for QTest to drive.
    void Open(CTestFormset& dialog) {
        dialog.open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    TempDir dir;
    std::string lng = dir.File("German.lng");
    QLocale defaultLocale;
    CRecordingPrompter prompter;
    CScopedPrompter scoped{prompter};
};

TEST_F(FormsetDialogTest, OkCopiesTheEditedValuesBack) {
    STestModel model;
    const bool ok = Run(model, [](CTestFormset& d) {
        EXPECT_EQ(d.price->text().toStdString(), "10.25");
        EXPECT_EQ(d.name->text().toStdString(), "MSFT");
        Retype(*d.price, "12.5");
        QTest::mouseClick(d.volume, Qt::LeftButton);
        Retype(*d.name, "IBM");
        QTest::keyClick(d.name, Qt::Key_Return);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(model, (STestModel{12.5, 1, "IBM"}));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FormsetDialogTest, CancelEscapeAndCloseChangeNothingEvenAfterPreview) {
    struct Case {
        const char* way;
        std::function<void(CTestFormset&)> finish;
        bool accepted;
        STestModel result;
        std::vector<double> previews;
    };
    const STestModel given;
    const Case cases[] = {
        {"OK button",
         [](CTestFormset& d) { QTest::mouseClick(d.Button(1), Qt::LeftButton); },
         true,
         STestModel{3, 1, "MSFT"},
         {3, 3}},
        {"Cancel button",
         [](CTestFormset& d) { QTest::mouseClick(d.Button(2), Qt::LeftButton); },
         false,
         given,
         {3, 3, 10.25}},
        {"Escape",
         [](CTestFormset& d) { QTest::keyClick(d.price, Qt::Key_Escape); },
         false,
         given,
         {3, 3, 10.25}},
        {"close button", [](CTestFormset& d) { d.close(); }, false, given, {3, 3, 10.25}},
    };
    for (const Case& c : cases) {
        STestModel model;
        std::vector<double> previews;
        const bool ok = Run(
            model,
            [&](CTestFormset& d) {
                Retype(*d.price, "3x"); // "3" previews, "3x" cannot
                QTest::keyClick(d.price, Qt::Key_Backspace);
                d.volume->setChecked(true);
                c.finish(d);
            },
            [&](const STestModel& shown) { previews.push_back(shown.price); });
        EXPECT_EQ(ok, c.accepted) << c.way;
        EXPECT_EQ(model, c.result) << c.way;
        EXPECT_EQ(previews, c.previews) << c.way;
    }
}

TEST_F(FormsetDialogTest, ParentClosedWhileOpenAnswersCancel) {
    auto* window = new QWidget;
    STestModel model;
    CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& shown) {
        Retype(*static_cast<CTestFormset&>(shown).price, "99");
        delete window; // takes its dialog with it
    });
    const bool ok = DialogOnCopy<CTestFormset>(window)(model);
    CFormsetDialog::SetShownHook(previous);
    EXPECT_FALSE(ok);
    EXPECT_EQ(model, STestModel{});
}

TEST_F(FormsetDialogTest, RefusedFieldIsNamedFocusedAndTheDialogStaysOpen) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"abc", "Price: please enter a number."},   {"", "Price: please enter a number."},
        {"1.2.3", "Price: please enter a number."}, {"1,5", "Price: please enter a number."},
        {"-1", "Price: cannot be negative."},
    };
    QLocale::setDefault(QLocale::c());
    for (const Case& c : cases) {
        prompter.messages.clear();
        CTestFormset dialog(STestModel{}, nullptr);
        Open(dialog);
        Retype(*dialog.price, c.text);
        dialog.name->setFocus();
        QTest::keyClick(dialog.name, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << c.text;
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << c.text;
        EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message}) << c.text;
        EXPECT_EQ(QApplication::focusWidget(), dialog.price) << c.text;
        EXPECT_EQ(dialog.price->selectedText(), dialog.price->text()) << c.text;

        Retype(*dialog.price, "2");
        QTest::keyClick(dialog.price, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible()) << c.text;
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.text;
        EXPECT_EQ(dialog.Result().price, 2.0) << c.text;
    }
}

TEST_F(FormsetDialogTest, CommaLocaleReadsCommaAndShowsPoint) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    STestModel model{1234.5, 0, "SAP"};
    ASSERT_TRUE(Run(model, [](CTestFormset& d) {
        EXPECT_EQ(d.price->text().toStdString(), "1234.5");
        Retype(*d.price, "1,5");
        QTest::keyClick(d.price, Qt::Key_Enter);
    }));
    EXPECT_EQ(model.price, 1.5);
    ASSERT_TRUE(Run(model, [](CTestFormset& d) {
        EXPECT_EQ(d.price->text().toStdString(), "1.5");
        QTest::keyClick(d.price, Qt::Key_Return);
    }));
    EXPECT_EQ(model.price, 1.5);
}

TEST_F(FormsetDialogTest, ConfirmedCheckBoxIsStoredAsOne) {
    STestModel model;
    ASSERT_TRUE(Run(model, [](CTestFormset& d) {
        d.volume->setFocus();
        QTest::keyClick(d.volume, Qt::Key_Space);
        QTest::keyClick(d.volume, Qt::Key_Return);
    }));
    EXPECT_EQ(model.showVolume, 1);
    CIniReader ini(dir.File("setup.ini"));
    ASSERT_EQ(ini.setKeyBool(model.showVolume, "ShowVolume", "TEST_SETUP"), 1);
    EXPECT_EQ(ReadText(dir.File("setup.ini")), "[TEST_SETUP]\nShowVolume=1\n");
}

TEST_F(FormsetDialogTest, EnterIsOkFromEveryFieldButAFocusedPushButton) {
    struct Case {
        unsigned focus;
        int result;
    };
    const Case cases[] = {{1001, QDialog::Accepted},
                          {1002, QDialog::Accepted},
                          {1003, QDialog::Accepted},
                          {1, QDialog::Accepted},
                          {2, QDialog::Rejected}};
    for (const Case& c : cases) {
        CTestFormset dialog(STestModel{}, nullptr);
        Open(dialog);
        QWidget* focus = FindControl(dialog, c.focus);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible()) << c.focus;
        EXPECT_EQ(dialog.result(), c.result) << c.focus;
    }
}

TEST_F(FormsetDialogTest, TabReachesEveryControlAndMnemonicsMoveTheFocus) {
    CTestFormset dialog(STestModel{}, nullptr);
    Open(dialog);
    dialog.price->setFocus();
    std::vector<QWidget*> reached;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    const std::vector<QWidget*> order = {dialog.volume, dialog.name, dialog.Button(1),
                                         dialog.Button(2), dialog.price};
    EXPECT_EQ(reached, order);

    struct Case {
        Qt::Key key;
        QWidget* focus;
    };
    const Case mnemonics[] = {{Qt::Key_N, dialog.name}, {Qt::Key_P, dialog.price}};
    for (const Case& c : mnemonics) {
        QTest::keyClick(&dialog, c.key, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), c.focus) << c.key;
    }
    // A check box's mnemonic focuses and toggles it (the click is animated).
    QTest::keyClick(&dialog, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.volume);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.volume->isChecked(); }));
    dialog.reject();
}

TEST_F(FormsetDialogTest, TranslatedWithItsIdentifierWhenFirstShown) {
    Activate("[4242]\n0=Testeinstellungen\n1101=&Preis:\n1002=&Volumen zeigen\n"
             "1=Ü&bernehmen\n2=&Abbrechen\n"
             "[Text]\nEnterNumber=%s: bitte eine Zahl eingeben.\n");
    CTestFormset dialog(STestModel{}, nullptr);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Test Settings"); // not before it shows
    Open(dialog);
    EXPECT_EQ(dialog.DialogId(), 4242u);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Testeinstellungen");
    EXPECT_EQ(qobject_cast<QLabel*>(FindControl(dialog, 1101))->text().toStdString(), "&Preis:");
    EXPECT_EQ(dialog.volume->text().toStdString(), "&Volumen zeigen");
    EXPECT_EQ(dialog.Button(1)->text().toStdString(), "Ü&bernehmen");
    EXPECT_EQ(dialog.Button(2)->text().toStdString(), "&Abbrechen");

    Retype(*dialog.price, "x");
    QTest::keyClick(dialog.price, Qt::Key_Return);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Preis: bitte eine Zahl eingeben."});
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
}

} // namespace
