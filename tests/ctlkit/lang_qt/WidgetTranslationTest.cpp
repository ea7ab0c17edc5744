#include "../LanguageFileTest.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A dialog laid out like the price series settings: identified labels, buttons, a check box,
// a radio button and an identified group box, beside widgets that carry no identifier.
struct PriceDialog {
    PriceDialog() {
        dialog.setWindowTitle("Priceline Setting Dialog");
        auto* layout = new QVBoxLayout(&dialog);
        styleLabel = Add<QLabel>(layout, 1116, "Price Line &Style:");
        lineLabel = Add<QLabel>(layout, 1144, "&Line Style:");
        weightLabel = Add<QLabel>(layout, 1143, "&Weight:");
        auto* rise = new QGroupBox("Rise", &dialog); // no identifier: passed through
        layout->addWidget(rise);
        auto* riseLayout = new QVBoxLayout(rise);
        riseBorder = Add<QPushButton>(riseLayout, 1109, "Border");
        riseFill = Add<QPushButton>(riseLayout, 1125, "Fill");
        doji = Add<QRadioButton>(layout, 2009, "Doji Color");
        down = Add<QGroupBox>(layout, 1121, "Down");
        auto* downLayout = new QVBoxLayout(down);
        downFill = Add<QCheckBox>(downLayout, 1128, "Fill");
        unnamed = new QLabel("Unchanged", &dialog);
        layout->addWidget(unnamed);
        edit = Add<QLineEdit>(layout, 1200, "12.5");
        combo = new QComboBox(&dialog);
        combo->addItem("Candles");
        SetControlId(*combo, 1201);
        layout->addWidget(combo);
    }

    template <class W> W* Add(QVBoxLayout* layout, unsigned id, const char* text) {
        auto* widget = new W(&dialog);
        if constexpr (std::is_same_v<W, QGroupBox>)
            widget->setTitle(text);
        else
            widget->setText(text);
        SetControlId(*widget, id);
        layout->addWidget(widget);
        return widget;
    }

    QDialog dialog;
    QLabel* styleLabel;
    QLabel* lineLabel;
    QLabel* weightLabel;
    QPushButton* riseBorder;
    QPushButton* riseFill;
    QRadioButton* doji;
    QGroupBox* down;
    QCheckBox* downFill;
    QLabel* unnamed;
    QLineEdit* edit;
    QComboBox* combo;
};

const char* kGerman = "[239]\n"
                      "0=Kurslinie einstellen\n"
                      "1116=Kurs&linie:\n"
                      "1144=&Linienart:\n"
                      "1143=&Stärke:\n"
                      "1109=Rahmen\n"
                      "1125=Füllung\n"
                      "2009=Doji-Farbe\n"
                      "1121=Fallend\n"
                      "1128=Füllen\n"
                      "1200=not a text\n"
                      "1201=not a text\n"
                      "[240]\n"
                      "0=Other dialog\n";

struct TextCase {
    const char* name;
    std::function<QString(PriceDialog&)> text;
    const char* english;
    const char* german;
};

std::vector<TextCase> Texts() {
    return {
        {"title", [](PriceDialog& d) { return d.dialog.windowTitle(); }, "Priceline Setting Dialog",
         "Kurslinie einstellen"},
        {"label 1116", [](PriceDialog& d) { return d.styleLabel->text(); },
         "Price Line &Style:", "Kurs&linie:"},
        {"label 1144", [](PriceDialog& d) { return d.lineLabel->text(); },
         "&Line Style:", "&Linienart:"},
        {"label 1143", [](PriceDialog& d) { return d.weightLabel->text(); },
         "&Weight:", "&Stärke:"},
        {"button 1109 in a group without id", [](PriceDialog& d) { return d.riseBorder->text(); },
         "Border", "Rahmen"},
        {"button 1125", [](PriceDialog& d) { return d.riseFill->text(); }, "Fill", "Füllung"},
        {"radio 2009", [](PriceDialog& d) { return d.doji->text(); }, "Doji Color", "Doji-Farbe"},
        {"group 1121", [](PriceDialog& d) { return d.down->title(); }, "Down", "Fallend"},
        {"check box 1128 in group 1121", [](PriceDialog& d) { return d.downFill->text(); }, "Fill",
         "Füllen"},
        {"label without id", [](PriceDialog& d) { return d.unnamed->text(); }, "Unchanged",
         "Unchanged"},
        {"group without id",
         [](PriceDialog& d) {
             return qobject_cast<QGroupBox*>(d.riseBorder->parentWidget())->title();
         },
         "Rise", "Rise"},
        {"edit 1200 keeps its contents", [](PriceDialog& d) { return d.edit->text(); }, "12.5",
         "12.5"},
        {"list 1201 keeps its entry", [](PriceDialog& d) { return d.combo->currentText(); },
         "Candles", "Candles"},
    };
}

using WidgetTranslationTest = LanguageFileTest;

TEST_F(WidgetTranslationTest, LanguageFileRenamesIdentifiedControlsAndTitle) {
    Activate(kGerman);
    PriceDialog d;
    TranslateWidgets(d.dialog, 239);
    for (const TextCase& c : Texts()) EXPECT_EQ(c.text(d).toStdString(), c.german) << c.name;
}

TEST_F(WidgetTranslationTest, TextsStayWithoutLanguageFileOrSection) {
    for (const char* file : {"", "[String]\n1=x\n", "[239]\n"}) {
        CLanguage::SetFile("");
        if (*file) Activate(file);
        PriceDialog d;
        TranslateWidgets(d.dialog, 239);
        for (const TextCase& c : Texts())
            EXPECT_EQ(c.text(d).toStdString(), c.english)
                << c.name << " with file '" << file << "'";
    }
}

TEST_F(WidgetTranslationTest, SectionIsTheDialogIdentifier) {
    Activate(kGerman);
    PriceDialog d;
    TranslateWidgets(d.dialog, 240);
    EXPECT_EQ(d.dialog.windowTitle().toStdString(), "Other dialog");
    EXPECT_EQ(d.styleLabel->text().toStdString(), "Price Line &Style:");
}

TEST_F(WidgetTranslationTest, ControlIdentifiersAreFoundBelowTheDialog) {
    PriceDialog d;
    EXPECT_EQ(ControlIdOf(*d.downFill), 1128u);
    EXPECT_EQ(ControlIdOf(*d.unnamed), std::nullopt);
    EXPECT_EQ(FindControl(d.dialog, 1128), d.downFill);
    EXPECT_EQ(FindControl(d.dialog, 2009), d.doji);
    EXPECT_EQ(FindControl(d.dialog, 4711), nullptr);
}

TEST_F(WidgetTranslationTest, ChildDialogIsNotTranslatedWithItsParent) {
    Activate(kGerman);
    PriceDialog d;
    QDialog child(&d.dialog);
    child.setWindowTitle("Colour");
    QLabel inner("Border", &child);
    SetControlId(inner, 1109);
    TranslateWidgets(d.dialog, 239);
    EXPECT_EQ(inner.text().toStdString(), "Border");
    EXPECT_EQ(child.windowTitle().toStdString(), "Colour");
    EXPECT_EQ(d.riseBorder->text().toStdString(), "Rahmen");
}

} // namespace
