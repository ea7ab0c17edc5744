#include "IsoCsvQuotes.h"
#include "quotes/QuoteFileFormat.h"
#include "quotes/QuoteLineDate.h"
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {
struct SRow {
    int year, month, day;
    std::string_view fields[5]; // open, high, low, close, volume (empty: none)
};

std::string Printable(std::string_view line) {
    std::string shown;
    for (unsigned char c : line.substr(0, 80)) shown += (c < 0x20 || c == 0x7F) ? '?' : c;
    if (line.size() > 80) shown += "...";
    return shown;
}

SQuoteConversion Refuse(std::string message) {
    SQuoteConversion refused;
    refused.message = std::move(message);
    return refused;
}

SQuoteConversion RefuseLine(size_t number, std::string_view line, const char* why) {
    return Refuse("Line " + std::to_string(number) + " of the downloaded data was refused (" + why +
                  "): \"" + Printable(line) + "\". The quote file was not changed.");
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// -?digits(.digits)?([eE][+-]?digits)?
bool IsDecimal(std::string_view text) {
    size_t i = 0, n = text.size();
    if (i < n && text[i] == '-') ++i;
    const size_t intStart = i;
    while (i < n && IsDigit(text[i])) ++i;
    if (i == intStart) return false;
    if (i < n && text[i] == '.') {
        const size_t fracStart = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        if (i == fracStart) return false;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        const size_t expStart = i;
        while (i < n && IsDigit(text[i])) ++i;
        if (i == expStart) return false;
    }
    return i == n;
}

int DaysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// YYYY-MM-DD, a real calendar day.
bool ParseIsoDate(std::string_view text, int& year, int& month, int& day) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!IsDigit(text[i])) return false;
    year = (text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0');
    month = (text[5] - '0') * 10 + (text[6] - '0');
    day = (text[8] - '0') * 10 + (text[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysIn(year, month);
}

void Append(std::string& out, std::string_view text) {
    out.append(text.data(), text.size());
}

void AppendRow(std::string& out, const SRow& row) {
    char date[16];
    char* p = date;
    if (row.day >= 10) *p++ = static_cast<char>('0' + row.day / 10);
    *p++ = static_cast<char>('0' + row.day % 10);
    *p++ = '-';
    std::memcpy(p, kQuoteMonthNames[row.month - 1].data(), 3);
    p += 3;
    *p++ = '-';
    *p++ = static_cast<char>('0' + row.year % 100 / 10);
    *p++ = static_cast<char>('0' + row.year % 10);
    *p++ = ',';
    out.append(date, p - date);
    for (int i = 0; i < 4; ++i) {
        Append(out, row.fields[i]);
        out += ',';
    }
    if (row.fields[4].empty())
        out += '0';
    else
        Append(out, row.fields[4]);
    out += ',';
    Append(out, row.fields[3]);
    out += '\n';
}
} // namespace

std::string_view StripByteOrderMark(std::string_view body) {
    if (body.size() >= 3 && body.compare(0, 3, "\xEF\xBB\xBF") == 0) body.remove_prefix(3);
    return body;
}

bool FirstLineIs(std::string_view body, std::string_view header) {
    body = StripByteOrderMark(body);
    std::string_view line = body.substr(0, body.find('\n'));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line == header;
}

bool ContainsNoCase(std::string_view body, std::string_view text) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (text.empty()) return true;
    for (size_t start = 0; start + text.size() <= body.size(); ++start) {
        size_t i = 0;
        while (i < text.size() && lower(body[start + i]) == lower(text[i])) ++i;
        if (i == text.size()) return true;
    }
    return false;
}

SQuoteConversion ConvertIsoCsvQuotes(std::string_view body, const SIsoCsvForm& form) {
    body = StripByteOrderMark(body);
    std::vector<SRow> rows;
    rows.reserve(body.size() / 48 + 1);
    size_t lineNumber = 0;
    size_t fieldCount = 0;
    size_t pos = 0;
    int previousKey = 0;
    while (pos < body.size()) {
        const void* found = std::memchr(body.data() + pos, '\n', body.size() - pos);
        const size_t end = found ? static_cast<const char*>(found) - body.data() : body.size();
        std::string_view line = body.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lineNumber == 1) {
            if (line == form.header) {
                fieldCount = 5;
            } else if (!form.headerNoVolume.empty() && line == form.headerNoVolume) {
                fieldCount = 4;
            } else {
                return RefuseLine(1, line, "not the header");
            }
            continue;
        }
        if (line.empty()) continue;
        SRow row{};
        const size_t comma = line.find(',');
        if (comma == std::string_view::npos ||
            !ParseIsoDate(line.substr(0, comma), row.year, row.month, row.day))
            return RefuseLine(lineNumber, line, "no date");
        if (row.year < 1950 || row.year > 2049)
            return Refuse("The quote of " + std::string(line.substr(0, comma)) +
                          " cannot be stored: quote files hold the years 1950 to 2049 only. The "
                          "quote file was not changed.");
        size_t start = comma + 1;
        for (size_t f = 0; f < fieldCount; ++f) {
            const size_t next = line.find(',', start);
            const bool last = f + 1 == fieldCount;
            if (last != (next == std::string_view::npos))
                return RefuseLine(lineNumber, line, "wrong number of fields");
            row.fields[f] = line.substr(start, last ? std::string_view::npos : next - start);
            if (!IsDecimal(row.fields[f])) return RefuseLine(lineNumber, line, "not a number");
            start = next + 1;
        }
        const int key = row.year * 10000 + row.month * 100 + row.day;
        if (!rows.empty() && (form.newestFirst ? key >= previousKey : key <= previousKey))
            return RefuseLine(lineNumber, line, "out of order");
        previousKey = key;
        rows.push_back(row);
    }
    if (lineNumber == 0) return RefuseLine(1, "", "not the header");
    SQuoteConversion converted;
    converted.ok = true;
    std::string& out = converted.text;
    out.reserve(body.size() + body.size() / 4 + 64);
    Append(out, kCsvQuoteHeader);
    out += '\n';
    if (form.newestFirst) {
        for (const SRow& row : rows) AppendRow(out, row);
    } else {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) AppendRow(out, *it);
    }
    return converted;
}

CWebGrab::ELineDate ReadIsoLineDate(std::string_view line, int64_t& midnight) {
    int year = 0, month = 0, day = 0;
    if (!ParseIsoDate(line.substr(0, 10), year, month, day) ||
        (line.size() > 10 && line[10] != ','))
        return CWebGrab::ELineDate::NotADate;
    midnight = LocalMidnightSeconds(year, month, day);
    return CWebGrab::ELineDate::Dated;
}

std::string CompactLocalDate(int64_t time) {
    const time_t t = static_cast<time_t>(time);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    return text;
}
