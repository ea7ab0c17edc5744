#pragma once
#include "CElementOwner.h"
#include "CRecordFields.h"
#include "SPoint.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "ctlkit/dc/CDC.h"
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The base of everything drawn inside a pane: anchors in bar-index and value coordinates, the
// pixel mapping of the last draw and the selection state. Drawing comes with the classes that
// need it.
class CSymbol {
public:
    static constexpr int kDefaultPeriod = 1;
    // Hit codes of the elements an indicator or the series draws: they can be selected but
    // not dragged.
    static constexpr int kHitPriceSeries = 7;
    static constexpr int kHitCurve = 8;

    CSymbol();
    virtual ~CSymbol();

    virtual int TypeCode() const { return typeCode; }
    // True when the element has an owner and the owner's price series still lists it.
    virtual bool HasValidOwner() const { return owner && owner->IsListedBySeries(); }

    // Writes the record that StoredFields lists.
    virtual void Write(CArchiveWriter& ar) const;
    // Reads the record written by Write. Refused (false, the archive failed) when the archive
    // ends early, when the stored type code is not this class's, or when a class's own check
    // fails; the element may then be partly read and must be thrown away.
    virtual bool Read(CArchiveReader& ar);

    // The bar period kept in the first four bytes of block1.
    int Period() const;
    void SetPeriod(int period);

    // Selection and dragging.
    void Select() { selected = 1; }
    void Deselect() { selected = tracking = hitState = 0; }
    bool IsSelected() const { return selected != 0; }
    void BeginTracking() { tracking = 1; }
    void EndTracking() { tracking = moving = 0; }

    // Keeps the pane mapping of a draw: the value range, the bars [first, end) and the plot
    // rectangle.
    void StoreMapping(float max, float min, int first, int end, int left, int top, int right,
                      int bottom);
    // Pixel and data coordinates under the stored mapping, on the pane's value scale
    // (logScale). Pixels are cut toward zero and kept
    // within +-1e6, so an empty range gives no undefined conversion.
    int ValueToY(float value) const;
    float YToValue(int y) const;
    float XToIndex(int x) const;
    // The centre of bar `index`.
    virtual int IndexToX(float index) const;
    SPoint PointOf(float x, float y) const;

    // Draws the element into a pane showing values yMin..yMax over the bars [first, end) in
    // the plot rectangle. The base keeps that mapping (StoreMapping) and draws nothing; every
    // override starts the same way.
    virtual void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot);

    // 0 none, 1 body (not selected), 2 body (selected), 3 first handle, 4 second handle;
    // 7 the price series, 8 a curve or trade flag.
    virtual int HitTest(int x, int y);
    // Moves the element so that grabPoint lands on (x, y).
    virtual void MoveBy(int x, int y);
    virtual void SetPoint1(float x, float y);
    virtual void SetPoint2(float x, float y);
    virtual void SetX1Y2(float x, float y);
    virtual void SetX2Y1(float x, float y);
    // Both anchors to (x, y), the bar period stored.
    virtual void SetAnchor(float x, float y, int period);
    // Scales the anchors' bar index from the stored period to `newPeriod` (at least 1), so the
    // element stays on the same dates.
    virtual void Rescale(int newPeriod);
    // Carries the anchors from the bars dated `oldDates` to the bars dated `newDates` by date
    // (BarRemap.h) and stores `newPeriod`. Nothing when either series is empty.
    virtual void RemapBars(const std::vector<int32_t>& oldDates,
                           const std::vector<int32_t>& newDates, int newPeriod);
    // The same through the daily bars both series were built from (`baseDates`), so that no
    // chain of period changes moves an anchor off its day.
    void RemapBars(const std::vector<int32_t>& oldDates, const std::vector<int32_t>& baseDates,
                   const std::vector<int32_t>& newDates, int newPeriod);
    // Applies `map` to every bar index the element holds (both anchors; tools with more
    // points add theirs).
    virtual void MapBarIndices(const std::function<float(float)>& map);
    // Drags the handle of hit code `hitCode` to (x, y): 3 the first anchor, 4 the second, 5
    // the corner (x1, y2), 6 the corner (x2, y1); tools with other points take 5 and 6 for
    // them.
    virtual void DragHandle(int hitCode, float x, float y);

    // Pixel tests the hit tests share.
    // True when (x, y) lies within `tolerance` pixels of the segment a-b, measured across the
    // segment's main direction as a line hit test does; a zero-length segment is its point.
    static bool NearSegment(SPoint a, SPoint b, int x, int y, int tolerance);
    // True when (x, y) lies in [left, right) x [top, bottom) grown by `tolerance` each way.
    static bool InBox(int left, int top, int right, int bottom, int x, int y, int tolerance);

    CElementOwner* owner = nullptr;
    std::array<uint8_t, 256> block1{};
    std::array<uint8_t, 256> block2{};
    int selected = 0;
    int tracking = 0;
    int moving = 0;
    int plotLeft = 0;
    int plotRight = 0;
    int plotWidth = 0;
    int plotHeight = 0;
    int plotBottom = 0;
    int plotTop = 0;
    int hitState = 0;
    float endIndex = 0;
    float firstIndex = 0;
    float yMax = 0;
    float yMin = 0;
    float indexCount = 0;
    float yRange = 0;
    // The pane maps values logarithmically (SValueScale.h); set by the pane before each draw,
    // not stored.
    bool logScale = false;
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    SPoint grabPoint;
    std::string name = "Symbol";
    int typeCode = 0;
    int hitTolerance = 1;
    int placed = 0;
    // 1 on the reference lines an indicator builder adds, so that replacing it removes them;
    // stored in the first four bytes of block2.
    int indicatorMark = 0;
    // The position in its pane's identifier list of the indicator entry that built the
    // element, -1 for everything else; not stored, the replay after a load sets it again.
    int entryIndex = -1;

protected:
    // The record's fields in stored order, one list for Write and Read alike; a class lists
    // its base's fields first, then its own. The element record: type code, plotBottom,
    // hitState, plotHeight, plotLeft, moving, selected, tracking (ints), endIndex, yMax,
    // firstIndex, yMin, indexCount, yRange (floats), grabPoint, x1, y1, x2, y2, name,
    // plotRight, plotTop, plotWidth, placed, block1, block2.
    virtual void StoredFields(CRecordFields& fields);

    static int ToPixel(float value);

    // Sets the display name to translation text `id` when the active language has one.
    void SetTranslatedName(unsigned id);

    CSymbol(const CSymbol&) = default;
    CSymbol& operator=(const CSymbol&) = default;
    CSymbol(CSymbol&&) = default;
    CSymbol& operator=(CSymbol&&) = default;
};
