#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Reads a text line by line. The text is not owned and must outlive the reader. Positions are
// 64-bit, so a text beyond 2 GiB (a quote file of many years, read whole) is read to its end.
class CStringFile {
public:
    CStringFile() = default;
    // The string is looked at on every read, so text appended to it is read too.
    explicit CStringFile(const std::string* source) : m_source(source) {}
    // Any text in memory, a file mapped into memory for example.
    explicit CStringFile(std::string_view source) : m_view(source), m_hasView(true) {}
    virtual ~CStringFile() = default;

    // The next line without its line feed; the number of characters returned, 0 at the end.
    // The character at the read position is always taken, so an empty line is not returned
    // on its own: its line feed becomes the first character of the next line. A carriage
    // return before the line feed stays in the line.
    int ReadingString(std::string& line);

    // The next line for readers of downloaded text: without its line feed and without the
    // carriage return of a CR LF, an empty line as an empty line. False at the end.
    bool ReadingLine(std::string& line);

    // The offset of the next line in the text.
    uint64_t GetPosition() const { return m_position; }

private:
    std::string_view Text() const;

    const std::string* m_source = nullptr;
    std::string_view m_view;
    bool m_hasView = false;
    uint64_t m_position = 0;
};
