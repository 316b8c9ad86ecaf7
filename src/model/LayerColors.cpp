#include "model/Catalogues.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace lm {
namespace {

constexpr std::array<uint32_t, 3> kLevels = {255, 128, 0};
constexpr int kNoLevel = -1;

// Strong primaries first, then mixes, half tones and greys; white is never a candidate.
constexpr int candidateLevel(uint32_t r, uint32_t g, uint32_t b)
{
    const int full = (r == 255) + (g == 255) + (b == 255);
    const int half = (r == 128) + (g == 128) + (b == 128);
    const int none = 3 - full - half;
    if (full == 1 && half == 0)
        return 0;
    if (full == 2 && none == 1)
        return 1;
    if (half == 1 && none == 2)
        return 2;
    if (half == 2 && none == 1)
        return 3;
    if (full > 0 && half > 0)
        return 4;
    if (none == 3 || half == 3)
        return 5;
    return kNoLevel;
}

constexpr int kLevelCount = 6;
constexpr std::size_t kCandidateCount = 26;

// Red is the outer loop, then green, then blue; the level orders the result.
constexpr std::array<uint32_t, kCandidateCount> makeCandidates()
{
    std::array<uint32_t, kCandidateCount> candidates{};
    std::size_t count = 0;
    for (int level = 0; level < kLevelCount; ++level)
        for (uint32_t r : kLevels)
            for (uint32_t g : kLevels)
                for (uint32_t b : kLevels)
                    if (candidateLevel(r, g, b) == level)
                        candidates[count++] = rgb(r, g, b);
    return candidates;
}

constexpr std::array<uint32_t, kCandidateCount> kCandidates = makeCandidates();
static_assert(kCandidates.front() == rgb(255, 0, 0) && kCandidates.back() == rgb(0, 0, 0));

} // namespace

uint32_t uniqueColor(std::span<const LMLAYEREX> layers, std::size_t index)
{
    if (index >= layers.size())
        throw LMInvalidArgument("layer index out of range");
    std::unordered_set<uint32_t> others;
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (i != index)
            others.insert(layers[i].crColor);
    const uint32_t own = layers[index].crColor;
    if (own != 0 && !others.contains(own))
        return own;
    for (uint32_t candidate : kCandidates)
        if (!others.contains(candidate))
            return candidate;
    return 0;
}

} // namespace lm
