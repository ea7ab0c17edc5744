#include "CText.h"
#include "ToolFont.h"
#include "ToolGeometry.h"
#include "element/FontRecord.h"
#include <algorithm>
#include <string_view>
#include <vector>

CText::CText() {
    typeCode = kTypeCode;
    name = "Text";
    font = DefaultToolFont();
}

CText::~CText() = default;

void CText::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(static_cast<int32_t>(textColour));
    ar.WriteString(text);
    WriteFontRecord(ar, font);
    WriteBlock(ar, ownBlock);
}

bool CText::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    int32_t colour = 0;
    ar.ReadInt(colour);
    textColour = static_cast<uint32_t>(colour);
    ar.ReadString(text);
    if (!ReadFontRecord(ar, font)) return false;
    return ReadBlock(ar, ownBlock);
}

namespace {
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (true) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) return lines;
        text.remove_prefix(end + 1);
    }
}
} // namespace

CRect CText::TextBox() const {
    const SPoint p1 = PointOf(x1, y1);
    return CRect{p1.x, p1.y, p1.x + m_extent.cx, p1.y + m_extent.cy};
}

void CText::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    dc.SelectFont(font);
    dc.SetTextColor(textColour);
    dc.SetBkMode(kTransparent);
    m_extent = CSize{};
    for (const std::string_view line : LinesOf(text)) {
        CSize size = dc.GetTextExtent(line.empty() ? std::string_view(" ") : line);
        if (!line.empty()) dc.TextOut(p1.x, p1.y + m_extent.cy, line);
        if (line.empty()) size.cx = 0;
        m_extent.cx = std::max(m_extent.cx, size.cx);
        m_extent.cy += size.cy;
    }
    if (selected) {
        const CRect box = TextBox();
        ToolGeometry::DrawHandles(dc,
                                  {SPoint{box.left, box.top}, SPoint{box.right, box.top},
                                   SPoint{box.left, box.bottom}, SPoint{box.right, box.bottom}});
    }
}

int CText::HitTest(int x, int y) {
    if (tracking) return hitState;
    const CRect box = TextBox();
    if (selected && ToolGeometry::NearPoint(SPoint{box.left, box.top}, x, y, 2 * hitTolerance))
        return hitState = 3;
    if (x >= box.left - hitTolerance && x <= box.right + hitTolerance &&
        y >= box.top - hitTolerance && y <= box.bottom + hitTolerance)
        return BodyHit(x, y);
    if (hitState < 3) hitState = 0;
    return 0;
}
