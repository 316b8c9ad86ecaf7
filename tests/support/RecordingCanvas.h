#pragma once
// A canvas that keeps every call as data, with fixed font metrics: each
// character (byte) is 7 pixels wide and a line of text 16 pixels high, so the
// average character width is 7. Header-only, for the core's drawing tests.
#include "platform/Canvas.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace lm::test {

enum class CanvasOp {
    SetPen, SetBrush, SetXor, SetFont, SetTextColour, FillRect, Rectangle, Polygon, Polyline, Line, Text,
    SetClip, ClearClip, SetOrigin,
};

// One call with the state it was made in (pen, exclusive-or, origin).
struct CanvasCall {
    CanvasOp op;
    std::vector<Point> points; // polygon, polyline, line (from, to), origin
    Rect rect;                 // fill, rectangle, text box, clip
    Pen pen;
    bool xorOn = false;
    Point origin;
    uint32_t colour = 0; // fill colour, text colour
    std::string text;
    TextAlign align = TextAlign::Left;
};

class RecordingCanvas : public Canvas {
public:
    static constexpr int32_t kCharWidth = 7;
    static constexpr int32_t kTextHeight = 16;

    std::vector<CanvasCall> calls;

    void setPen(const Pen& pen) override { state_.pen = pen, record(CanvasOp::SetPen); }
    void setBrush(const Brush&) override { record(CanvasOp::SetBrush); }
    void setXor(bool on) override { state_.xorOn = on, record(CanvasOp::SetXor); }
    void setFont(const FontSpec&) override { record(CanvasOp::SetFont); }
    void setTextColour(uint32_t colour) override { record(CanvasOp::SetTextColour).colour = colour; }

    void fillRect(const Rect& rect, uint32_t colour) override { record(CanvasOp::FillRect, rect).colour = colour; }
    void rectangle(const Rect& rect) override { record(CanvasOp::Rectangle, rect); }
    void polygon(std::span<const Point> p) override { record(CanvasOp::Polygon).points = {p.begin(), p.end()}; }
    void polyline(std::span<const Point> p) override { record(CanvasOp::Polyline).points = {p.begin(), p.end()}; }
    void line(Point from, Point to) override { record(CanvasOp::Line).points = {from, to}; }
    void text(const Rect& box, std::string_view text, TextAlign align) override
    {
        CanvasCall& call = record(CanvasOp::Text, box);
        call.text = std::string(text);
        call.align = align;
    }

    int32_t textWidth(std::string_view text) override { return kCharWidth * static_cast<int32_t>(text.size()); }
    int32_t textHeight() override { return kTextHeight; }

    void setClip(const Rect& rect) override { record(CanvasOp::SetClip, rect); }
    void clearClip() override { record(CanvasOp::ClearClip); }
    void setOrigin(Point offset) override { state_.origin = offset, record(CanvasOp::SetOrigin).points = {offset}; }

    // The calls of one kind, in order.
    std::vector<CanvasCall> ofKind(CanvasOp op) const
    {
        std::vector<CanvasCall> out;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                     [op](const CanvasCall& call) { return call.op == op; });
        return out;
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const CanvasCall& call : ofKind(CanvasOp::Text))
            out.push_back(call.text);
        return out;
    }

private:
    CanvasCall& record(CanvasOp op, const Rect& rect = {})
    {
        CanvasCall& call = calls.emplace_back(state_);
        call.op = op;
        call.rect = rect;
        return call;
    }

    CanvasCall state_; // the pen, exclusive-or and origin set so far
};

} // namespace lm::test
