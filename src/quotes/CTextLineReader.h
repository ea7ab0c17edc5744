#pragma once
#include <string>
#include <string_view>
#include <vector>

// Reads a text file line by line in large blocks. A line is returned without its line feed
// and without one carriage return before it. Lines longer than kMaxLineLength are never
// buffered: they are skipped to their end and reported as overlong with no text.
class CTextLineReader {
public:
    static constexpr size_t kBlockSize = size_t{1} << 20;
    static constexpr size_t kMaxLineLength = size_t{1} << 16;

    CTextLineReader() = default;
    ~CTextLineReader();
    CTextLineReader(const CTextLineReader&) = delete;
    CTextLineReader& operator=(const CTextLineReader&) = delete;

    // Opens a regular file; false for a missing or unreadable file, a folder, a pipe, ...
    bool Open(const std::string& path);
    // Reads a copy of `text` as if it were the whole file, so that text not yet written is
    // cut into lines exactly as the file would be.
    void OpenText(std::string_view text);
    // The next line; false at the end of the file or after a read error.
    bool Next(std::string_view& line, bool& overlong);
    bool Failed() const { return m_failed; }
    // The size of the file when it was opened, or of the text; a reader may size its output by it.
    size_t OpenedSize() const { return m_openedSize; }

private:
    bool Fill();
    bool SkipRestOfLine();

    int m_fd = -1;
    std::vector<char> m_buffer;
    size_t m_begin = 0;
    size_t m_end = 0;
    bool m_eof = false;
    bool m_failed = false;
    size_t m_openedSize = 0;
};
