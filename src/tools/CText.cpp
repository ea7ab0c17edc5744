#include "CText.h"
#include "ToolFont.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <string_view>
#include <vector>

CText::CText() : CLine(kTypeCode, "Text") {
    font = DefaultToolFont();
}

void CText::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Int(textColour);
    fields.String(text);
    fields.Font(font);
    fields.Block(ownBlock);
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

int CText::HandleAt(int x, int y) const {
    const CRect box = TextBox();
    return HandleAmong({SPoint{box.left, box.top}}, x, y);
}

bool CText::OnBody(int x, int y) const {
    const CRect box = TextBox();
    return x >= box.left - hitTolerance && x <= box.right + hitTolerance &&
           y >= box.top - hitTolerance && y <= box.bottom + hitTolerance;
}
