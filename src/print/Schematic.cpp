#include "print/Schematic.h"

#include "model/LayerRecord.h"

#include <vector>

namespace lm {
namespace {

constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kWhite = rgb(255, 255, 255);
constexpr uint32_t kHatchRed = rgb(255, 0, 0);

struct Row {
    int32_t left, top, width, height;
    int32_t x(int32_t fifths) const { return left + width * fifths / 5; }
    int32_t quarter(int32_t quarters) const { return top + height * quarters / 4; }
};

bool drawnAsTraces(int32_t usage) { return usage == kSignal || usage == kFloodedSignal; }

// The conductor a coating follows: the nearest traced layer above or below;
// 0 none, -1 it lies above the coating, +1 below.
int32_t tracedNeighbour(std::span<const LMLAYEREX> layers, std::size_t index)
{
    if (index + 1 < layers.size() && drawnAsTraces(layers[index + 1].nUsage))
        return 1;
    if (index > 0 && drawnAsTraces(layers[index - 1].nUsage))
        return -1;
    return 0;
}

// A coating over traces below it rises over each trace; under traces above it,
// it dips under each. Without a traced neighbour it is a flat band.
void drawCoating(Canvas& canvas, const Row& row, int32_t side)
{
    const int32_t base = side > 0 ? row.quarter(3) : row.quarter(1);
    const int32_t bump = side > 0 ? row.quarter(1) : row.quarter(3);
    if (side == 0) {
        canvas.rectangle({row.left, row.quarter(1), row.left + row.width, row.quarter(3)});
        return;
    }
    const int32_t edge = side > 0 ? row.top + row.height : row.top;
    std::vector<Point> outline{{row.left, edge}, {row.left, base}};
    for (int32_t trace : {1, 3}) {
        outline.push_back({row.x(trace), base});
        outline.push_back({row.x(trace), bump});
        outline.push_back({row.x(trace + 1), bump});
        outline.push_back({row.x(trace + 1), base});
    }
    outline.push_back({row.left + row.width, base});
    outline.push_back({row.left + row.width, edge});
    canvas.polyline(outline);
}

} // namespace

void drawSchematic(Canvas& canvas, std::span<const LMLAYEREX> layers, Point origin, Size rowSize, SchematicFill fill)
{
    const Brush plain{BrushStyle::Solid, kWhite};
    const Brush metal = fill == SchematicFill::Hatched ? Brush{BrushStyle::BackDiagonal, kHatchRed} : plain;
    canvas.setPen({PenStyle::Solid, kBlack, std::max(1, rowSize.height / 16)});
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const Row row{origin.x, origin.y + static_cast<int32_t>(i) * rowSize.height, rowSize.width, rowSize.height};
        const int32_t usage = layers[i].nUsage;
        if (drawnAsTraces(usage)) {
            canvas.setBrush(metal);
            canvas.rectangle({row.x(1), row.quarter(1), row.x(2), row.quarter(3)});
            canvas.rectangle({row.x(3), row.quarter(1), row.x(4), row.quarter(3)});
        } else if (usage == kSolidPlane || usage == kSplitPlane) {
            canvas.setBrush(metal);
            canvas.rectangle({row.left, row.quarter(1), row.left + row.width, row.quarter(3)});
        } else if (usage == kPlating || usage == kSolderMask) {
            canvas.setBrush(usage == kPlating ? metal : plain);
            drawCoating(canvas, row, tracedNeighbour(layers, i));
        } else if (isDielectricUsage(usage)) {
            canvas.setBrush(plain);
            canvas.rectangle({row.left, row.top, row.left + row.width, row.top + row.height});
        }
    }
    canvas.setBrush(plain);
}

} // namespace lm
