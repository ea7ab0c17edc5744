#include "CIniReader.h"
#include "AtomicFile.h"
#include "IniFile.h"
#include "IniFileLock.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>

namespace {
// The list buffer of getSectionNames and getSectionData.
constexpr size_t kListBufferChars = 2000;

// The default font: 15/6/400, not italic, "Arial".
constexpr int32_t kFontHeight = 15;
constexpr int32_t kFontWidth = 6;
constexpr int32_t kFontWeight = 400;
constexpr char kFontFaceName[] = "Arial";

int32_t ClampedLength(size_t n) {
    return n > static_cast<size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(n);
}

std::string FlagText(int value) {
    return value != 0 ? "1" : "0";
}

// The face name of the record: at most 31 characters, ending at the first NUL.
std::string FaceNameOf(const LOGFONT& font) {
    return std::string(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName - 1));
}

void SetFaceName(LOGFONT& font, const std::string& name) {
    size_t n = std::min(name.size(), sizeof font.lfFaceName - 1);
    std::memcpy(font.lfFaceName, name.data(), n);
    std::memset(font.lfFaceName + n, 0, sizeof font.lfFaceName - n);
}

LOGFONT DefaultFont() {
    LOGFONT font{};
    font.lfHeight = kFontHeight;
    font.lfWidth = kFontWidth;
    font.lfWeight = kFontWeight;
    font.lfItalic = 0;
    SetFaceName(font, kFontFaceName);
    return font;
}
} // namespace

CIniReader::CIniReader(std::string path) : m_fileName(std::move(path)) {}

void CIniReader::setINIFileName(std::string path) {
    m_fileName = std::move(path);
}

IniFile CIniReader::Load() const {
    std::string text;
    if (!ReadWholeFile(m_fileName, text)) text.clear();
    return IniFile::Parse(text);
}

std::string CIniReader::ValueOf(const IniFile& ini, const std::string& key,
                                const std::string& section) {
    std::string value = ini.Value(section, key).value_or(std::string());
    m_lastResult = ClampedLength(value.size());
    return value;
}

CFileResult CIniReader::Write(const KeyValues& values, const std::string& section) {
    m_lastResult = 0;
    IniFileLock lock(m_fileName);
    if (!lock.Locked())
        return CFileResult::Failure(CFileResult::EKind::CannotWrite,
                                    "cannot lock " + IniFileLock::LockPathFor(m_fileName) + ": " +
                                        std::strerror(errno));

    // Under the lock, read the file as it is now. A file that exists but cannot be read must
    // not be replaced by one holding only our keys.
    std::string old;
    struct stat st {};
    bool exists = ::stat(m_fileName.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return CFileResult::Failure(CFileResult::EKind::CannotOpen,
                                    "cannot open " + m_fileName + ": " + std::strerror(errno));
    if (exists) {
        CFileResult read = ReadWholeFile(m_fileName, old);
        if (!read) return read;
    }

    IniFile ini = IniFile::Parse(old);
    for (const auto& [key, value] : values) {
        CFileResult set = ini.SetValue(section, key, value);
        if (!set) return set;
    }
    std::string text = ini.Text();
    // Writing back what is already there changes nothing; skip the flush and rename.
    if (!(exists && text == old)) {
        CFileResult written = WriteFileAtomically(m_fileName, text);
        if (!written) return written;
    }
    m_lastResult = 1;
    return {};
}

std::string CIniReader::getKeyValue(std::string key, std::string section) {
    return ValueOf(Load(), key, section);
}

int CIniReader::getKeyValueNum(std::string key, std::string section) {
    return ParseLeadingInt(getKeyValue(std::move(key), std::move(section)));
}

int CIniReader::getKeyValueBool(std::string key, std::string section) {
    return getKeyValueNum(std::move(key), std::move(section)) != 0 ? 1 : 0;
}

long CIniReader::getColor(std::string key, std::string section) {
    return getKeyValueNum(std::move(key), std::move(section));
}

long CIniReader::setKey(std::string value, std::string key, std::string section) {
    return Flag(Write({{std::move(key), std::move(value)}}, section));
}

long CIniReader::setKeyNum(int value, std::string key, std::string section) {
    return setKey(std::to_string(value), std::move(key), std::move(section));
}

long CIniReader::setKeyBool(int value, std::string key, std::string section) {
    return setKey(FlagText(value), std::move(key), std::move(section));
}

long CIniReader::setColor(long colour, std::string key, std::string section) {
    // Windows' long is 32 bits: keep the low 32 bits, as a signed number.
    auto stored = static_cast<int32_t>(static_cast<uint32_t>(colour));
    return setKey(std::to_string(stored), std::move(key), std::move(section));
}

int CIniReader::sectionExists(std::string section) {
    // As GetPrivateProfileSection into the 2000-character buffer: present when it gives a key.
    int32_t chars = 0;
    std::vector<std::string> entries =
        FitProfileList(Load().SectionEntries(section), kListBufferChars, chars);
    m_lastResult = chars;
    return entries.empty() ? 0 : 1;
}

int CIniReader::KeyExists(std::string key, std::string section) {
    return getKeyValue(std::move(key), std::move(section)).empty() ? 0 : 1;
}

const std::vector<std::string>* CIniReader::getSectionNames() {
    m_sectionNames = FitProfileList(Load().SectionNames(), kListBufferChars, m_lastResult);
    return &m_sectionNames;
}

const std::vector<std::string>* CIniReader::getSectionData(std::string section) {
    m_sectionData = FitProfileList(Load().SectionEntries(section), kListBufferChars, m_lastResult);
    return &m_sectionData;
}

LOGFONT CIniReader::GetAxisFont(std::string section) {
    const IniFile ini = Load();
    LOGFONT font = DefaultFont();
    for (const char* key : {"FontHeight", "FontWidth", "FontWeight", "FontFaceName"})
        if (ValueOf(ini, key, section).empty()) return font;
    font.lfHeight = ParseLeadingInt(ValueOf(ini, "FontHeight", section));
    font.lfWidth = ParseLeadingInt(ValueOf(ini, "FontWidth", section));
    font.lfWeight = ParseLeadingInt(ValueOf(ini, "FontWeight", section));
    font.lfItalic = ParseLeadingInt(ValueOf(ini, "FontItalic", section)) != 0 ? 1 : 0;
    SetFaceName(font, ValueOf(ini, "FontFaceName", section));
    return font;
}

int CIniReader::SetAxisFont(LOGFONT font, std::string section) {
    return static_cast<int>(Flag(Write({{"FontHeight", std::to_string(font.lfHeight)},
                                        {"FontWidth", std::to_string(font.lfWidth)},
                                        {"FontWeight", std::to_string(font.lfWeight)},
                                        {"FontItalic", FlagText(font.lfItalic)},
                                        {"FontFaceName", FaceNameOf(font)}},
                                       section)));
}

SCurveSetting CIniReader::GetCurveSetting(std::string section) {
    const IniFile ini = Load();
    SCurveSetting setting;
    for (const char* key :
         {"CurveWidth", "DrawType", "CurveColor", "MarkId", "BorderColor", "FillColor"})
        if (ValueOf(ini, key, section).empty()) return setting;
    setting.curveWidth = ParseLeadingInt(ValueOf(ini, "CurveWidth", section));
    setting.drawType = ParseLeadingInt(ValueOf(ini, "DrawType", section));
    setting.curveColor = ParseLeadingInt(ValueOf(ini, "CurveColor", section));
    setting.markId = ParseLeadingInt(ValueOf(ini, "MarkId", section));
    setting.borderColor = ParseLeadingInt(ValueOf(ini, "BorderColor", section));
    setting.fillColor = ParseLeadingInt(ValueOf(ini, "FillColor", section));
    return setting;
}

int CIniReader::SetCurveSetting(SCurveSetting setting, std::string section) {
    return static_cast<int>(Flag(Write({{"CurveWidth", std::to_string(setting.curveWidth)},
                                        {"DrawType", std::to_string(setting.drawType)},
                                        {"CurveColor", std::to_string(setting.curveColor)},
                                        {"MarkId", std::to_string(setting.markId)},
                                        {"BorderColor", std::to_string(setting.borderColor)},
                                        {"FillColor", std::to_string(setting.fillColor)}},
                                       section)));
}
