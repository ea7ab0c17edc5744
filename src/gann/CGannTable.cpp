#include "CGannTable.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

CGannTable::CGannTable() {
    Fill();
}

bool CGannTable::Apply(int side, float start, float end) {
    if (side < kMinSide || side > kMaxSide) return false;
    // A value that is not a finite number would fill every cell with "nan" or "inf".
    if (!std::isfinite(start) || !std::isfinite(end)) return false;
    m_rows = m_columns = side + 1;
    m_start = start;
    m_end = end;
    Fill();
    return true;
}

void CGannTable::Fill() {
    m_cells.assign(static_cast<size_t>(m_rows) * m_columns, SCell{});
    const int n = m_rows;
    const int m = n % 2 == 0 ? n - 1 : n - 2;
    const int c = (m + 1) / 2;
    m_centre = c;
    const float difference = m_end - m_start;
    m_step = static_cast<double>(difference) / (static_cast<double>(m) * m);

    for (int i = 0; i < m_rows; ++i) Write(i, 0, std::to_string(i));
    for (int i = 0; i < m_columns; ++i) Write(0, i, std::to_string(i));

    for (int r = 0; r < c; ++r) {
        const int s = 2 * r;
        long long k = static_cast<long long>(s - 1) * (s - 1);
        for (int j = 0; j <= s; ++j) WriteNumber(r + c - j, r + c, k++);
        for (int t = 0; t <= s - 1; ++t) WriteNumber(c - r, r + c - 1 - t, k++);
        for (int t = 1; t <= s; ++t) WriteNumber(c - r + t, c - r, k++);
        for (int t = 1; t <= s; ++t) WriteNumber(r + c, c - r + t, k++);
    }
    WriteNumber(c, c, 1);
}

void CGannTable::WriteNumber(int row, int column, long long number) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f",
                  static_cast<double>(m_start) + static_cast<double>(number) * m_step);
    Write(row, column, text);
}

void CGannTable::Write(int row, int column, std::string text) {
    SCell& cell = At(row, column);
    cell.written = true;
    cell.text = std::move(text);
    cell.textColour = kBlack;
    if (row == 0) {
        cell.format = kWordBreak;
        cell.background = kBlue;
    } else if (column == 0) {
        cell.format = kRightSingleLine;
        cell.background = kBlue;
    } else {
        cell.format = kCentreSingleLine;
        cell.background = kWhite;
    }
    const int c = m_centre;
    const bool cross =
        (row == column && row != 0) || row == c || column == c || row + column == 2 * c;
    if (cross) cell.background = kGrey;
}

std::string CGannTable::TabSeparated(int top, int left, int bottom, int right) const {
    if (top > bottom) std::swap(top, bottom);
    if (left > right) std::swap(left, right);
    top = std::clamp(top, 0, m_rows - 1);
    bottom = std::clamp(bottom, 0, m_rows - 1);
    left = std::clamp(left, 0, m_columns - 1);
    right = std::clamp(right, 0, m_columns - 1);
    std::string text;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            if (column > left) text += '\t';
            text += Cell(row, column).text;
        }
        text += '\n';
    }
    return text;
}
