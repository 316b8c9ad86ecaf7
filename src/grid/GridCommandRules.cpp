#include "grid/GridCommandRules.h"

#include "document/EditSettings.h"
#include "model/LayerRecord.h"
#include "res/CommandIds.h"

#include <algorithm>
#include <array>

namespace lm {
namespace {

using namespace res;

struct InsertId {
    uint32_t above;
    uint32_t below;
    int32_t usage;
};

constexpr std::array<InsertId, 13> kInsertIds = {{
    {ID_INSERT_ABOVE_MOST_SUITABLE, ID_INSERT_BELOW_MOST_SUITABLE, InsertCommand::kMostSuitable},
    {ID_INSERT_ABOVE_SIGNAL, ID_INSERT_BELOW_SIGNAL, kSignal},
    {ID_INSERT_ABOVE_SOLID_PLANE, ID_INSERT_BELOW_SOLID_PLANE, kSolidPlane},
    {ID_INSERT_ABOVE_SPLIT_MIXED, ID_INSERT_BELOW_SPLIT_MIXED, kSplitPlane},
    {ID_INSERT_ABOVE_FLOODED_SIGNAL, ID_INSERT_BELOW_FLOODED_SIGNAL, kFloodedSignal},
    {ID_INSERT_ABOVE_PLATING, ID_INSERT_BELOW_PLATING, kPlating},
    {ID_INSERT_ABOVE_SUBSTRATE, ID_INSERT_BELOW_SUBSTRATE, kSubstrate},
    {ID_INSERT_ABOVE_SOLDER_MASK, ID_INSERT_BELOW_SOLDER_MASK, kSolderMask},
    {ID_INSERT_ABOVE_RIGID, ID_INSERT_BELOW_RIGID, kRigid},
    {ID_INSERT_ABOVE_FLEXIBLE, ID_INSERT_BELOW_FLEXIBLE, kFlexible},
    {ID_INSERT_ABOVE_ADHESIVE, ID_INSERT_BELOW_ADHESIVE, kAdhesive},
    {ID_INSERT_ABOVE_COVER_LAYER, ID_INSERT_BELOW_COVER_LAYER, kCoverLayer},
    {ID_INSERT_ABOVE_STIFFENER, ID_INSERT_BELOW_STIFFENER, kStiffener},
}};

bool isMetalLayer(const LMLAYEREX& layer) { return layer.nType == kMetal; }

// Layers [first, last) hold a metal of another usage than Plating.
bool nonPlatingMetalIn(std::span<const LMLAYEREX> layers, std::size_t first, std::size_t last)
{
    return std::any_of(layers.begin() + static_cast<std::ptrdiff_t>(first),
                       layers.begin() + static_cast<std::ptrdiff_t>(last),
                       [](const LMLAYEREX& layer) { return isMetalLayer(layer) && layer.nUsage != kPlating; });
}

bool hasCurrentLayerRow(const GridCommandState& state)
{
    return state.currentRow >= 1 && static_cast<std::size_t>(state.currentRow) <= state.layers.size();
}

} // namespace

std::optional<InsertCommand> insertCommandOf(uint32_t id)
{
    for (const InsertId& entry : kInsertIds) {
        if (entry.above == id)
            return InsertCommand{entry.usage, true};
        if (entry.below == id)
            return InsertCommand{entry.usage, false};
    }
    return std::nullopt;
}

bool platingInsertAllowed(std::span<const LMLAYEREX> layers, int32_t row, bool above)
{
    if (row < 1 || static_cast<std::size_t>(row) > layers.size())
        return false;
    const std::size_t index = static_cast<std::size_t>(row) - 1;
    const std::size_t count = layers.size();
    if (above) {
        return (isMetalLayer(layers[index]) && !nonPlatingMetalIn(layers, 0, index)) ||
               (index > 0 && isMetalLayer(layers[index - 1]) && !nonPlatingMetalIn(layers, index, count));
    }
    return (isMetalLayer(layers[index]) && !nonPlatingMetalIn(layers, index + 1, count)) ||
           (index + 1 < count && isMetalLayer(layers[index + 1]) && !nonPlatingMetalIn(layers, 0, index + 1));
}

bool insertEnabled(const InsertCommand& command, const GridCommandState& state)
{
    if (!(state.caps & kCapChangeStructure))
        return false;
    const bool rigidFlex = (state.caps & kCapRigidFlex) != 0;
    const bool current = hasCurrentLayerRow(state);
    const auto row = static_cast<std::size_t>(state.currentRow);
    switch (command.usage) {
    case InsertCommand::kMostSuitable:
        return !rigidFlex && current;
    case kSolderMask:
        return current && (rigidFlex || (command.above ? row == 1 : row == state.layers.size()));
    case kPlating:
        return current && platingInsertAllowed(state.layers, state.currentRow, command.above);
    default:
        return current || state.layers.empty();
    }
}

bool deleteEnabled(const GridCommandState& state)
{
    return (state.rowsSelected && (state.caps & kCapDeleteLayers)) || state.editorOpen;
}

bool copyEnabled(const GridCommandState& state)
{
    return state.rowsSelected ||
           (hasCurrentLayerRow(state) && state.currentInDataColumn && state.editorOpen && state.editorTextSelected);
}

bool cutEnabled(const GridCommandState& state)
{
    if (state.rowsSelected)
        return (state.caps & kCapDeleteLayers) != 0;
    return copyEnabled(state);
}

bool pasteEnabled(const GridCommandState& state)
{
    if (!hasCurrentLayerRow(state) || !state.clipboard)
        return false;
    // Layer rows come first: where they may not be pasted, the text beside them is not pasted either.
    if (state.clipboard->layerRows)
        return (state.caps & kCapChangeStructure) != 0;
    return state.clipboard->text && state.currentTakesText;
}

bool applyToSelectionEnabled(const GridCommandState& state)
{
    return state.rowsSelected && hasCurrentLayerRow(state) && state.currentInDataColumn;
}

} // namespace lm
