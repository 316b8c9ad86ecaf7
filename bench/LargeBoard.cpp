#include "LargeBoard.h"

#include "model/Catalogues.h"
#include "model/LayerRecord.h"

#include <string>

namespace lm::bench {
namespace {

constexpr int32_t kMetalCount = kLargeBoardLayers / 2;

// Layer ids follow position: metal m sits at index 2m.
int32_t metalId(int32_t metal) { return 2 * metal + 1; }

int32_t metalUsage(int32_t metal)
{
    if (metal == 0 || metal == kMetalCount - 1)
        return kSignal;
    if (metal % 4 == 3)
        return kSplitPlane;
    return metal % 2 == 0 ? kSignal : kSolidPlane;
}

std::string metalName(int32_t metal)
{
    if (metal == 0)
        return "Top";
    if (metal == kMetalCount - 1)
        return "Bottom";
    return (metalUsage(metal) == kSignal ? "Signal" : "Plane") + std::to_string(metal);
}

LMLAYEREX metal(int32_t index)
{
    const int32_t m = index / 2;
    LMLAYEREX layer = defaultLayer(metalUsage(m));
    setLayerName(layer, metalName(m));
    layer.crColor = rgb(static_cast<uint32_t>(40 + m * 6), 120, static_cast<uint32_t>(250 - m * 6));
    return layer;
}

LMLAYEREX dielectric(int32_t index)
{
    const bool bottomMask = index == kLargeBoardLayers - 1;
    LMLAYEREX layer = defaultLayer(bottomMask ? kSolderMask : kSubstrate);
    if (!bottomMask) {
        layer.nTechnology = (index / 2) % 2 == 0 ? kCore : kPrepreg;
        layer.dThickness = (index / 2) % 2 == 0 ? 200e-6 : 90e-6;
        layer.dEr = (index / 2) % 2 == 0 ? 4.2 : 3.9;
    }
    setLayerName(layer, bottomMask ? "BottomMask" : "Dielectric" + std::to_string(index / 2 + 1));
    layer.crColor = rgb(200, 190, static_cast<uint32_t>(100 + index));
    return layer;
}

} // namespace

std::vector<LMLAYEREX> largeBoardLayers()
{
    std::vector<LMLAYEREX> layers;
    for (int32_t i = 0; i < kLargeBoardLayers; ++i) {
        LMLAYEREX layer = i % 2 == 0 ? metal(i) : dielectric(i);
        layer.nId = i + 1;
        layer.bVisible = 1;
        layers.push_back(layer);
    }
    return layers;
}

std::vector<LMDRILLPAIR> largeBoardDrillPairs()
{
    // 1 through + 31 adjacent-metal + 7 buried pairs: more than one word of span bits.
    std::vector<LMDRILLPAIR> pairs{{metalId(0), metalId(kMetalCount - 1)}};
    for (int32_t m = 0; m + 1 < kMetalCount; ++m)
        pairs.push_back({metalId(m), metalId(m + 1)});
    for (int32_t m = 0; m + 4 < kMetalCount; m += 4)
        pairs.push_back({metalId(m), metalId(m + 4)});
    return pairs;
}

} // namespace lm::bench
