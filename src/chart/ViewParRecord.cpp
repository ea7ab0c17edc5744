#include "ViewParRecord.h"
#include "element/FontRecord.h"
#include <string>

namespace {
void WriteColour(CArchiveWriter& ar, uint32_t colour) {
    ar.WriteInt(static_cast<int32_t>(colour));
}

uint32_t ReadColour(CArchiveReader& ar) {
    int32_t stored = 0;
    ar.ReadInt(stored);
    return static_cast<uint32_t>(stored);
}

// A cell of 0 would divide the axis into no cells; more than 1000 is not a chart's.
bool ReadCell(CArchiveReader& ar, int& cell, const char* what) {
    if (!ar.ReadInt(cell)) return false;
    if (cell >= 1 && cell <= CViewPar::kMaxCell) return true;
    ar.Fail(std::string("a view record's ") + what + " of " + std::to_string(cell) +
            " (allowed 1 to 1000) before offset " + std::to_string(ar.Position()));
    return false;
}
} // namespace

void WriteViewPar(CArchiveWriter& ar, const CViewPar& par) {
    WriteColour(ar, par.frameColour);
    WriteColour(ar, par.backgroundColour);
    WriteColour(ar, par.titleColour);
    WriteColour(ar, par.axisTextColour);
    ar.WriteInt(par.gridPenStyle);
    ar.WriteInt(par.cellMaxX);
    ar.WriteInt(par.cellMaxY);
    ar.WriteInt(par.showVerticalGrid);
    ar.WriteInt(par.showHorizontalGrid);
    WriteFontRecord(ar, par.labelFont);
    WriteFontRecord(ar, par.axisFont);
    ar.WriteInt(static_cast<int32_t>(par.identifiers.size()));
    for (const std::string& identifier : par.identifiers) ar.WriteString(identifier);
    ar.WriteBytes(par.flagBytes.data(), par.flagBytes.size());
}

bool ReadViewPar(CArchiveReader& ar, CViewPar& par) {
    par.frameColour = ReadColour(ar);
    par.backgroundColour = ReadColour(ar);
    par.titleColour = ReadColour(ar);
    par.axisTextColour = ReadColour(ar);
    ar.ReadInt(par.gridPenStyle);
    if (!ReadCell(ar, par.cellMaxX, "cellMaxX") || !ReadCell(ar, par.cellMaxY, "cellMaxY"))
        return false;
    ar.ReadInt(par.showVerticalGrid);
    ar.ReadInt(par.showHorizontalGrid);
    if (!ReadFontRecord(ar, par.labelFont) || !ReadFontRecord(ar, par.axisFont)) return false;
    int32_t count = 0;
    if (!ar.ReadCount(count, 1)) return false;
    if (count > CViewPar::kMaxIdentifiers) {
        ar.Fail("a view record's identifier count of " + std::to_string(count) + " (allowed 0 to " +
                std::to_string(CViewPar::kMaxIdentifiers) + ") before offset " +
                std::to_string(ar.Position()));
        return false;
    }
    par.identifiers.assign(static_cast<size_t>(count), std::string());
    for (std::string& identifier : par.identifiers)
        if (!ar.ReadString(identifier)) return false;
    return ar.ReadBytes(par.flagBytes.data(), par.flagBytes.size());
}
