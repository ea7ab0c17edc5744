#include "CLanguage.h"
#include "LanguageFileCache.h"
#include "StringTable.h"
#include "ctlkit/base/IniFile.h"
#include "ctlkit/base/ProgramFolder.h"
#include "ctlkit/base/SafeName.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {
// The process-wide translation state (m_tzFileName, m_uLang, m_uMax and the
// language identifier), with the seams of this implementation.
struct TranslationState {
    std::mutex mutex;
    std::string fileName;                              // guarded by mutex
    unsigned selected = CLanguage::kNoLanguageCommand; // guarded by mutex
    unsigned highest = CLanguage::kNoLanguageCommand;  // guarded by mutex
    uint16_t languageId = 0;                           // guarded by mutex
    std::string programName;                           // guarded by mutex
    std::optional<uint16_t> userDefaultLanguage;       // guarded by mutex
    std::string folder;                                // guarded by mutex
};

// The one state object (kept out of WithState: a static inside the template would be one
// object per instantiation).
TranslationState& State() {
    static TranslationState state;
    return state;
}

// Runs `f` on the state with its mutex held and returns what `f` returns.
template <typename F> auto WithState(F&& f) {
    TranslationState& state = State();
    std::lock_guard lock(state.mutex);
    return f(state);
}

constexpr char kLanguageFileExtension[] = ".lng";
constexpr unsigned kDescriptionString = 5310;

// At most kMaxText bytes, never ending inside a UTF-8 sequence.
std::string CutText(std::string text) {
    if (text.size() <= CLanguage::kMaxText) return text;
    size_t keep = CLanguage::kMaxText;
    // text[keep] is the first byte dropped; when it continues a sequence, drop its lead too.
    size_t lead = keep;
    while (lead > 0 && keep - lead < 3 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80)
        --lead;
    if (lead != keep && static_cast<unsigned char>(text[lead]) >= 0xC0) keep = lead;
    text.resize(keep);
    return text;
}

// The file as it is now, read again only when it changed since its last reading.
std::shared_ptr<const IniFile> LoadIni(const std::string& path) {
    return LanguageFileCache::Load(path);
}

// A non-empty value, cut to the translation length.
std::optional<std::string> Lookup(const IniFile& ini, std::string_view section,
                                  std::string_view key) {
    std::optional<std::string> value = ini.Value(section, key);
    if (!value || value->empty()) return std::nullopt;
    return CutText(std::move(*value));
}

std::optional<std::string> LookupActive(std::string_view section, std::string_view key) {
    std::string file = CLanguage::GetFile();
    if (file.empty()) return std::nullopt;
    return Lookup(*LoadIni(file), section, key);
}

// A Windows language identifier for the locale of the environment; 0 when unknown.
uint16_t LanguageIdFromEnvironment() {
    const char* locale = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            locale = v;
            break;
        }
    }
    if (!locale) return 0;
    std::string tag(locale);
    tag = tag.substr(0, tag.find_first_of(".@"));
    struct Known {
        const char* tag;
        uint16_t id;
    };
    // Full tags first, then bare languages (their primary country).
    static constexpr Known kKnown[] = {
        {"en_US", 0x0409}, {"en_GB", 0x0809}, {"zh_CN", 0x0804}, {"zh_TW", 0x0404},
        {"zh_HK", 0x0C04}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"de", 0x0407},
        {"fr", 0x040C},    {"es", 0x0C0A},    {"it", 0x0410},    {"ja", 0x0411},
        {"ko", 0x0412},    {"nl", 0x0413},    {"ru", 0x0419},    {"en", 0x0409},
        {"zh", 0x0804},    {"pt", 0x0816},
    };
    for (const Known& k : kKnown)
        if (tag == k.tag) return k.id;
    std::string language = tag.substr(0, tag.find('_'));
    for (const Known& k : kKnown)
        if (language == k.tag) return k.id;
    return 0;
}

uint16_t UserDefaultLanguage() {
    std::optional<uint16_t> id =
        WithState([](TranslationState& s) { return s.userDefaultLanguage; });
    return id ? *id : LanguageIdFromEnvironment();
}

// The "*.lng" files of `folder`, by file name.
std::vector<std::string> LanguageFileNames(const std::string& folder = ProgramFolder()) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        const size_t ext = sizeof kLanguageFileExtension - 1;
        if (name.size() > ext &&
            name.compare(name.size() - ext, ext, kLanguageFileExtension) == 0 &&
            it->is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The language file of a language-menu item text, or "" when the text is no safe file name.
std::string LanguageFileOf(const std::string& itemText) {
    if (itemText.empty() || !IsSafePathPart(itemText)) return {};
    return ProgramFolder() + itemText + kLanguageFileExtension;
}

uint16_t LanguageIdOf(const IniFile& ini) {
    return static_cast<uint16_t>(
        ParseLeadingInt(ini.Value("Language", "Language").value_or(std::string())));
}

void WriteLanguageSetting(uint16_t id) {
    CIniReader settings(CLanguage::SettingsPath());
    settings.setKeyNum(id, "Language", "Main");
}
} // namespace

void CLanguage::SetFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    WithState([&](TranslationState& s) { s.folder = std::move(folder); });
}

std::string CLanguage::GetFolder() {
    return WithState([](TranslationState& s) { return s.folder; });
}

std::vector<std::string> CLanguage::StringInEveryFile(unsigned id, const std::string& folder) {
    std::vector<std::string> texts;
    if (folder.empty()) return texts;
    const std::string base = folder.back() == '/' ? folder : folder + '/';
    const std::string key = std::to_string(id);
    for (const std::string& name : LanguageFileNames(base)) {
        std::optional<std::string> text = Lookup(*LoadIni(base + name), "String", key);
        if (text && std::find(texts.begin(), texts.end(), *text) == texts.end())
            texts.push_back(std::move(*text));
    }
    return texts;
}

void CLanguage::SetFile(std::string path) {
    WithState([&](TranslationState& s) { s.fileName = std::move(path); });
}

std::string CLanguage::GetFile() {
    return WithState([](TranslationState& s) { return s.fileName; });
}

std::optional<std::string> CLanguage::TranslateString(unsigned id) {
    if (std::optional<std::string> text = LookupActive("String", std::to_string(id))) return text;
    if (const char* builtIn = BuiltInString(id)) return CutText(builtIn);
    return std::nullopt;
}

std::string CLanguage::TranslateText(std::string_view key, std::string_view fallback) {
    return LookupActive("Text", key).value_or(std::string(fallback));
}

std::string CLanguage::TranslateTextEx(std::string_view key, std::string_view fallback) {
    std::optional<std::string> text = LookupActive("Text", key);
    if (!text) return std::string(fallback);
    text->resize(std::min(text->size(), text->find('`')));
    std::replace(text->begin(), text->end(), '~', '\n');
    return *text;
}

void CLanguage::TranslateDialog(CTranslatableWindow& dialog, const CLangSection& section) {
    std::string file = GetFile();
    if (file.empty()) return;
    const std::shared_ptr<const IniFile> loaded = LoadIni(file);
    const IniFile& ini = *loaded;
    std::function<void(CTranslatableWindow&)> walk = [&](CTranslatableWindow& window) {
        if (std::optional<std::string> text =
                Lookup(ini, section.Name(), std::to_string(window.ControlId())))
            window.SetText(*text);
        for (size_t i = 0; i < window.ChildCount(); ++i) walk(window.Child(i));
    };
    walk(dialog);
}

void CLanguage::TranslateMenu(CTranslatableMenu& menu, const CLangSection& section) {
    std::string file = GetFile();
    if (file.empty()) {
        std::function<void(CTranslatableMenu&)> restore = [&](CTranslatableMenu& m) {
            for (unsigned pos = 0; pos < m.ItemCount(); ++pos) {
                if (m.IsSeparator(pos)) continue;
                m.SetItemText(pos, m.ResourceText(pos));
                if (CTranslatableMenu* sub = m.IsPopup(pos) ? m.SubMenu(pos) : nullptr)
                    restore(*sub);
            }
        };
        restore(menu);
        return;
    }
    const std::shared_ptr<const IniFile> loaded = LoadIni(file);
    const IniFile& ini = *loaded;
    std::function<void(CTranslatableMenu&, const std::string&)> walk =
        [&](CTranslatableMenu& m, const std::string& prefix) {
            for (unsigned pos = 0; pos < m.ItemCount(); ++pos) {
                const bool popup = m.IsPopup(pos);
                if (m.IsSeparator(pos) || (!popup && m.ItemId(pos) == 0)) continue;
                const std::string key =
                    popup ? prefix + "|" + std::to_string(pos) : std::to_string(m.ItemId(pos));
                if (std::optional<std::string> text = Lookup(ini, section.Name(), key))
                    m.SetItemText(pos, *text);
                if (CTranslatableMenu* sub = popup ? m.SubMenu(pos) : nullptr) walk(*sub, key);
            }
        };
    walk(menu, "");
}

uint16_t CLanguage::Initialize() {
    CIniReader settings(SettingsPath());
    std::string stored = settings.getKeyValue("Language", "Main");
    const uint16_t id =
        stored.empty() ? UserDefaultLanguage() : static_cast<uint16_t>(ParseLeadingInt(stored));
    if (id == 0) return 0;
    for (const std::string& name : LanguageFileNames()) {
        const std::string path = ProgramFolder() + name;
        if (LanguageIdOf(*LoadIni(path)) != id) continue;
        SetFile(path);
        Set(nullptr, id);
        return id;
    }
    return 0;
}

unsigned CLanguage::List(CLanguageMenu& menu) {
    CIniReader settings(SettingsPath());
    const auto stored = static_cast<uint16_t>(settings.getKeyValueNum("Language", "Main"));
    menu.AppendSeparator();
    unsigned command = kFirstLanguageCommand;
    unsigned selected = kNoLanguageCommand;
    const size_t ext = sizeof kLanguageFileExtension - 1;
    for (const std::string& name : LanguageFileNames()) {
        if (command > kLastLanguageCommand) break;
        const uint16_t id = LanguageIdOf(*LoadIni(ProgramFolder() + name));
        if (id == 0) continue;
        menu.AppendItem(command, name.substr(0, name.size() - ext));
        if (stored != 0 && id == stored && selected == kNoLanguageCommand) selected = command;
        ++command;
    }
    const unsigned highest = WithState([&](TranslationState& s) {
        s.highest = std::max(s.highest, command - 1);
        s.selected = selected;
        return s.highest;
    });
    menu.CheckRadio(kNoLanguageCommand, highest, selected);
    return selected;
}

void CLanguage::Set(CLanguageMenu* menu, unsigned value) {
    if (!menu) {
        const auto id = static_cast<uint16_t>(value);
        WithState([&](TranslationState& s) { s.languageId = id; });
        WriteLanguageSetting(id);
        return;
    }
    const unsigned highest = HighestCommand();
    std::string path;
    if (value >= kFirstLanguageCommand && value <= highest)
        path = LanguageFileOf(menu->CommandText(value));
    const uint16_t id = path.empty() ? 0 : LanguageIdOf(*LoadIni(path));
    const unsigned selected = path.empty() ? kNoLanguageCommand : value;
    WithState([&](TranslationState& s) {
        s.fileName = path;
        s.selected = selected;
        s.languageId = id;
    });
    menu->CheckRadio(kNoLanguageCommand, highest, selected);
    WriteLanguageSetting(id);
}

std::string CLanguage::GetDescription(CLanguageMenu& menu, unsigned command) {
    const std::string path = LanguageFileOf(menu.CommandText(command));
    if (!path.empty())
        if (std::optional<std::string> text = Lookup(*LoadIni(path), "Language", "Description"))
            return *text;
    return TranslateString(kDescriptionString).value_or(std::string());
}

unsigned CLanguage::SelectedCommand() {
    return WithState([](TranslationState& s) { return s.selected; });
}

unsigned CLanguage::HighestCommand() {
    return WithState([](TranslationState& s) { return s.highest; });
}

uint16_t CLanguage::LanguageId() {
    return WithState([](TranslationState& s) { return s.languageId; });
}

void CLanguage::SetProgramName(std::string name) {
    WithState([&](TranslationState& s) { s.programName = std::move(name); });
}

std::string CLanguage::SettingsPath() {
    std::string name = WithState([](TranslationState& s) { return s.programName; });
    if (name.empty()) name = ExecutableName();
    return ProgramFolder() + name + ".ini";
}

void CLanguage::SetUserDefaultLanguage(std::optional<uint16_t> id) {
    WithState([&](TranslationState& s) { s.userDefaultLanguage = id; });
}
