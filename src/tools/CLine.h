#pragma once
#include "element/CSymbol.h"
#include "quotes/SQuote.h"
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The trend line (type 1) and the base of every drawing tool: pen, line extension and price
// snapping on top of the element's two anchors.
class CLine : public CSymbol {
public:
    static constexpr int kTypeCode = 1;
    static constexpr int kMaxLineStyle = 5;
    static constexpr int kMaxLineWidth = 10;

    CLine();
    ~CLine() override;

    // The element record, then extendLeft, extendRight, snapToPrice, color, lineStyle,
    // lineWidth, snapField, block3. Read refuses a line style outside 0..5 or a width outside
    // 0..10 and turns a stored translated price name into its code (SnapField.h).
    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    // Tools map a bar index to its left edge, so an anchor lands where the mouse was.
    int IndexToX(float index) const override;
    // Handles (selected only, within twice hitTolerance), then the p1-p2 segment as extended,
    // within hitTolerance. While tracking, the last result is given again.
    int HitTest(int x, int y) override;
    // The p1-p2 segment as extended in the line pen; the two handles when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    void MoveBy(int x, int y) override;
    void SetPoint1(float x, float y) override;
    void SetPoint2(float x, float y) override;
    void SetX1Y2(float x, float y) override;
    void SetX2Y1(float x, float y) override;
    // Placing snaps too when snapToPrice is set.
    void SetAnchor(float x, float y, int period) override;

    // With snapToPrice set: the anchors' bars clamped to the owner's bars and, when snapField
    // names a price, both anchors moved onto that price of their bars. Nothing without an
    // owner that is bound to a series.
    virtual void SnapToPrice();
    void SnapToPrice(const std::vector<SQuote>& bars);
    // The segment p1-p2 after extendLeft / extendRight, in pixels.
    void ExtendedSegment(SPoint& p1, SPoint& p2) const;
    // The values of the source `snapField` names, one per bar: the open, high, low or close of
    // the owner's bars or the owner's curve of that name. Empty without an owner or source.
    std::vector<float> SourceValues() const;

    uint32_t color = 0; // 0x00BBGGRR; the view gives a new line the pane's complement colour
    int lineWidth = 1;  // 0 to 10
    int lineStyle = 1;  // 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 0 solid
    std::array<uint8_t, 256> block3{};
    int extendLeft = 0;
    int extendRight = 0;
    int snapToPrice = 0;
    // "open", "high", "low", "close" or a curve name; empty: none.
    std::string snapField;

protected:
    void SnapIfAsked();
    // Keeps the pane mapping and selects the line pen.
    void BeginDraw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot);
    // The segment a-b, extended as extendLeft / extendRight ask, in the current pen.
    void DrawLine(CDC& dc, SPoint a, SPoint b) const;
    // The hit code for a body hit at (x, y): 1, or 2 with grabPoint kept when selected.
    int BodyHit(int x, int y);
    // No hit: 0, with hitState cleared unless a handle drag is under way.
    int Miss();
    // While selected, the corner handles of the box p1-p2: 3 at p1, 4 at p2, 5 at (p1.x, p2.y),
    // 6 at (p2.x, p1.y), kept in hitState; 0 when none is hit.
    int CornerHandleHit(SPoint p1, SPoint p2, int x, int y);
    // Moves `end` along the line through `from` to the edge x `edgeX`, or to the top or bottom
    // edge when the line leaves the plot there first.
    SPoint ExtendTo(SPoint from, SPoint end, int edgeX) const;
    bool OnSegment(SPoint p1, SPoint p2, int x, int y) const;

    // Writes and reads a tool's own 256-byte reserved block.
    static void WriteBlock(CArchiveWriter& ar, const std::array<uint8_t, 256>& block);
    static bool ReadBlock(CArchiveReader& ar, std::array<uint8_t, 256>& block);
    // Fails the archive with `what` when `value` lies outside [low, high].
    static bool CheckRange(CArchiveReader& ar, int value, int low, int high, const char* what);
};
