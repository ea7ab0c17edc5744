#pragma once
#include "CFileResult.h"
#include "LOGFONT.h"
#include "SCurveSetting.h"
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class IniFile;

// Reads and writes the sections and keys of one INI text file. Section and key names are
// compared without regard to letter case. A missing key, section or file reads as the empty
// text. Every write replaces the file atomically and holds an advisory lock (IniFileLock), so
// the two programs that share setup.ini never lose each other's keys; a write keeps every
// other line of the file as it was. Nothing is cached: each operation reads the file as it is
// now. The text rules are those of IniFile.h (the Windows private-profile rules).
//
// Stored forms: numbers in signed decimal, flags "1"/"0", colours (0x00BBGGRR) as signed
// decimal, fonts as five keys, curve settings as six keys.
//
// Copies own their data (the lists are values). One reader is used by one thread at a time.
class CIniReader {
public:
    // The installation's setup.ini is CInstallPaths::SetupIni() (src/settings).
    explicit CIniReader(std::string path);

    void setINIFileName(std::string path);
    const std::string& getINIFileName() const { return m_fileName; }

    // The whole value (not cut at 254 characters); empty when absent.
    std::string getKeyValue(std::string key, std::string section);
    // Leading decimal digits with an optional sign, as atoi reads them; 0 when absent.
    int getKeyValueNum(std::string key, std::string section);
    // 1 when getKeyValueNum is non-zero, else 0.
    int getKeyValueBool(std::string key, std::string section);
    // As getKeyValueNum; 0 (black) when absent.
    // (Windows' long is 32 bits: setColor stores the low 32 bits as a signed number.)
    long getColor(std::string key, std::string section);

    using KeyValues = std::vector<std::pair<std::string, std::string>>;
    // One locked read-modify-write setting every key of `values` in `section`, in order;
    // creates the section and the file as needed. A failed write leaves the file as it was:
    // CannotWrite when the lock cannot be taken (folder missing or not writable) or the file
    // cannot be replaced, CannotOpen when the file exists but cannot be read, UnsafeName for
    // a name the file cannot hold (see IniFile::SetValue). A value is cut at its first line
    // break; as with Windows, its outer blanks and a pair of enclosing quotes are not read
    // back.
    CFileResult Write(const KeyValues& values, const std::string& section);

    // Each is Write of one key: non-zero on success, 0 when it failed.
    long setKey(std::string value, std::string key, std::string section);
    long setKeyNum(int value, std::string key, std::string section);
    // "1" for any non-zero value, "0" for zero.
    long setKeyBool(int value, std::string key, std::string section);
    long setColor(long colour, std::string key, std::string section);

    // 1 when the section holds at least one key (empty values count), else 0.
    int sectionExists(std::string section);
    // 1 when the key's value is non-empty.
    int KeyExists(std::string key, std::string section);

    // Every section name in file order, as far as it fits a 2000-character list buffer
    // (FitProfileList in IniFile.h: the first name that does not fit is returned cut and ends
    // the list). The list belongs to this reader and is overwritten by the next call.
    const std::vector<std::string>* getSectionNames();
    // Every "key=value" line of the section in file order, within the same buffer rule.
    const std::vector<std::string>* getSectionData(std::string section);

    // The five font keys; the default font 15/6/400/not italic/"Arial" unless "FontHeight",
    // "FontWidth", "FontWeight" and "FontFaceName" all exist (non-empty). The face name is cut
    // to 31 characters. Read from one reading of the file.
    LOGFONT GetAxisFont(std::string section);
    // Writes height, width, weight, italic ("1" when non-zero) and face name in that order,
    // under one lock and in one atomic replacement. 1 on success, 0 when the write failed
    // (a write failure is never reported as success).
    int SetAxisFont(LOGFONT font, std::string section);
    // The six curve keys; the defaults unless all six exist (non-empty).
    SCurveSetting GetCurveSetting(std::string section);
    // Writes the six keys in the order CurveWidth, DrawType, CurveColor, MarkId, BorderColor,
    // FillColor, as one write; 1 on success, 0 on failure.
    int SetCurveSetting(SCurveSetting setting, std::string section);

    // The result of the last file operation: characters read, or the success of a write.
    int32_t lastResult() const { return m_lastResult; }

private:
    // The file as it is now; a missing or unreadable file is the empty text.
    IniFile Load() const;
    // The value through the read rules; sets m_lastResult to the characters read.
    std::string ValueOf(const IniFile& ini, const std::string& key, const std::string& section);
    // 1 for a write that succeeded, else 0.
    static long Flag(const CFileResult& written) { return written.ok() ? 1 : 0; }

    std::vector<std::string> m_sectionData;
    std::vector<std::string> m_sectionNames;
    std::string m_spare;
    int32_t m_lastResult = 0;
    std::string m_fileName;
};
