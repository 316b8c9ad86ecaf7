#pragma once
// The layer codes the calculator reads: which layers carry traces, which are
// reference planes, which are skipped, and what fills between traces.
#include <laminar/laminar.h>

#include <cmath>
#include <cstdint>

namespace lmz0 {

inline bool isMetal(const LMLAYEREX& layer) { return layer.nType == LM_TYPE_METAL; }
inline bool isPlating(const LMLAYEREX& layer) { return isMetal(layer) && layer.nUsage == LM_USAGE_PLATING; }
inline bool isReferencePlane(const LMLAYEREX& layer)
{
    return isMetal(layer) && (layer.nUsage == LM_USAGE_SOLID_PLANE || layer.nUsage == LM_USAGE_SPLIT_PLANE ||
                              layer.nUsage == LM_USAGE_FLOODED_SIGNAL);
}
inline bool isPositive(double value) { return std::isfinite(value) && value > 0.0; }

} // namespace lmz0
