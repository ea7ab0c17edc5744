#pragma once
#include "LangMenu.h"
#include "LangSection.h"
#include "LangWindow.h"
#include "ctlkit/base/CIniReader.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Translation of the user interface through a language file: an INI file with the
// sections "Language" (Language, Description), "String" (string identifier = text), "Text"
// (free key = text) and one section per dialog or menu (CLangSection).
//
// The translation state (the active file, the language-menu selection) is process-wide
// and guarded by a mutex, so any thread may translate. Every text is
// returned as a string of its own (no shared result buffer) and is at most 1023 bytes long
// (a cut never splits a UTF-8 sequence). A found value is one that is non-empty; an empty
// value counts as absent, as everywhere in the settings. Each language file is read once per
// change (LanguageFileCache): a call sees the file as it is now without reading it again.
class CLanguage : public CIniReader {
public:
    // The CIniReader part reads the settings file at `setupIni`.
    explicit CLanguage(std::string setupIni) : CIniReader(std::move(setupIni)) {}

    // Makes `path` the active language file (the whole path is kept); "" switches translation
    // off. A path that names no readable file leaves every text untranslated.
    static void SetFile(std::string path);
    static std::string GetFile();

    // The installation's folder of language files, which readers of stored translated texts
    // compare with (a "/" is added when missing); "" (the default) when none was set.
    static void SetFolder(std::string folder);
    static std::string GetFolder();
    // The text of section "String", key "%u" in every language file of `folder` (its "*.lng"
    // files, in file-name order), each text once; files without the key give nothing.
    static std::vector<std::string> StringInEveryFile(unsigned id, const std::string& folder);

    // Section "String", key "%u" of the active file, else the built-in text (StringTable.h),
    // else nothing.
    static std::optional<std::string> TranslateString(unsigned id);
    // Section "Text", key `key` of the active file, else `fallback` (returned as given).
    static std::string TranslateText(std::string_view key, std::string_view fallback);
    // As TranslateText; in a found value the first "`" ends the text and every "~" becomes a
    // line break ("\n").
    static std::string TranslateTextEx(std::string_view key, std::string_view fallback);

    // With a language file active: the dialog and then every descendant window, depth first,
    // gets the value of key "%u" (its control identifier) of `section` when there is one.
    // Without one: nothing changes.
    static void TranslateDialog(CTranslatableWindow& dialog, const CLangSection& section);
    // With a language file active: walks the items by position; separators (and command items
    // of identifier 0) are skipped; a command item's key is its identifier "%u", a pop-up's key
    // is the prefix of its menu, "|" and its position (so "|2", "|0|5"); a found value replaces
    // the item's text; pop-ups are walked with their key as prefix. Without a language file:
    // every item gets its resource text back.
    static void TranslateMenu(CTranslatableMenu& menu, const CLangSection& section);

    // --- The language menu. Settings: section "Main", key "Language" of SettingsPath();
    // language files: the "*.lng" files of ProgramFolder(), in file-name order (Linux has no
    // directory order to keep), extension matched exactly.

    // "Main"/"Language" (the user's default language when absent); when non-zero, the first
    // language file with that "Language"/"Language" becomes active, the identifier is written
    // back through Set(nullptr, id), and it is returned. 0 when none matched (nothing changes).
    static uint16_t Initialize();
    // Appends a separator and one item per language file with a non-zero identifier (text =
    // file name less ".lng", commands 5310, 5311, ... up to 5359); the item of the stored
    // "Main"/"Language" is selected and radio-checked in 5309..HighestCommand(). Returns the
    // selected command (5309 when none).
    static unsigned List(CLanguageMenu& menu);
    // With a menu, `value` is a menu command: outside 5310..HighestCommand() (or naming no
    // item) translation goes off (selection 5309, identifier 0); otherwise the item's text +
    // ".lng" in the program folder becomes active. The radio group is updated.
    // With a null menu, `value` is a language identifier and is only recorded.
    // Both write "Main"/"Language" with the identifier in decimal.
    static void Set(CLanguageMenu* menu, unsigned value);
    // "Language"/"Description" of the item's language file, else string 5310 (empty when the
    // program has no such string).
    static std::string GetDescription(CLanguageMenu& menu, unsigned command);
    // Does nothing.
    static void Destroy() {}

    static unsigned SelectedCommand(); // m_uLang, initially 5309
    static unsigned HighestCommand();  // m_uMax, initially 5309
    static uint16_t LanguageId();      // identifier of the selected language, 0 = none

    // The name of the running program, for its language-menu settings file; "" (the
    // default) means the name of the executable.
    static void SetProgramName(std::string name);
    // ProgramFolder() + program name + ".ini".
    static std::string SettingsPath();
    // The user's default language identifier (a Windows LANGID) that Initialize falls back
    // to; unset = derived from LC_ALL, LC_MESSAGES or LANG (0 when unknown).
    static void SetUserDefaultLanguage(std::optional<uint16_t> id);

    static constexpr unsigned kNoLanguageCommand = 5309;
    static constexpr unsigned kFirstLanguageCommand = 5310;
    static constexpr unsigned kLastLanguageCommand = 5359;
    static constexpr size_t kMaxText = 1023;
};
