#pragma once
#include "ctlkit/dc/CDC.h"
#include <string>
#include <vector>

// The Gann square table: the numbers of a square spiral around a centre cell, laid into a
// grid with one header row and one header column and scaled linearly so that number 0 is
// the start value and the last number the end value.
class CGannTable {
public:
    static constexpr int kMinSide = 2;
    static constexpr int kMaxSide = 100;
    static constexpr COLORREF kBlue = MakeRGB(0, 0, 255);
    static constexpr COLORREF kGrey = MakeRGB(128, 128, 128);
    static constexpr COLORREF kWhite = MakeRGB(255, 255, 255);
    static constexpr COLORREF kBlack = MakeRGB(0, 0, 0);

    // Header row: word-break; header column: right-aligned; body: centred (the last two
    // single line, vertically centred, no prefix, end ellipsis).
    enum EFormat { kWordBreak, kRightSingleLine, kCentreSingleLine };

    struct SCell {
        bool written = false;
        std::string text;
        EFormat format = kCentreSingleLine;
        COLORREF background = kWhite;
        COLORREF textColour = kBlack;
    };

    // 14 x 14 from 0.0 to 1.0, filled.
    CGannTable();

    // The settings dialog's values: `side` is the shown "Row(Column):" value (row count - 1).
    // A side outside 2..100, or a start or end that is not a finite number, is refused and
    // nothing changes; otherwise the grid is resized and filled again.
    bool Apply(int side, float start, float end);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    int Side() const { return m_columns - 1; }
    float Start() const { return m_start; }
    float End() const { return m_end; }
    int Centre() const { return m_centre; }
    double Step() const { return m_step; }
    const SCell& Cell(int row, int column) const {
        return m_cells[static_cast<size_t>(row) * m_columns + column];
    }

    // The texts of the cells from (top, left) to (bottom, right), corners included, each row a
    // line ending in "\n", the cells of a row separated by tabs; the corners are taken in
    // either order and kept within the grid.
    std::string TabSeparated(int top, int left, int bottom, int right) const;

private:
    void Fill();
    void Write(int row, int column, std::string text);
    void WriteNumber(int row, int column, long long number);
    SCell& At(int row, int column) {
        return m_cells[static_cast<size_t>(row) * m_columns + column];
    }

    int m_rows = 14;
    int m_columns = 14;
    float m_start = 0.0f;
    float m_end = 1.0f;
    int m_centre = 0;
    double m_step = 0.0;
    std::vector<SCell> m_cells;
};
