#include "document/Boards.h"

#include <algorithm>
#include <optional>

namespace lm {

namespace {

// Position of the last layer carrying the id.
std::optional<std::size_t> lastLayerWithId(const std::vector<LMLAYEREX>& layers, int32_t layerId)
{
    for (std::size_t i = layers.size(); i-- > 0;)
        if (layers[i].nId == layerId)
            return i;
    return std::nullopt;
}

bool samePair(const LMDRILLPAIR& a, const LMDRILLPAIR& b)
{
    return a.fromLayerId == b.fromLayerId && a.toLayerId == b.toLayerId;
}

} // namespace

void addDrillPairs(MBSTACKUPENTRY& board, std::span<LMDRILLPAIR> pairs)
{
    for (LMDRILLPAIR& pair : pairs) {
        if (pair.fromLayerId == pair.toLayerId)
            continue;
        const auto from = lastLayerWithId(board.layers, pair.fromLayerId);
        const auto to = lastLayerWithId(board.layers, pair.toLayerId);
        if (!from || !to)
            continue;
        // The host learns the stored order from its own array.
        if (*from > *to)
            std::swap(pair.fromLayerId, pair.toLayerId);
        const bool known = std::any_of(board.drillPairs.begin(), board.drillPairs.end(),
                                       [&](const LMDRILLPAIR& stored) { return samePair(stored, pair); });
        if (!known)
            board.drillPairs.push_back(pair);
    }
    rebuildDrillSpans(board);
}

void rebuildDrillSpans(MBSTACKUPENTRY& board)
{
    board.drillSpans.resize(board.layers.size());
    for (DrillSpanSet& spans : board.drillSpans)
        spans.resetTo(board.drillPairs.size());

    for (std::size_t k = 0; k < board.drillPairs.size(); ++k) {
        const LMDRILLPAIR& pair = board.drillPairs[k];
        bool inside = false;
        for (std::size_t i = 0; i < board.layers.size(); ++i) {
            const int32_t layerId = board.layers[i].nId;
            inside = inside || layerId == pair.fromLayerId;
            if (!inside)
                continue;
            board.drillSpans[i].set(k);
            if (layerId == pair.toLayerId)
                break;
        }
    }
}

} // namespace lm
