#pragma once
// The drawn cross-section of the current board: layout of slabs and labels,
// painting through a Canvas, hover, drag of a layer to another place, double
// click to its grid row, and vertical scrolling. The Qt widget paints it and
// forwards the mouse and the scroll bar here; tests use a recording canvas.
#include <laminar/laminar.h>

#include "platform/Canvas.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lm {

struct LMEDITSETTINGS;

enum class PictureCursor : uint8_t { Arrow, Drag };

// What the picture asks of the window around it.
class PictureHost {
public:
    virtual void redraw() = 0;
    virtual void setCursor(PictureCursor cursor) = 0;
    virtual void captureMouse(bool capture) = 0;
    // The vertical bar: range 0..maximum (0..0 when not needed, then disabled), page, position.
    virtual void setScrollBar(int32_t maximum, int32_t page, int32_t position) = 0;

protected:
    ~PictureHost() = default;
};

// What the picture's drag and double click do to the layers: the drill-pair
// move check and the move (one undo step), and the selection of a layer.
class PictureLayerMoves {
public:
    virtual bool moveAllowed(int32_t first, int32_t count, int32_t target) const = 0;
    virtual bool moveLayer(int32_t from, int32_t to) = 0;
    virtual void selectLayer(int32_t index) = 0;

protected:
    ~PictureLayerMoves() = default;
};

// Where the layout put things, in content coordinates (before the scroll offset).
struct PictureLayout {
    int32_t averageCharWidth = 0;
    int32_t textHeight = 0;
    int32_t blockWidth = 0;
    int32_t frontWidth = 0;
    int32_t depthX = 0;
    int32_t depthY = 0;
    int32_t stackHeight = 0;
    int32_t scale = 0;          // proportional mode: pixels*10 per unit thickness sum
    int32_t contentHeight = 0;
    Rect leftLabels;
    Rect stack;                 // the front faces' column: left, top of the first layer, front width, bottom
    Rect rightLabels;
    std::vector<int32_t> layerTop;    // per layer, y of its front face's top
    std::vector<int32_t> layerHeight; // per layer, in pixels
    std::vector<int32_t> labelCentre; // per layer, y of its labels' centre (the right one raised by depthY)
    int32_t scrollMaximum = 0;
    int32_t scrollPage = 0;
};

class StackupPicture {
public:
    // The settings must outlive the picture; the layers are read at each call.
    explicit StackupPicture(LMEDITSETTINGS& settings);

    void setHost(PictureHost* host) { host_ = host; }
    // Without moves the picture cannot move layers and its double click selects nothing.
    void setLayerMoves(PictureLayerMoves* moves) { moves_ = moves; }

    // UpdateContent: measures the font on `measure` and lays out for the client size.
    void layout(Size client, Canvas& measure);
    const PictureLayout& currentLayout() const { return layout_; }

    // The whole client area: button-face background, the stack and the labels,
    // shifted by the scroll position.
    void paint(Canvas& canvas, uint32_t buttonFace);

    // The stack and labels for printing and copying: the whole content from
    // its top (no scrolling), shifted by `shift`, without background, hover
    // outline or drop marker.
    void paintForOutput(Canvas& canvas, Point shift);
    // The layout's client size.
    Size clientSize() const { return client_; }

    // Right-hand labels follow the tab: 0 thickness, 1 Er, 2 Z0, other none.
    void setLabelMode(int32_t mode);
    int32_t labelMode() const { return labelMode_; }
    // From the grid's Z0 refresh, one value per layer; none when there is no calculator.
    void setZ0Values(std::span<const double> values);
    // The texts shown for layer i (left name shortened, right value), for tests and printing.
    std::string rightLabel(std::size_t layer) const;

    // Mouse, in client coordinates; all of it only with the picture-mouse capability.
    void mouseMove(Point p);
    void leftDown(Point p);
    void leftUp(Point p);
    void doubleClick(Point p);
    // The pointer left the picture: no layer stays outlined (a drag keeps its target).
    void mouseLeft();
    int32_t hoveredLayer() const { return hovered_; }
    // The index the dragged layer lands before (the layer count: below the last),
    // as the grid's moveAllowed takes it; -1 when not dragging.
    int32_t dropTarget() const { return target_; }
    bool dragging() const { return dragging_; }

    // Scrolling: by lines (6/8 of the text height), pages, or to a position; clamped.
    void scrollLines(int32_t lines);
    void scrollPages(int32_t pages);
    void scrollTo(int32_t position);
    int32_t scrollPosition() const { return scrollPos_; }

    // Layer under a content point: front rectangles from the bottom up; -1 none.
    int32_t hitTest(Point contentPoint, bool wholeWidth = false) const;

private:
    bool mouseEnabled() const;
    bool useLayerColours() const;
    Point toContent(Point clientPoint) const;
    Rect frontFace(int32_t layer) const;
    void drawContent(Canvas& canvas, std::span<const LMLAYEREX> layers);
    void drawHover(Canvas& canvas) const;
    void drawDropMarker(Canvas& canvas) const;
    void redraw();

    LMEDITSETTINGS& settings_;
    PictureHost* host_ = nullptr;
    PictureLayerMoves* moves_ = nullptr;
    PictureLayout layout_;
    Size client_;
    int32_t labelMode_ = -1;
    std::vector<double> z0_;
    int32_t hovered_ = -1;
    int32_t target_ = -1;
    int32_t dragged_ = -1;
    bool dragging_ = false;
    int32_t scrollPos_ = 0;
};

} // namespace lm
