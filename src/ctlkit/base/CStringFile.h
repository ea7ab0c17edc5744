#pragma once
#include <cstdint>
#include <string>

// Reads a text line by line. The text is not owned and must outlive the reader.
class CStringFile {
public:
    CStringFile() = default;
    explicit CStringFile(const std::string* source) : m_source(source) {}
    virtual ~CStringFile() = default;

    // The next line without its line feed; the number of characters returned, 0 at the end.
    // The character at the read position is always taken, so an empty line is not returned
    // on its own: its line feed becomes the first character of the next line. A carriage
    // return before the line feed stays in the line.
    int ReadingString(std::string& line);

    // The next line for readers of downloaded text: without its line feed and without the
    // carriage return of a CR LF, an empty line as an empty line. False at the end.
    bool ReadingLine(std::string& line);

private:
    const std::string* m_source = nullptr;
    int32_t m_position = 0;
};
