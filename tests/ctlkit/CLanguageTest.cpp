#include "ctlkit/lang/CLanguage.h"
#include "LanguageFileTest.h"
#include "ctlkit/lang/LangMemoryMenu.h"
#include "ctlkit/lang/LangMemoryWindow.h"
#include "ctlkit/lang/StringTable.h"
#include <gtest/gtest.h>

namespace {

using CLanguageTest = LanguageFileTest;

TEST_F(CLanguageTest, TranslateStringFallsBackToBuiltInTable) {
    EXPECT_EQ(CLanguage::TranslateString(88), "Please select a stock first.");
    EXPECT_EQ(CLanguage::TranslateString(1), std::string(BuiltInString(1)));
    EXPECT_EQ(CLanguage::TranslateString(9999), std::nullopt);

    Activate("[String]\n88=Bitte zuerst eine Aktie wählen.\n97=\" Daten werden geladen\"\n2=\n");
    EXPECT_EQ(CLanguage::TranslateString(88), "Bitte zuerst eine Aktie wählen.");
    EXPECT_EQ(CLanguage::TranslateString(97), " Daten werden geladen"); // quotes keep the blank
    EXPECT_EQ(CLanguage::TranslateString(2), std::string(BuiltInString(2))); // empty = absent
    EXPECT_EQ(CLanguage::TranslateString(134), "Profit Percentage");
    EXPECT_EQ(CLanguage::TranslateString(9999), std::nullopt);
}

TEST_F(CLanguageTest, TwoTextsAtOnceStayIndependent) {
    std::optional<std::string> first = CLanguage::TranslateString(17);
    std::optional<std::string> second = CLanguage::TranslateString(18);
    EXPECT_EQ(first, "Stock Name Panel");
    EXPECT_EQ(second, "Stock Info Panel");
}

TEST_F(CLanguageTest, UnreadableLanguageFileLeavesEverythingUntranslated) {
    CLanguage::SetFile(dir.Path() + "/"); // the bare "Lng/" folder
    EXPECT_EQ(CLanguage::TranslateString(88), "Please select a stock first.");
    EXPECT_EQ(CLanguage::TranslateText("k", "fallback"), "fallback");
    CLanguage::SetFile(dir.File("missing.lng"));
    EXPECT_EQ(CLanguage::TranslateString(88), "Please select a stock first.");
}

TEST_F(CLanguageTest, TextsAreCutAt1023) {
    Activate("[String]\n1=" + std::string(3000, 'x') + "\n[Text]\nlong=" + std::string(1022, 'a') +
             "\xC3\xA9" + "tail\n");
    EXPECT_EQ(CLanguage::TranslateString(1), std::string(1023, 'x'));
    // 1022 + a two-byte character would end inside the character: cut before it.
    EXPECT_EQ(CLanguage::TranslateText("long", ""), std::string(1022, 'a'));
}

TEST_F(CLanguageTest, TranslateTextAndEx) {
    EXPECT_EQ(CLanguage::TranslateText("Hello", "Hello~there"), "Hello~there");
    EXPECT_EQ(CLanguage::TranslateTextEx("Hello", "Hello~there"), "Hello~there");
    Activate("[Text]\nHello=Hallo~Welt`ignored~rest\nPlain=a~b\nTick=`\n");
    EXPECT_EQ(CLanguage::TranslateText("hello", "x"), "Hallo~Welt`ignored~rest");
    EXPECT_EQ(CLanguage::TranslateTextEx("hello", "x"), "Hallo\nWelt");
    EXPECT_EQ(CLanguage::TranslateTextEx("Plain", "x"), "a\nb");
    EXPECT_EQ(CLanguage::TranslateTextEx("Tick", "x"), "");
    EXPECT_EQ(CLanguage::TranslateTextEx("Absent", "fall~back"), "fall~back");
}

TEST_F(CLanguageTest, TranslateDialogByControlIdentifier) {
    CMemoryWindow dialog(0, "Gann Table");
    dialog.AddChild(1001, "OK");
    CMemoryWindow& group = dialog.AddChild(1002, "Cancel");
    group.AddChild(1003, "Nested");

    CLanguage::TranslateDialog(dialog, 156);
    EXPECT_EQ(dialog.At(0).GetText(), "OK"); // translation off: unchanged

    Activate("[156]\n0=Gann-Tabelle\n1001=Ja\n1003=Innen\n[Named]\n1001=Named OK\n");
    CLanguage::TranslateDialog(dialog, 156u);
    EXPECT_EQ(dialog.GetText(), "Gann-Tabelle");
    EXPECT_EQ(dialog.At(0).GetText(), "Ja");
    EXPECT_EQ(dialog.At(1).GetText(), "Cancel");
    EXPECT_EQ(dialog.At(1).At(0).GetText(), "Innen");

    CLanguage::TranslateDialog(dialog, "Named");
    EXPECT_EQ(dialog.At(0).GetText(), "Named OK");
}

TEST_F(CLanguageTest, SectionNameIsCutTo31) {
    const std::string longName(40, 'D');
    EXPECT_EQ(CLangSection(longName).Name(), longName.substr(0, 31));
    EXPECT_EQ(CLangSection(65535u).Name(), "65535");
    Activate("[" + longName.substr(0, 31) + "]\n7=seven\n");
    CMemoryWindow dialog(7, "x");
    CLanguage::TranslateDialog(dialog, longName);
    EXPECT_EQ(dialog.GetText(), "seven");
}

// Menu bar: |0 "File" (New, separator, Open, Save, Exit, |0|5 "Recent" with 33001),
// |1 "View" (32771), |2 "Help" (57664).
void BuildMenu(CMemoryMenu& bar) {
    CMemoryMenu& file = bar.AddPopup("&File");
    file.AddCommand(57600, "&New");
    file.AppendSeparator();
    file.AddCommand(57601, "&Open");
    file.AddCommand(57603, "&Save");
    file.AddCommand(57665, "E&xit");
    CMemoryMenu& recent = file.AddPopup("Recent");
    recent.AddCommand(33001, "First");
    bar.AddPopup("&View").AddCommand(32771, "Stock Name Panel");
    bar.AddPopup("&Help").AddCommand(57664, "&About");
}

TEST_F(CLanguageTest, TranslateMenuKeys) {
    CMemoryMenu bar;
    BuildMenu(bar);
    Activate("[169]\n|0=&Datei\n|0|5=Zuletzt\n|2=&Hilfe\n57600=&Neu\n33001=Erste\n"
             "32771=Aktienliste\n0=SEPARATOR\n|0|1=SEPARATOR\n[128]\n|1=Other menu\n");
    CLanguage::TranslateMenu(bar, 169);
    EXPECT_EQ(bar.ItemText(0), "&Datei");
    EXPECT_EQ(bar.ItemText(1), "&View"); // no key |1 in section 169
    EXPECT_EQ(bar.ItemText(2), "&Hilfe");
    CMemoryMenu& file = bar.Popup(0);
    EXPECT_EQ(file.ItemText(0), "&Neu");
    EXPECT_EQ(file.ItemText(1), ""); // the separator never changes
    EXPECT_EQ(file.ItemText(2), "&Open");
    EXPECT_EQ(file.ItemText(5), "Zuletzt");
    EXPECT_EQ(file.Popup(5).ItemText(0), "Erste");
    EXPECT_EQ(bar.Popup(1).ItemText(0), "Aktienliste"); // a command key is the same anywhere

    CLanguage::TranslateMenu(bar, 128);
    EXPECT_EQ(bar.ItemText(1), "Other menu");
}

TEST_F(CLanguageTest, TranslateMenuWithTranslationOffRestoresResourceTexts) {
    CMemoryMenu bar;
    BuildMenu(bar);
    Activate("[169]\n|0=&Datei\n|0|5=Zuletzt\n57600=&Neu\n33001=Erste\n");
    CLanguage::TranslateMenu(bar, 169);
    ASSERT_EQ(bar.Popup(0).Popup(5).ItemText(0), "Erste");
    CLanguage::SetFile("");
    CLanguage::TranslateMenu(bar, 169);
    EXPECT_EQ(bar.ItemText(0), "&File");
    EXPECT_EQ(bar.Popup(0).ItemText(0), "&New");
    EXPECT_EQ(bar.Popup(0).ItemText(5), "Recent");
    EXPECT_EQ(bar.Popup(0).Popup(5).ItemText(0), "First");
    EXPECT_EQ(bar.Popup(0).ItemText(1), "");
}

TEST_F(CLanguageTest, TranslationIsSafeFromWorkerThreads) {
    Activate("[String]\n88=Translated\n");
    EXPECT_EQ(TranslationsOutside({"Translated", "Please select a stock first."},
                                  [&] {
                                      for (int i = 0; i < 200; ++i)
                                          CLanguage::SetFile(i % 2 ? "" : lng);
                                  }),
              0);
}

// The language menu works on the program folder (ZENTRISTOCK_HOME) and a settings file named
// after the program.
class LanguageMenuTest : public CLanguageTest {
protected:
    void SetUp() override {
        CLanguageTest::SetUp();
        CLanguage::SetProgramName("zstest");
        CLanguage::SetUserDefaultLanguage(std::nullopt);
        WriteText(dir.File("German.lng"), "[Language]\nLanguage=1031\nDescription=Deutsch\n"
                                          "[String]\n88=Aktie wählen\n");
        WriteText(dir.File("French.lng"), "[Language]\nLanguage=1036\n[String]\n88=Choisir\n");
        WriteText(dir.File("Zero.lng"), "[Language]\nLanguage=0\n");
        WriteText(dir.File("Other.txt"), "[Language]\nLanguage=1041\n");
    }
    void TearDown() override {
        CLanguage::SetProgramName("");
        CLanguage::SetUserDefaultLanguage(std::nullopt);
        CLanguageTest::TearDown();
    }
    std::string Settings() const { return ReadText(dir.File("zstest.ini")); }

    ScopedEnv home{"ZENTRISTOCK_HOME", dir.Path()};
};

TEST_F(LanguageMenuTest, ListAddsOneCommandPerLanguageFile) {
    EXPECT_EQ(CLanguage::SettingsPath(), dir.Path() + "/zstest.ini");
    CMemoryMenu menu;
    menu.AddCommand(CLanguage::kNoLanguageCommand, "English (built in)");
    EXPECT_EQ(CLanguage::List(menu), CLanguage::kNoLanguageCommand);
    ASSERT_EQ(menu.ItemCount(), 4u);
    EXPECT_TRUE(menu.IsSeparator(1));
    EXPECT_EQ(menu.ItemId(2), 5310u);
    EXPECT_EQ(menu.ItemText(2), "French");
    EXPECT_EQ(menu.ItemId(3), 5311u);
    EXPECT_EQ(menu.ItemText(3), "German");
    EXPECT_TRUE(menu.IsChecked(0));
    EXPECT_GE(CLanguage::HighestCommand(), 5311u);
}

TEST_F(LanguageMenuTest, SetSelectsAndSwitchesOff) {
    CMemoryMenu menu;
    menu.AddCommand(CLanguage::kNoLanguageCommand, "English");
    CLanguage::List(menu);
    CLanguage::Set(&menu, 5311);
    EXPECT_EQ(CLanguage::GetFile(), dir.File("German.lng"));
    EXPECT_EQ(CLanguage::LanguageId(), 1031);
    EXPECT_EQ(CLanguage::SelectedCommand(), 5311u);
    EXPECT_TRUE(menu.IsChecked(3));
    EXPECT_FALSE(menu.IsChecked(0));
    EXPECT_EQ(Settings(), "[Main]\nLanguage=1031\n");
    EXPECT_EQ(CLanguage::TranslateString(88), "Aktie wählen");

    // A fresh list selects the stored language.
    CMemoryMenu again;
    EXPECT_EQ(CLanguage::List(again), 5311u);
    EXPECT_TRUE(again.IsChecked(2));

    for (unsigned outside : {CLanguage::kNoLanguageCommand, 5000u, 6000u}) {
        CLanguage::Set(&menu, 5311);
        CLanguage::Set(&menu, outside);
        EXPECT_EQ(CLanguage::GetFile(), "") << outside;
        EXPECT_EQ(CLanguage::LanguageId(), 0);
        EXPECT_EQ(CLanguage::SelectedCommand(), CLanguage::kNoLanguageCommand);
        EXPECT_TRUE(menu.IsChecked(0));
        EXPECT_EQ(Settings(), "[Main]\nLanguage=0\n");
        EXPECT_EQ(CLanguage::TranslateString(88), "Please select a stock first.");
    }
}

TEST_F(LanguageMenuTest, GetDescription) {
    CMemoryMenu menu;
    CLanguage::List(menu);
    EXPECT_EQ(CLanguage::GetDescription(menu, 5311), "Deutsch");
    // No description and no built-in string 5310: empty.
    EXPECT_EQ(CLanguage::GetDescription(menu, 5310), "");
    WriteText(lng, "[String]\n5310=No description\n");
    CLanguage::SetFile(lng);
    EXPECT_EQ(CLanguage::GetDescription(menu, 5310), "No description");
}

TEST_F(LanguageMenuTest, InitializeActivatesTheStoredLanguage) {
    WriteText(dir.File("zstest.ini"), "[Main]\nLanguage=1036\n");
    EXPECT_EQ(CLanguage::Initialize(), 1036);
    EXPECT_EQ(CLanguage::GetFile(), dir.File("French.lng"));
    EXPECT_EQ(CLanguage::TranslateString(88), "Choisir");
    EXPECT_EQ(Settings(), "[Main]\nLanguage=1036\n");
}

TEST_F(LanguageMenuTest, InitializeFallsBackToTheUserDefault) {
    CLanguage::SetUserDefaultLanguage(1031);
    EXPECT_EQ(CLanguage::Initialize(), 1031);
    EXPECT_EQ(CLanguage::GetFile(), dir.File("German.lng"));
    EXPECT_EQ(Settings(), "[Main]\nLanguage=1031\n");
}

TEST_F(LanguageMenuTest, InitializeWithoutMatchChangesNothing) {
    WriteText(dir.File("zstest.ini"), "[Main]\nLanguage=0\n");
    CLanguage::SetUserDefaultLanguage(1031);
    EXPECT_EQ(CLanguage::Initialize(), 0);
    EXPECT_EQ(CLanguage::GetFile(), "");
    WriteText(dir.File("zstest.ini"), "[Main]\nLanguage=1041\n"); // only Other.txt has it
    EXPECT_EQ(CLanguage::Initialize(), 0);
    EXPECT_EQ(CLanguage::GetFile(), "");
}

TEST_F(LanguageMenuTest, AtMostFiftyLanguages) {
    for (int i = 0; i < 55; ++i)
        WriteText(dir.File("L" + std::to_string(100 + i) + ".lng"),
                  "[Language]\nLanguage=" + std::to_string(2000 + i) + "\n");
    CMemoryMenu menu;
    CLanguage::List(menu);
    ASSERT_EQ(menu.ItemCount(), 51u); // separator + 50
    EXPECT_EQ(menu.ItemId(50), CLanguage::kLastLanguageCommand);
    EXPECT_EQ(CLanguage::HighestCommand(), CLanguage::kLastLanguageCommand);
}

} // namespace
