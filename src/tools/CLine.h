#pragma once
#include "element/CSymbol.h"
#include "quotes/SQuote.h"
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// The trend line (type 1) and the base of every drawing tool: pen, line extension and price
// snapping on top of the element's two anchors, and the hit test every tool shares.
class CLine : public CSymbol {
public:
    static constexpr int kTypeCode = 1;
    static constexpr int kMaxLineStyle = 5;
    static constexpr int kMaxLineWidth = 10;

    CLine();

    // Tools map a bar index to its left edge, so an anchor lands where the mouse was.
    int IndexToX(float index) const override;
    // While tracking, the last result again. Else a handle while selected (HandleAt), then
    // the body (OnBody), else 0 with hitState cleared unless it holds a handle's code (3 and
    // up), which a handle drag leaves there.
    int HitTest(int x, int y) final;
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
    // A tool of type `code` named by translation text `nameId`.
    CLine(int code, unsigned nameId);
    // A tool of type `code` with a fixed name.
    CLine(int code, const char* fixedName);

    // The element record, then extendLeft, extendRight, snapToPrice, color, lineStyle,
    // lineWidth, snapField, block3. Reading refuses a line style outside 0..5 or a width
    // outside 0..10 and turns a stored translated price name into its code (SnapField.h).
    void StoredFields(CRecordFields& fields) override;

    // The hit code of the handle at (x, y), 0 for none; asked only while selected. The
    // line's: 3 at p1, 4 at p2.
    virtual int HandleAt(int x, int y) const;
    // True when (x, y) lies on the tool's body. The line's: the p1-p2 segment as extended.
    virtual bool OnBody(int x, int y) const;
    // The code of the first of `handles` within twice hitTolerance of (x, y): 3 for the
    // first, 4 for the second and so on; 0 for none.
    int HandleAmong(std::initializer_list<SPoint> handles, int x, int y) const;
    // The box with corners p1 and p2 in pixels, and its corner handles: 3 at p1, 4 at p2, 5
    // at (p1.x, p2.y), 6 at (p2.x, p1.y); drawn in that order.
    CRect AnchorBox() const;
    int BoxHandleAt(int x, int y) const;
    void DrawBoxHandles(CDC& dc) const;

    void SnapIfAsked();
    // Keeps the pane mapping and selects the line pen.
    void BeginDraw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot);
    // The segment a-b, extended as extendLeft / extendRight ask, in the current pen.
    void DrawLine(CDC& dc, SPoint a, SPoint b) const;
    // Moves `end` along the line through `from` to the edge x `edgeX`, or to the top or bottom
    // edge when the line leaves the plot there first.
    SPoint ExtendTo(SPoint from, SPoint end, int edgeX) const;
    // Within hitTolerance of the segment a-b, as it is or as extended.
    bool OnSegment(SPoint a, SPoint b, int x, int y) const;
    bool OnExtendedSegment(SPoint a, SPoint b, int x, int y) const;

private:
    // A body hit: 1, or 2 with grabPoint kept when selected.
    int BodyHit(int x, int y);
};
