#pragma once
// The layer codes the calculator reads: which layers carry traces, which are
// reference planes, which are skipped, and what fills between traces.
#include <laminar/laminar.h>

#include <cmath>
#include <cstdint>

namespace lmz0 {

constexpr int32_t kMetalType = 0;
constexpr int32_t kSignal = 0;
constexpr int32_t kSolidPlane = 1;
constexpr int32_t kSplitPlane = 2;
constexpr int32_t kFloodedSignal = 3;
constexpr int32_t kPlating = 4;
constexpr int32_t kSolderMask = 6;
constexpr int32_t kPrepreg = 1;

inline bool isMetal(const LMLAYEREX& layer) { return layer.nType == kMetalType; }
inline bool isPlating(const LMLAYEREX& layer) { return isMetal(layer) && layer.nUsage == kPlating; }
inline bool isReferencePlane(const LMLAYEREX& layer)
{
    return isMetal(layer) && (layer.nUsage == kSolidPlane || layer.nUsage == kSplitPlane ||
                              layer.nUsage == kFloodedSignal);
}
inline bool isPositive(double value) { return std::isfinite(value) && value > 0.0; }

} // namespace lmz0
