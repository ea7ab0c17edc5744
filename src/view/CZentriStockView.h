#pragma once
#include "CTickTable.h"
#include "ctlkit/base/LOGFONT.h"
#include "ctlkit/dc/CDC.h"
#include "settings/SetupSettings.h"
#include <functional>
#include <string>

class CIniReader;
class CStock;
class CTCurve;
class CViewList;
class CZentriStockDoc;

// One pane of a chart window: lays out its plot rectangle and value scales, maps bars and
// values to pixels and paints the pane (price bars, curves, elements, frame, grid, scales,
// date axis, title) into a device context. Reads the document and never owns data.
class CZentriStockView {
public:
    // Menu commands.
    enum ECommand {
        kMoveForward = 32799,
        kMoveBackward = 32800,
        kQuickForward = 32801,
        kQuickBackward = 32802,
        kMoveToBegin = 32803,
        kMoveToEnd = 32804,
        kNarrowCandle = 32834,
        kBroadenCandle = 32835,
        kZoomIn = 32838,
        kZoomOut = 32839,
        kZoomReset = 32876,
        kYScaleDialog = 32955,
        kYScaleDialog2 = 32907,
        kYScaleDialog3 = 32897,
        kYScaleDialog4 = 32878,
        kAutoScale = 32956,
        kExpandY = 32981,
        kShrinkY = 32983,
    };
    static constexpr int kTitleButtonId = 1033;
    static constexpr COLORREF kButtonShadow = MakeRGB(160, 160, 160);
    static constexpr int kMinClient = 80;

    // Reads the AXIS_SETTING defaults from `settings` and writes them straight back.
    CZentriStockView(CZentriStockDoc& document, int paneIndex, CIniReader& settings);
    // A view of a series without a document (rendering tools): the given defaults, both
    // chart options off.
    CZentriStockView(CStock& stock, int paneIndex, const AxisSettings& defaults);
    ~CZentriStockView();
    CZentriStockView(const CZentriStockView&) = delete;
    CZentriStockView& operator=(const CZentriStockView&) = delete;

    // The defaults a view starts from when no settings file is read.
    static AxisSettings DefaultAxisSettings();

    void SetViewList(CViewList* list);
    // Asked before each draw: whether the splitter part below this pane (this pane's own part
    // when it is the last) is hidden.
    void SetLowestVisibleQuery(std::function<bool()> query) { m_lowestQuery = std::move(query); }
    void SetClientSize(int width, int height) { clientRect = CRect{0, 0, width, height}; }
    void SetFocus(bool focus) { hasFocus = focus; }
    // The Y-scale dialog: shown with the pane's top and bottom values, true on OK with the
    // values the user entered.
    using YScaleDialog = std::function<bool(float& max, float& min)>;
    void SetYScaleDialog(YScaleDialog dialog) { m_yScaleDialog = std::move(dialog); }

    // Lays the pane out: per-pane settings, plot rectangle, axis strips, first-time fit and
    // both ranges.
    void Layout();
    // Paints the pane into `dc`, which is the off-screen bitmap (or the printer) the caller
    // copies to the window in one block.
    void OnDraw(CDC& dc);

    // Mapping, right-hand scale and (second) left-hand scale.
    int BarToX(float bar) const;
    int XToBar(int x) const;
    int ValueToY(float value) const;
    float YToValue(int y) const;
    int ValueToY2(float value) const;
    float YToValue2(int y) const;

    // Navigation, candle width and scale commands; false for an id this view does not handle.
    bool OnCommand(int id);
    // delta < 1 turns toward the user.
    void OnMouseWheel(int delta, bool shift, bool ctrl);
    void ExpandY();
    void ShrinkY();
    // The Y-scale dialog's OK. A range that is not finite or whose top is not above its
    // bottom is refused (false) and the scale stays as it was.
    bool SetManualYScale(float max, float min);
    void ClearManualYScale() { manualYScale = false; }
    void RelayoutAll();
    // The document's CurveFloating option (off without a document).
    bool CurveFloating() const;

    // The notice of a pane that asked for a logarithmic scale it cannot have, else empty.
    std::string ScaleNotice() const;

    // The title button as last laid out, and its text ("&NoName" until the first draw).
    const CRect& TitleButtonRect() const { return m_titleButton; }
    const std::string& TitleButtonText() const { return m_titleButtonText; }

    CStock& Stock() const { return m_stock; }
    // The pane container drawn, null for a pane beyond the containers.
    CTCurve* Pane() const;
    bool IsEmptyPane() const { return Pane() == nullptr; }

    int paneIndex = 0;
    CRect clientRect;
    CRect plotRect;
    int margin = 8;
    int xFirst = 0;
    int xEnd = 0;
    float xMin = 0;
    float xMax = 0;
    float xCount = 0;
    float yMax = 10.0f;
    float yMin = 0;
    float yRange = 10.0f;
    float yMax2 = 0;
    float yMin2 = 0;
    float yRange2 = 0;
    int cellMaxX = 80;
    int cellMaxY = 80;
    int gridPenStyle = kPenDot;
    bool manualYScale = false;
    bool lowestVisiblePane = false;
    bool showLeftAxis = false;
    bool showVerticalGrid = false;
    bool showHorizontalGrid = true;
    bool showXAxis = false;
    bool oneLineTitle = false;
    // The pane's record asks for a logarithmic value scale (CViewPar::LogScale), and whether
    // the scale is logarithmic: only over a range above 0. A pane that asks and cannot have
    // it stays linear and shows CViewPar::LinearScaleNotice.
    bool logScaleAsked = false;
    bool logScale = false;
    // Ticks at whole multiples of their step (CViewPar::RoundTicks).
    bool roundTicks = false;
    bool layoutValid = false;
    bool hasFocus = false;
    LOGFONT axisFont;
    LOGFONT labelFont;
    COLORREF frameColour = MakeRGB(128, 128, 128);
    COLORREF leftTextColour = MakeRGB(128, 128, 128);
    COLORREF backgroundColour = MakeRGB(255, 255, 255);
    COLORREF axisTextColour = MakeRGB(128, 128, 128);
    COLORREF titleColour = MakeRGB(255, 0, 0);
    COLORREF noteBackgroundColour = MakeRGB(255, 255, 192);
    CTickTable xTicks;
    CTickTable yTicks;
    CRect xAxisStrip;
    CRect yAxisStrip;

    // The tick computations, public for the mouse code and tests.
    void ComputeYTicks();
    void ComputeXTicks();

private:
    struct SRange {
        float min;
        float range;
    };
    void ApplyDefaults(const AxisSettings& defaults);
    void RunYScaleDialog();
    void Repaint();
    void CopyPaneSettings();
    void LayoutRest();
    void LayoutPlot();
    void MeasureAxisFont(CDC& dc);
    void FitVertical();
    void FitHorizontal();
    void ChooseScale();
    void PaintScaleNotice(CDC& dc);
    bool YAxisOffset() const;
    // The range a scale maps with: a zero range is widened by 1 % of its value (1 at 0).
    static SRange MappingRange(float min, float range);
    // The mapping of one scale (the right one or the left one) between values and rows.
    int ValueToRow(float value, float min, float range, bool logarithmic) const;
    float RowToValue(int y, float min, float range, bool logarithmic) const;
    static int ToPixel(float value);
    int AxisCharWidth() const;
    int AxisHeight() const;
    int LabelHeight() const;

    void PaintBackground(CDC& dc);
    void PaintElements(CDC& dc);
    void PaintMargins(CDC& dc);
    void PaintFrame(CDC& dc, int width);
    void PaintHorizontalGrid(CDC& dc);
    void PaintVerticalGrid(CDC& dc);
    void PaintRightLabels(CDC& dc);
    void PaintLeftLabels(CDC& dc);
    void PaintDateLabels(CDC& dc);
    void PaintScalesAndAxes(CDC& dc);
    void PaintTitle(CDC& dc);
    void PaintTitleButton(CDC& dc);
    void PaintCurveTitles(CDC& dc, int x, int y);
    void PaintShadowEdge(CDC& dc);

    CStock& m_stock;
    CZentriStockDoc* m_document = nullptr;
    CViewList* m_list = nullptr;
    std::function<bool()> m_lowestQuery;
    YScaleDialog m_yScaleDialog;
    int m_measuredAxisWidth = 0; // digit width of the axis font in the last draw's context
    CRect m_titleButton;
    std::string m_titleButtonText = "&NoName";
};
