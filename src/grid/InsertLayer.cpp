#include "grid/InsertLayer.h"

#include "grid/LayerRules.h"
#include "model/Catalogues.h"

#include <algorithm>
#include <vector>

namespace lm {
namespace {

// A board handed in without spans may keep a shorter list; it stands for empty sets.
void alignSpans(MBSTACKUPENTRY& board) { board.drillSpans.resize(board.layers.size()); }

} // namespace

bool insertedLayerIsNamed(int32_t usage) { return usage == kSignal || usage == kSolidPlane || usage == kSplitPlane; }

LMLAYEREX newLayerRecord(const MBSTACKUPENTRY& board, int32_t usage, bool named, std::size_t index,
                         ILMDefaultLayer* host)
{
    LMLAYEREX layer = defaultLayer(usage);
    layer.pDrillSpans = 0;
    if (named) {
        setLayerName(layer, firstFreeAutomaticName(board.layers));
        // The colour is judged against every existing layer, so the new one is added last for the look-up.
        std::vector<LMLAYEREX> withNew = board.layers;
        withNew.push_back(layer);
        layer.crColor = uniqueColor(withNew, withNew.size() - 1);
    }
    if (host) {
        const LMLAYEREX* first = board.layers.empty() ? nullptr : board.layers.data();
        host->PrepareNewLayer(first, static_cast<int32_t>(board.layers.size()), static_cast<int32_t>(index), &layer);
        layer.pDrillSpans = 0; // spans live beside the record, never in it
    }
    return layer;
}

void placeLayer(MBSTACKUPENTRY& board, std::size_t index, const LMLAYEREX& layer)
{
    alignSpans(board);
    DrillSpanSet spans = insertedLayerSpans(board.drillSpans, index);
    const auto at = static_cast<std::ptrdiff_t>(index);
    board.layers.insert(board.layers.begin() + at, layer);
    board.drillSpans.insert(board.drillSpans.begin() + at, std::move(spans));
}

void removeLayer(MBSTACKUPENTRY& board, std::size_t index)
{
    alignSpans(board);
    const auto at = static_cast<std::ptrdiff_t>(index);
    board.layers.erase(board.layers.begin() + at);
    board.drillSpans.erase(board.drillSpans.begin() + at);
}

namespace {

template <typename T>
void moveBlock(std::vector<T>& items, std::size_t first, std::size_t count, std::size_t target)
{
    const auto begin = items.begin();
    const auto blockBegin = begin + static_cast<std::ptrdiff_t>(first);
    const auto blockEnd = blockBegin + static_cast<std::ptrdiff_t>(count);
    const auto to = begin + static_cast<std::ptrdiff_t>(target);
    if (to < blockBegin)
        std::rotate(to, blockBegin, blockEnd);
    else if (to > blockEnd)
        std::rotate(blockBegin, blockEnd, to);
}

} // namespace

void moveLayers(MBSTACKUPENTRY& board, std::size_t first, std::size_t count, std::size_t target)
{
    alignSpans(board);
    moveBlock(board.layers, first, count, target);
    moveBlock(board.drillSpans, first, count, target);
}

} // namespace lm
