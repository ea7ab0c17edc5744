#pragma once
#include <string>

class CElementTracker;
class CZentriStockView;

// The cursor shapes a pane asks for.
enum class ECursor {
    Chart,        // nothing under the mouse: the usual pointer
    PointElement, // on an element that is not selected
    Move,         // on the body of the selected element
    EndPoint,     // on an end handle
    CornerNwse,   // on a corner whose diagonal runs top-left to bottom-right
    CornerNesw,   // on a corner whose diagonal runs top-right to bottom-left
    PriceSeries,
    Curve,
    DateAxis,  // horizontal resize
    ValueAxis, // vertical resize
    Draw,      // a tool is armed and the mouse is inside the plot
};

// What one input event asks of the pane window.
struct SInputResult {
    bool redrawAll = false;  // every pane of the chart repaints (layout)
    bool redrawPane = false; // this pane repaints
    bool barEntered = false; // the bar notification (3525) with `bar`
    int bar = -1;
    bool textPlaced = false; // a text element was placed: its text dialog opens now
    // The status read-out ("%.2f" value, the bar's date in text 38) when `readOut` is set;
    // both empty outside the plot, the date empty for a slot past the series.
    bool readOut = false;
    std::string statusValue, statusDate;
    enum class EOpen { None, Properties, WindowSettings, YScale } open = EOpen::None;
    bool symbolKey = false; // `typed` goes to the frame's symbol quick entry
    char typed = 0;
    ECursor cursor = ECursor::Chart;
};

// The mouse and keyboard behaviour of one pane, in the view's logical pixels, so that the pane
// window only converts its events and carries out the result: left button press, drag and
// release (element placing and dragging through the tracker, date-axis scrolling, value-axis
// scaling), the bar notification and the status read-out, double clicks, the wheel, keys and
// the cursor choice.
class CPaneInput {
public:
    enum class EKey { Right, Left, Up, Down, Delete, Escape, Other };

    CPaneInput(CZentriStockView& view, CElementTracker& tracker);

    // Left button.
    SInputResult Press(int x, int y);
    SInputResult Move(int x, int y, bool leftDown, bool ctrl);
    SInputResult Release(int x, int y);
    SInputResult DoubleClick(int x, int y);
    // The mouse left the pane: the next bar entered is announced again.
    SInputResult Leave();
    // `angleDelta` as the wheel reports it (120 a notch, positive away from the user); small
    // deltas add up to whole notches.
    SInputResult Wheel(int angleDelta, int x, int y, bool shift, bool ctrl);
    // `text` is what the key typed (keypad digits type their digit).
    SInputResult Key(EKey key, const std::string& text, bool ctrl);

    // The cursor for (x, y). Hit-tests the elements, so the element under the mouse becomes
    // the tracker's hot element as the cursor request makes it.
    ECursor CursorAt(int x, int y) const;
    // The left button went down in this pane and has not come up.
    bool Dragging() const { return m_origin != EOrigin::None; }

    // Where a drag began; `downPoint` moves with axis drags.
    enum class EOrigin { None, DateStrip, ValueStrip, Plot };
    EOrigin Origin() const { return m_origin; }
    int DownX() const { return m_downX; }
    int DownY() const { return m_downY; }
    int LastReportedBar() const { return m_lastReportedBar; }
    // Points the tracker at this pane's elements and series; every event above does it first.
    void PrepareTracker() const;

private:
    void ReadOut(int x, int y, SInputResult& result) const;
    void DragDates(int x, int y, SInputResult& result);
    void DragValues(int x, int y, bool ctrl, SInputResult& result);
    void ArrowKey(EKey key, SInputResult& result);
    void Escape(SInputResult& result);
    void EndPress();
    static ECursor CursorOfHit(int hitCode, float x1, float y1, float x2, float y2);

    CZentriStockView& m_view;
    CElementTracker& m_tracker;
    EOrigin m_origin = EOrigin::None;
    int m_downX = 0;
    int m_downY = 0;
    int m_pressX = 0;
    int m_pressY = 0;
    int m_lastReportedBar = -1;
    int m_wheelRemainder = 0;
    // Bar slots a date-axis drag moved that did not yet make a whole bar.
    float m_dateRemainder = 0;
    // The saved window and the scale before the drag, to stop a scale drag and for Escape.
    int m_firstBefore = 0;
    int m_endBefore = 0;
    float m_yMaxBefore = 0;
    float m_yMinBefore = 0;
    bool m_manualBefore = false;
    // The element the press placed (compared, never dereferenced) and whether it needs two
    // anchors; the element a drag began on with its stored record.
    const void* m_created = nullptr;
    bool m_createdTwoAnchor = false;
    const void* m_dragged = nullptr;
    std::string m_draggedRecord;
};
