#include "grid/LayerRowsBlock.h"

#include <cstring>

namespace lm {

std::vector<std::byte> encodeLayerRows(std::span<const LMLAYEREX> layers)
{
    std::vector<std::byte> block(layers.size() * sizeof(LMLAYEREX));
    for (std::size_t i = 0; i < layers.size(); ++i) {
        LMLAYEREX record = layers[i];
        record.pDrillSpans = 0;
        std::memcpy(block.data() + i * sizeof(LMLAYEREX), &record, sizeof(LMLAYEREX));
    }
    return block;
}

std::vector<LMLAYEREX> decodeLayerRows(std::span<const std::byte> block)
{
    std::vector<LMLAYEREX> layers(block.size() / sizeof(LMLAYEREX));
    for (std::size_t i = 0; i < layers.size(); ++i)
        std::memcpy(&layers[i], block.data() + i * sizeof(LMLAYEREX), sizeof(LMLAYEREX));
    return layers;
}

} // namespace lm
