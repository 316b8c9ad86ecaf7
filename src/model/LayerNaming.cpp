#include "model/Catalogues.h"

#include "res/Strings.h"

#include <cstdio>
#include <string>
#include <unordered_set>

namespace lm {
namespace {

using NameSet = std::unordered_set<std::string_view>;

// Names of all layers but the one at skipIndex (none skipped when it is out of range).
NameSet namesOf(std::span<const LMLAYEREX> layers, std::size_t skipIndex = SIZE_MAX)
{
    NameSet names;
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (i != skipIndex)
            names.insert(layerName(layers[i]));
    return names;
}

std::string automaticName(unsigned number)
{
    // At least two digits: Layer_01 ... Layer_99, Layer_100.
    char text[32];
    std::snprintf(text, sizeof(text), "Layer_%.2u", number);
    return text;
}

void requireIndex(std::span<const LMLAYEREX> layers, std::size_t index)
{
    if (index >= layers.size())
        throw LMInvalidArgument("layer index out of range");
}

} // namespace

std::string firstFreeAutomaticName(std::span<const LMLAYEREX> layers)
{
    // The layer being named counts too: its own name is not free.
    const NameSet taken = namesOf(layers);
    for (unsigned number = 1;; ++number) {
        std::string candidate = automaticName(number);
        if (!taken.contains(candidate))
            return candidate;
    }
}

std::string uniqueName(std::span<const LMLAYEREX> layers, std::size_t index)
{
    requireIndex(layers, index);
    const std::string_view own = layerName(layers[index]);
    if (own.empty())
        return firstFreeAutomaticName(layers);
    const NameSet others = namesOf(layers, index);
    std::string candidate(own);
    for (std::size_t suffix = 1; others.contains(candidate); ++suffix)
        candidate = std::string(own) + '_' + std::to_string(suffix);
    return candidate;
}

std::string displayName(const LMLAYEREX& layer)
{
    const std::string_view name = layerName(layer);
    return std::string(name.empty() ? res::loadString(res::IDS_UNNAMED) : name);
}

} // namespace lm
