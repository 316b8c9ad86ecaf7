#include "picture/PictureSlabs.h"

#include "model/LayerRecord.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace lm {
namespace {

constexpr SlabColours kAirColours{rgb(240, 240, 240), rgb(192, 192, 192)};
constexpr SlabColours kDielectricColours{rgb(0, 192, 0), rgb(0, 128, 0)};
constexpr SlabColours kPlatingColours{rgb(255, 255, 0), rgb(160, 160, 0)};
constexpr SlabColours kMetalColours{rgb(240, 100, 12), rgb(120, 50, 6)};

// One box of a layer drawn in segments, from x `left` to `right`.
struct Segment {
    int32_t left;
    int32_t right;
    SlabColours colours;
};

// An edge of a coating seen from the front: at `raised` over the (widened)
// traces, at `flat` elsewhere.
struct CoatingEdge {
    int32_t raised;
    int32_t flat;
    int32_t widen;
};

struct CoatingShape {
    std::vector<Point> top;    // left to right
    std::vector<Point> bottom; // left to right
};

bool coatingOnly(int32_t usage, bool& maskSeen)
{
    if (usage == kSolderMask) {
        maskSeen = true;
        return true;
    }
    return usage == kPlating && !maskSeen;
}

class StackPainter {
public:
    StackPainter(Canvas& canvas, std::span<const LMLAYEREX> layers, const PictureLayout& layout, bool useLayerColours)
        : canvas_(canvas), layers_(layers), layout_(layout), useLayerColours_(useLayerColours),
          outer_(findOuterSignals(layers)), count_(static_cast<int32_t>(layers.size()))
    {
    }

    // Outside inwards: the bottom outer side from the last layer up to its
    // signal, the layers between the outer signals bottom-up, then the top
    // outer side from the first layer down to its signal. The top side comes
    // after the inner layers so that their top faces end under its coatings.
    void draw()
    {
        if (outer_.bottom >= 0)
            drawOuterSide(outer_.bottom, false);
        const int32_t lowest = outer_.bottom >= 0 ? outer_.bottom - 1 : count_ - 1;
        const int32_t highest = outer_.top >= 0 ? outer_.top + 1 : 0;
        for (int32_t i = lowest; i >= highest; --i) {
            if (height(i) <= 0)
                continue;
            const std::vector<Segment> segments = segmentsOf(i);
            drawFaces(segments, i, true, true);
            drawFronts(segments, i);
        }
        if (outer_.top >= 0)
            drawOuterSide(outer_.top, true);
    }

private:
    int32_t height(int32_t i) const { return layout_.layerHeight[static_cast<std::size_t>(i)]; }
    int32_t top(int32_t i) const { return layout_.layerTop[static_cast<std::size_t>(i)]; }
    int32_t bottom(int32_t i) const { return top(i) + height(i); }
    const LMLAYEREX& layer(int32_t i) const { return layers_[static_cast<std::size_t>(i)]; }

    void fillPolygon(std::span<const Point> points, uint32_t colour)
    {
        canvas_.setPen({PenStyle::None, colour, 1});
        canvas_.setBrush({BrushStyle::Solid, colour});
        canvas_.polygon(points);
    }

    // The face seen behind the front edge p-q, going depth X right and depth Y up.
    void sweep(Point p, Point q, uint32_t colour)
    {
        const Point face[4] = {p, q, {q.x + layout_.depthX, q.y - layout_.depthY},
                               {p.x + layout_.depthX, p.y - layout_.depthY}};
        fillPolygon(face, colour);
    }

    // The two traces of a signal layer, as x ranges.
    std::vector<Segment> traces(int32_t i) const
    {
        const int32_t left = layout_.stack.left;
        const int32_t width = layout_.frontWidth;
        const int32_t u5 = width / 5;
        const SlabColours metal = slabColours(layer(i), useLayerColours_);
        return {{left + u5, left + 2 * u5, metal}, {left + width - 2 * u5, left + width - u5, metal}};
    }

    // An inner layer's boxes by usage (outer signals are bare traces, drawn with their side).
    std::vector<Segment> segmentsOf(int32_t i) const
    {
        const int32_t left = layout_.stack.left;
        const int32_t width = layout_.frontWidth;
        const int32_t right = left + width;
        const SlabColours own = slabColours(layer(i), useLayerColours_);
        switch (layer(i).nUsage) {
        case kSignal: {
            const std::vector<Segment> both = traces(i);
            const SlabColours gap = kDielectricColours;
            return {{left, both[0].left, gap}, both[0], {both[0].right, both[1].left, gap}, both[1],
                    {both[1].right, right, gap}};
        }
        case kSplitPlane:
        case kFloodedSignal: {
            const int32_t u10 = width / 10;
            const Segment gaps[2] = {{left + 3 * u10 / 2, left + 5 * u10 / 2, kDielectricColours},
                                     {left + 9 * u10 / 2, left + 11 * u10 / 2, kDielectricColours}};
            std::vector<Segment> out{{left, gaps[0].left, own}};
            const bool outermost = i == 0 || i == count_ - 1; // the gaps stay open
            if (!outermost)
                out.push_back(gaps[0]);
            out.push_back({gaps[0].right, gaps[1].left, own});
            if (!outermost)
                out.push_back(gaps[1]);
            out.push_back({gaps[1].right, right, own});
            return out;
        }
        default: return {{left, right, own}};
        }
    }

    // Every segment may have a top face; only the right-most one a right face.
    void drawFaces(std::span<const Segment> segments, int32_t i, bool topFaces, bool rightFace)
    {
        const Segment* rightMost = nullptr;
        for (const Segment& segment : segments) {
            if (segment.left >= segment.right)
                continue;
            rightMost = &segment;
            if (topFaces)
                sweep({segment.left, top(i)}, {segment.right, top(i)}, segment.colours.edge);
        }
        if (rightFace && rightMost != nullptr)
            sweep({rightMost->right, bottom(i)}, {rightMost->right, top(i)}, rightMost->colours.edge);
    }

    void drawFronts(std::span<const Segment> segments, int32_t i)
    {
        for (const Segment& segment : segments)
            if (segment.left < segment.right)
                canvas_.fillRect({segment.left, top(i), segment.right, bottom(i)}, segment.colours.fill);
    }

    // The front edge of a coating: raised over the traces widened on both sides,
    // held inside the stack's width; widened traces that meet become one.
    std::vector<Point> edgeProfile(std::span<const Segment> traceRanges, const CoatingEdge& edge) const
    {
        const int32_t lo = layout_.stack.left;
        const int32_t hi = layout_.stack.right;
        std::vector<std::pair<int32_t, int32_t>> bumps;
        for (const Segment& trace : traceRanges) {
            const int32_t from = std::max(lo, trace.left - edge.widen);
            const int32_t to = std::min(hi, trace.right + edge.widen);
            if (from >= to)
                continue;
            if (!bumps.empty() && from <= bumps.back().second)
                bumps.back().second = std::max(bumps.back().second, to);
            else
                bumps.emplace_back(from, to);
        }
        std::vector<Point> points{{lo, !bumps.empty() && bumps.front().first == lo ? edge.raised : edge.flat}};
        for (const auto& [from, to] : bumps) {
            if (from > lo) {
                points.push_back({from, edge.flat});
                points.push_back({from, edge.raised});
            }
            if (to < hi) {
                points.push_back({to, edge.raised});
                points.push_back({to, edge.flat});
            }
        }
        points.push_back({hi, !bumps.empty() && bumps.back().second == hi ? edge.raised : edge.flat});
        return points;
    }

    // A coating beyond an outer signal follows its traces: over them it lies
    // where its own slot is, beside them it sinks towards the board by the
    // trace height. Its edge towards the signal is widened by twice the
    // heights between, its outer edge by that and its own height more, so
    // that neighbouring coatings meet without a gap.
    CoatingShape coatingShape(int32_t j, int32_t signal, int32_t between, bool topSide) const
    {
        const std::vector<Segment> traceRanges = traces(signal);
        const int32_t sink = topSide ? height(signal) : -height(signal);
        const CoatingEdge inner{topSide ? bottom(j) : top(j), (topSide ? bottom(j) : top(j)) + sink, 2 * between};
        const CoatingEdge outer{topSide ? top(j) : bottom(j), (topSide ? top(j) : bottom(j)) + sink,
                                2 * (between + height(j))};
        return topSide ? CoatingShape{edgeProfile(traceRanges, outer), edgeProfile(traceRanges, inner)}
                       : CoatingShape{edgeProfile(traceRanges, inner), edgeProfile(traceRanges, outer)};
    }

    void drawCoatingFaces(const CoatingShape& shape, uint32_t colour, bool topFace)
    {
        if (topFace)
            for (std::size_t k = 1; k < shape.top.size(); ++k)
                sweep(shape.top[k - 1], shape.top[k], colour);
        sweep(shape.bottom.back(), shape.top.back(), colour);
    }

    void drawCoatingFront(const CoatingShape& shape, uint32_t colour)
    {
        std::vector<Point> outline(shape.top);
        outline.insert(outline.end(), shape.bottom.rbegin(), shape.bottom.rend());
        fillPolygon(outline, colour);
    }

    // An outer signal with the coatings beyond it, outside inwards: first all
    // faces, then all fronts, because a coating thinner than the traces lies
    // partly above the next one in and its faces must not cover that one's front.
    // The signal's own faces are hidden under its coatings; only the first
    // layer of the top side shows a top face.
    void drawOuterSide(int32_t signal, bool topSide)
    {
        const int32_t outermost = topSide ? 0 : count_ - 1;
        const int32_t inwards = topSide ? 1 : -1;
        std::vector<int32_t> order;
        std::vector<CoatingShape> shapes;
        std::vector<int32_t> between(static_cast<std::size_t>(count_), 0);
        for (int32_t j = signal - inwards, sum = 0; j != outermost - inwards; j -= inwards) {
            between[static_cast<std::size_t>(j)] = sum;
            sum += height(j);
        }
        for (int32_t j = outermost; j != signal; j += inwards) {
            if (height(j) <= 0)
                continue;
            order.push_back(j);
            shapes.push_back(coatingShape(j, signal, between[static_cast<std::size_t>(j)], topSide));
        }
        const bool bare = signal == outermost;
        const std::vector<Segment> signalTraces = traces(signal);

        for (std::size_t k = 0; k < order.size(); ++k)
            drawCoatingFaces(shapes[k], slabColours(layer(order[k]), useLayerColours_).edge,
                             !topSide || order[k] == 0);
        if (bare && height(signal) > 0)
            drawFaces(signalTraces, signal, true, true);

        for (std::size_t k = 0; k < order.size(); ++k)
            drawCoatingFront(shapes[k], slabColours(layer(order[k]), useLayerColours_).fill);
        if (height(signal) > 0)
            drawFronts(signalTraces, signal);
    }

    Canvas& canvas_;
    std::span<const LMLAYEREX> layers_;
    const PictureLayout& layout_;
    bool useLayerColours_;
    OuterSignals outer_;
    int32_t count_;
};

} // namespace

SlabColours dielectricColours() { return kDielectricColours; }

SlabColours slabColours(const LMLAYEREX& layer, bool useLayerColours)
{
    if (layer.nType == kDielectric)
        return std::fabs(layer.dEr - 1.0) < 1e-6 ? kAirColours : kDielectricColours;
    if (layer.nUsage == kPlating)
        return kPlatingColours;
    if (!useLayerColours)
        return kMetalColours;
    const uint32_t c = layer.crColor & 0xFFFFFFu;
    return {c, rgb((c & 0xFFu) / 2, ((c >> 8) & 0xFFu) / 2, ((c >> 16) & 0xFFu) / 2)};
}

OuterSignals findOuterSignals(std::span<const LMLAYEREX> layers)
{
    const int32_t count = static_cast<int32_t>(layers.size());
    int32_t highest = -1;
    int32_t lowest = -1;
    for (int32_t i = 0; i < count; ++i) {
        if (layers[static_cast<std::size_t>(i)].nUsage != kSignal)
            continue;
        if (highest < 0)
            highest = i;
        lowest = i;
    }
    // Walking outwards from the signal, plating may lie under a solder mask, not over it.
    const auto onlyCoatingsBeyond = [&](int32_t signal, int32_t step) {
        bool maskSeen = false;
        for (int32_t i = signal + step; i >= 0 && i < count; i += step)
            if (!coatingOnly(layers[static_cast<std::size_t>(i)].nUsage, maskSeen))
                return false;
        return true;
    };
    OuterSignals outer;
    if (highest >= 0 && onlyCoatingsBeyond(highest, -1))
        outer.top = highest;
    if (lowest >= 0 && onlyCoatingsBeyond(lowest, 1))
        outer.bottom = lowest;
    if (outer.top >= 0 && outer.top == outer.bottom)
        outer = {};
    return outer;
}

void drawStack(Canvas& canvas, std::span<const LMLAYEREX> layers, const PictureLayout& layout, bool useLayerColours)
{
    if (layers.empty() || layout.layerHeight.size() != layers.size())
        return;
    StackPainter(canvas, layers, layout, useLayerColours).draw();
}

} // namespace lm
