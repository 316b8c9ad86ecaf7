#pragma once
// One board of an instance: id, name, layers top first, and drill pairs. The
// drill-span set of each layer is kept beside its record (same index).
#include <laminar/laminar.h>

#include "document/EditSettings.h"
#include "model/DrillSpanSet.h"

#include <span>
#include <string>
#include <vector>

namespace lm {

struct MBSTACKUPENTRY {
    int32_t boardId = 0;
    std::string name;
    std::vector<LMLAYEREX> layers;
    std::vector<DrillSpanSet> drillSpans; // parallel to layers
    std::vector<LMDRILLPAIR> drillPairs;  // in the order added
};

// The layers of the board the settings show; none without a board.
inline std::span<const LMLAYEREX> currentLayers(const LMEDITSETTINGS& settings)
{
    if (settings.currentBoard == nullptr)
        return {};
    return settings.currentBoard->layers;
}

} // namespace lm
