#pragma once
#include "ctlkit/dc/CDC.h"

class CStock;
class CSymbol;
class CTCurve;

// The pane mapping from pixels to data coordinates: bars xMin .. xMin + xCount across the
// plot, values yMin .. yMin + yRange up it, evenly or (logarithmic) in their logarithm.
struct SPaneMapping {
    CRect plot;
    float xMin = 0;
    float xCount = 0;
    float yMin = 0;
    float yRange = 0;
    bool logarithmic = false;

    float IndexAt(int px) const;
    float ValueAt(int py) const;
};

// Places, selects and drags the chart elements of one pane with the mouse, so that the pane
// window only forwards its mouse events. The armed tool code places one element per click
// inside the plot; without a tool, a click selects the element under the mouse and a drag
// moves it (its body) or one of its handles.
class CElementTracker {
public:
    enum EDown {
        kNothing,     // nothing changed
        kSelected,    // the element under the mouse became the selected one
        kDeselected,  // the click missed every element; none is selected now
        kCreated,     // a new element was placed and selected
        kCreatedText, // a text element was placed: its text dialog should open now
    };

    CElementTracker() = default;

    // The pane container the elements live in; a change of pane drops the selection.
    void SetPane(CTCurve* pane);
    // The price series the pane belongs to and the pane's number: in pane 0 a hover that
    // hits no element tries the series, and a deleted curve takes its indicator entry out of
    // the pane's identifier list. Null: no series (nothing of it is hit or removed).
    void SetSeries(CStock* series, int paneNumber);
    // The bar period new elements keep and the pane's background colour, whose complement
    // they are drawn in.
    void SetPeriod(int period) { m_period = period; }
    void SetBackground(COLORREF background) { m_background = background; }

    void Arm(int toolCode) { m_armed = toolCode; }
    void Disarm() { m_armed = 0; }
    int ArmedTool() const { return m_armed; }

    // Hit-tests the elements from the top of the list (the last drawn first), then the curves
    // (the left-scale list, then the right-scale one, each from its end), then in the price
    // pane the price series. Without a tool armed and with no button down, the element hit
    // becomes the hot element. Returns the hit code for the cursor (0 when nothing is hit).
    int Hover(int px, int py);
    EDown MouseDown(int px, int py, const SPaneMapping& mapping);
    // True when an element changed and the pane should be repainted. The price series, a
    // curve and a trade flag are selected by a click but never dragged.
    bool MouseMove(int px, int py, const SPaneMapping& mapping);
    void MouseUp(int px, int py, const SPaneMapping& mapping);

    // The colour a new element gets on a pane of `background`: its complement, or black or
    // white when the complement lies within kNearColour of it on every channel.
    static constexpr int kNearColour = 48;
    static COLORREF ElementColourOn(COLORREF background);
    // `colour` itself, unless it lies within kNearColour of `background` on every channel and
    // would vanish into it: then the colour a new element gets there.
    static COLORREF VisibleColourOn(COLORREF colour, COLORREF background);

    // Deletes the selected element from the pane; a curve, a trade flag or a reference line
    // built by an indicator entry goes with that whole entry (RemoveIndicatorEntry). False
    // when none is selected, for the price series (it can't be deleted) and for an indicator
    // element without a known entry.
    bool RemoveSelected();

    // The selected element, or null when it is no longer in the pane (its elements, its
    // curves or, in the price pane, the series).
    CSymbol* Selected() const;
    // Makes `element` the selected one, as a click on it would (a pasted element); false, and
    // the selection as it was, when the pane does not list it.
    bool SelectElement(CSymbol* element);
    CSymbol* Hot() const;
    bool ButtonDown() const { return m_buttonDown; }

private:
    bool Listed(const CSymbol* element) const;
    EDown Create(int px, int py, const SPaneMapping& mapping);
    void Choose(CSymbol* element);
    static bool Draggable(int hitCode);

    // The series when this is the price pane, else null.
    CStock* PriceSeries() const;

    CTCurve* m_pane = nullptr;
    CStock* m_series = nullptr;
    int m_paneNumber = -1;
    CSymbol* m_selected = nullptr;
    CSymbol* m_hot = nullptr;
    int m_armed = 0;
    int m_period = 1;
    COLORREF m_background = 0xFFFFFF;
    bool m_buttonDown = false;
};
