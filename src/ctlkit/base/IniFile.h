#pragma once
#include "CFileResult.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of one INI file, held line by line exactly as read, with the lookups of the
// Windows private-profile services and an editor that changes only the lines it must.
//
// Reading rules (those of GetPrivateProfileString and its relatives):
// - Lines end in LF; a CR before the LF belongs to the line end. A UTF-8 byte-order mark at
//   the start of the text is ignored.
// - Leading white space is skipped. An empty line is blank. A line starting with ";" is a
//   comment: never a key, never listed, kept as it is.
// - A line starting with "[" that holds a "]" is a section header; the name is the text
//   between the "[" and the last "]", trimmed. A "[" line without "]" is read as a key line.
// - Any other line is a key line: the name is the text before the first "=", the value the
//   text after it, both trimmed; a line without "=" is a key with an empty value. Lines
//   before the first header belong to no section and are never found.
// - Names are compared ASCII case-insensitively after trimming the name asked for. Only the
//   first section of a name is searched, and in it only the first key of a name.
// - A value enclosed in a matching pair of double or single quotes is returned without them
//   (so a language file can keep leading or trailing blanks: 97=" Data DownLoading running").
class IniFile {
public:
    static IniFile Parse(std::string_view text);
    // The text again, byte for byte as parsed plus the edits.
    std::string Text() const;

    // The value of the key (trimmed, quotes removed) or nothing when the key is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Every non-empty section name in file order (duplicates included).
    std::vector<std::string> SectionNames() const;
    // Every key line of the first section of that name, in file order, as "name=value"
    // (trimmed, quotes kept) or "name" for a line without "=". Empty when the section is absent.
    std::vector<std::string> SectionEntries(std::string_view section) const;

    // Sets the key: an existing key line keeps everything up to its value and gets the new
    // value; a new key is added after the last non-blank line of its section; a new section
    // is added at the end of the text. The value is cut at its first CR, LF or NUL, since
    // the file holds one line per key. UnsafeName, changing nothing, for a name that the file
    // could not give back: empty after trimming, holding CR, LF or NUL, or (keys) holding "="
    // or starting with ";" or "[".
    CFileResult SetValue(std::string_view section, std::string_view key, std::string_view value);

private:
    enum class Kind { Blank, Comment, Section, Key };
    struct Line {
        std::string text; // without its line end
        std::string eol;  // "\n", "\r\n" or "" (last line without a line end)
        Kind kind = Kind::Blank;
        std::string name;       // section or key name, trimmed
        std::string value;      // key value, trimmed
        bool hasEquals = false; // key line holds "="
        size_t valueStart = 0;  // offset in text where the value starts (keys with "=")
    };
    static void Classify(Line& line, bool firstLine);
    // Index of the header line of the first section of that name, or npos.
    size_t FindSection(std::string_view name) const;
    // Index of the next header line after `header` (or the line count).
    size_t SectionEnd(size_t header) const;
    std::string NewLineEnd() const;

    std::vector<Line> m_lines;
};

// Fits a list of strings into a character buffer the way GetPrivateProfileSectionNames and
// GetPrivateProfileSection fill one of `capacity` characters (each string followed by its
// NUL, the list by one more NUL). With `room` = capacity at the start:
// - a string of L characters is taken whole while L <= room - 3; room then drops by L + 1;
// - the first string that is longer is taken cut to room - 2 characters (dropped when that is
//   0) and ends the list; nothing after it is returned.
// `chars` gets what the platform call returns: capacity - room when everything fitted, else
// capacity - 2. Empty strings in `items` are skipped.
std::vector<std::string> FitProfileList(const std::vector<std::string>& items, size_t capacity,
                                        int32_t& chars);

// Reads the leading decimal number of `text` as atoi does (leading white space, an optional
// sign, digits; "12abc" gives 12, "abc" 0). Values beyond the int range are clamped to
// INT_MIN or INT_MAX.
int ParseLeadingInt(std::string_view text);

// ASCII case-insensitive equality.
bool IniNamesEqual(std::string_view a, std::string_view b);
