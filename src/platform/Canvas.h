#pragma once
// Everything this system draws (the stackup picture, printed reports, charts)
// goes through a Canvas. The Qt front end paints with QPainter on a widget, an
// image, a printer page or an SVG; tests use a recording canvas with fixed
// font metrics. Coordinates are pixels (device units) after the origin shift.
#include "platform/Geometry.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace lm {

enum class PenStyle : uint8_t { None, Solid, Dotted };
// Hatched: diagonal cross; BackDiagonal: lines rising from left to right.
enum class BrushStyle : uint8_t { None, Solid, Hatched, BackDiagonal };
enum class TextAlign : uint8_t { Left, Centre, Right };

struct Pen {
    PenStyle style = PenStyle::Solid;
    uint32_t colour = 0; // 0x00BBGGRR
    int32_t width = 1;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    uint32_t colour = 0xFFFFFFu;
    bool operator==(const Brush&) const = default;
};

struct FontSpec {
    int32_t pointSize = 0; // 0: the canvas's default font
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    // Exclusive-or drawing of pens and brushes (hover outlines); off by default.
    virtual void setXor(bool on) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    virtual void setTextColour(uint32_t colour) = 0;

    // Fills with the colour, no outline.
    virtual void fillRect(const Rect& rect, uint32_t colour) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void rectangle(const Rect& rect) = 0;
    virtual void polygon(std::span<const Point> points) = 0;
    virtual void polyline(std::span<const Point> points) = 0;
    virtual void line(Point from, Point to) = 0;
    // One line of text in `box`, vertically centred, aligned horizontally.
    virtual void text(const Rect& box, std::string_view text, TextAlign align) = 0;

    // Measurement in the current font.
    virtual int32_t textWidth(std::string_view text) = 0;
    virtual int32_t textHeight() = 0;

    // Drawing outside the rectangle is dropped; clearClip lifts it.
    virtual void setClip(const Rect& rect) = 0;
    virtual void clearClip() = 0;
    // Later coordinates are shifted by this offset (not cumulative).
    virtual void setOrigin(Point offset) = 0;
};

// The average character width of the canvas's current font, as dialogs and the
// picture measure it: (width of the 52 letters / 26 + 1) / 2.
int32_t averageCharWidth(Canvas& canvas);

} // namespace lm
