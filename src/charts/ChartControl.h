#pragma once
// The x-y chart of the two graph dialogs: polylines over linear or
// logarithmic axes with ticks on simple steps and engineering-prefix labels,
// and four user actions: zoom to a dragged rectangle, pan by whole steps,
// a track cursor reading values off a curve, fit to window. It renders itself
// for the clipboard and the printer too. It knows nothing of stackups.
//
// Everything is decided here; the Qt chart widget implements ChartWindow,
// forwards the mouse and paints through a Canvas. Its jobs: ChartLayout.cpp
// (axes fitted around their labels), ChartPaint.cpp (drawing, copy, print),
// ChartMouse.cpp (the gestures).
#include "charts/ChartAxis.h"
#include "charts/Curve.h"
#include "platform/Canvas.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lm {

enum ChartMouseMode : int32_t { kChartZoom = 1, kChartPan = 2, kChartTrack = 3 };

struct ChartFont {
    std::string face = "Arial";
    int32_t height = -10; // negative: character height in pixels
    int32_t weight = 500;
    bool italic = false;
    bool operator==(const ChartFont&) const = default;
};

struct ChartColours {
    uint32_t foreground = 0xFFFFFF; // axes, frame, labels, titles
    uint32_t grid = 0x808080;
    uint32_t background = 0x000000;
    uint32_t highlight = 0xFFFFFF; // a curve under the track cursor
};

struct ChartRange {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool operator==(const ChartRange&) const = default;
};

// The page as the dialogs print it: margins in the unit the code names ('I':
// inches with `unitDecimals` decimals, so 5 is half an inch), the scale in per
// cent and the alignment codes ('L', 'R', 'T', 'B'; anything else centres).
struct ChartPageSettings {
    int32_t marginLeft = 5, marginTop = 5, marginRight = 5, marginBottom = 5;
    char unitCode = 'I';
    uint8_t unitDecimals = 1;
    int32_t scalePercent = 100;
    char horizontalAlign = 'C';
    char verticalAlign = 'C';
    std::string caption;
    bool selectChartFont = true;
};

// Where the chart goes on a printed page: its top-left corner in page pixels
// and the factor from window pixels to page pixels.
struct PrintPlacement {
    Point origin;
    double factor = 1;
};

// The three cursor resource ids the chart shows; 0 stands for the arrow.
struct ChartCursors {
    uint32_t zoom = 0, pan = 0, track = 0;
};

class CChartControl;

// What the chart asks of its window.
class ChartWindow {
public:
    virtual ~ChartWindow() = default;
    virtual Rect clientRect() const = 0;
    // Runs `use` with a canvas in the chart's font, for measuring labels.
    virtual void measure(const std::function<void(Canvas&)>& use) = 0;
    virtual void repaint() = 0;
    // The cursor over the chart, by resource id (0: the arrow).
    virtual void showCursor(uint32_t cursorId) = 0;
    virtual void captureMouse(bool capture) = 0;
    // The pan's completion runs: call CChartControl::animate at least 20 ms
    // apart until it answers false.
    virtual void startAnimation() = 0;
    // A bitmap of that size drawn by `draw` replaces the clipboard's content;
    // false when the clipboard could not be opened or set.
    virtual bool copyBitmap(Size size, const std::function<void(Canvas&)>& draw) = 0;
    // The print dialog, then one page of a document of that name through
    // placeForPrint and drawForPrint; false when nothing was printed.
    virtual bool printChart(CChartControl& chart, std::string_view documentName, const ChartPageSettings& page) = 0;
};

class CChartControl {
public:
    CChartControl() = default;
    CChartControl(const CChartControl&) = delete;
    CChartControl& operator=(const CChartControl&) = delete;

    // The window exists from now on (null: it went). Layout needs one.
    void attach(ChartWindow* window);
    bool exists() const { return window_ != nullptr; }

    // Set by the owner before curves are added or the layout runs.
    std::string xUnit, yUnit, xTitle, yTitle;
    bool engineeringPrefixes = true;
    ChartColours colours;

    // --- operations of the dialogs
    // The chart keeps a pointer: the curve must outlive its use here. The
    // first curve sets the data range, later ones widen it; the view becomes
    // the data range. Returns the curve's index.
    int32_t addCurve(Curve& curve);
    void removeAllCurves();
    // A log axis only where the data's minimum is above 0; the view is reset.
    void setLogScale(bool logX, bool logY);
    void setLabelFont(std::string_view face, int32_t height, int32_t weight, bool italic);
    const ChartFont& font() const { return font_; }
    // Axes and plot rectangle for the window's client area; nothing without a window.
    void recalcLayout();
    // View := data range; also the answer to a double click.
    void fitToWindow();
    void setCursors(uint32_t zoom, uint32_t pan, uint32_t track);
    void setMouseMode(int32_t mode);
    int32_t mouseMode() const { return mode_; }
    // The chart with a caption under it as a bitmap on the clipboard; inverted
    // colours give a white background with dark axes. Curves keep their colours.
    bool copyToClipboard(std::string_view caption, bool invertColours);
    // The print dialog and one page, only while a curve is shown.
    bool print(std::string_view documentName);

    // --- the window's events
    void paint(Canvas& canvas);
    void resized();
    void buttonDown(Point p);
    void mouseMove(Point p);
    void buttonUp(Point p, int64_t nowMs);
    void doubleClick() { fitToWindow(); }
    // The mouse left the window: no readout.
    void mouseLeft();
    // One frame of the pan's completion; false once it has ended.
    bool animate(int64_t nowMs);
    bool animating() const { return completion_.has_value(); }
    // The cursor the mode and the lock call for (resource id, 0 the arrow).
    uint32_t cursorId() const;

    // --- printing: where the chart goes on the page and its drawing there
    PrintPlacement placeForPrint(const Rect& printable, int32_t dpiX, int32_t dpiY, const ChartPageSettings& page) const;
    // The chart as copied (with its caption), dark on white; a monochrome
    // printer gets black pens and dotted grid lines.
    void drawForPrint(Canvas& canvas, std::string_view caption, bool colourPrinter);
    // Window pixels the copy and the print take: the client area and two label heights for the caption.
    Size outputSize() const;

    // --- state, as the window and tests read it
    const AxisState& xAxis() const { return x_; }
    const AxisState& yAxis() const { return y_; }
    const Rect& plot() const { return plot_; }
    const ChartRange& dataRange() const { return data_; }
    const ChartRange& viewRange() const { return view_; }
    int32_t curveCount() const { return static_cast<int32_t>(curves_.size()); }
    int32_t labelWidth() const { return labelWidth_; }
    int32_t labelHeight() const { return labelHeight_; }
    Point panOffset() const { return pan_; }
    int32_t selectedCurve() const { return selected_; }
    bool curveLocked() const { return mode_ == kChartTrack && dragging_ && selected_ >= 0; }
    bool dragging() const { return dragging_; }
    // The zoom rectangle being dragged.
    std::optional<Rect> rubberBand() const;
    // The readout under the plot; empty when none shows.
    std::string readout() const;

    // Pixel of a value on each axis (pan offset included) and back.
    int32_t xPixel(double x) const;
    int32_t yPixel(double y) const;
    double xValueAt(int32_t px) const;
    double yValueAt(int32_t py) const;

private:
    struct DrawStyle {
        uint32_t foreground, grid, background;
        bool dottedGrid = false;
    };
    struct Completion {
        int64_t startMs = 0;
        Point from;
        Point to;
    };
    struct TrackPoint {
        double x = 0, y = 0;
    };

    // ChartLayout.cpp
    void layout(Canvas& measure);
    void measureLabels(Canvas& measure, int32_t& width, int32_t& height, int32_t& extra) const;
    int32_t xPrefixRow() const;
    int32_t yPrefixRow() const;
    void setView(const ChartRange& range);

    // ChartPaint.cpp
    // Everything but the readout and the zoom band, over a background of `area`.
    void draw(Canvas& canvas, const DrawStyle& style, Size area);
    void drawAxis(Canvas& canvas, const DrawStyle& style, bool horizontal);
    void drawCurves(Canvas& canvas);
    void drawReadout(Canvas& canvas);
    void drawCaption(Canvas& canvas, std::string_view caption);
    DrawStyle screenStyle() const;

    // ChartMouse.cpp
    void zoomTo(Point corner);
    void panTo(Point p);
    void finishPan();
    void moveTicks(int32_t xSteps, int32_t ySteps);
    int32_t curveUnder(Point p) const;
    void trackSelect(Point p);
    void restoreSelectedColour();
    std::optional<TrackPoint> lockedPointAt(Point p) const;

    ChartWindow* window_ = nullptr;
    std::vector<Curve*> curves_; // not owned
    ChartRange data_;
    ChartRange view_;
    AxisState x_;
    AxisState y_;
    Rect plot_;
    int32_t labelWidth_ = 0;  // widest x label
    int32_t labelHeight_ = 0;
    int32_t labelExtra_ = 0;  // widest y label: the room left of the plot
    ChartFont font_;
    ChartCursors cursors_;
    int32_t mode_ = kChartZoom;
    bool dragging_ = false; // a drag, or in track mode a locked curve
    Point press_{-1, -1};
    Point last_{-1, -1};
    Point pan_;
    std::optional<Completion> completion_;
    int32_t selected_ = -1;
    uint32_t selectedColour_ = 0;
};

} // namespace lm
