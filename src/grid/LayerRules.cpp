#include "grid/LayerRules.h"

#include "grid/LayerColumnRules.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace lm {

namespace {

// "No layer" (-1) is neither a metal nor a dielectric: it compares as larger
// than every usage against kPlating (as an unsigned value would) and fails the
// dielectric range, so a layer without neighbours gets Substrate (Rigid on
// rigid-flex boards).
bool metalUsage(int32_t u) { return static_cast<uint32_t>(u) <= static_cast<uint32_t>(kPlating); }
bool conductorUsage(int32_t u) { return static_cast<uint32_t>(u) < static_cast<uint32_t>(kPlating); }
bool dielectricRange(int32_t u) { return u >= kSubstrate && u <= kStiffener; }

bool isMetal(const LMLAYEREX& layer) { return layer.nType == kMetal; }
bool isNonPlatingMetal(const LMLAYEREX& layer) { return isMetal(layer) && layer.nUsage != kPlating; }

} // namespace

int32_t mostSuitableUsage(int32_t a, int32_t b, bool rigidFlex)
{
    if (metalUsage(a) && b == -1)
        return kSolderMask;
    if (metalUsage(b) && a == -1)
        return kSolderMask;
    if (conductorUsage(a) && b == kSolderMask)
        return kPlating;
    if (conductorUsage(b) && a == kSolderMask)
        return kPlating;
    if (dielectricRange(a) && dielectricRange(b))
        return kSignal;
    return rigidFlex ? kRigid : kSubstrate;
}

bool platingAllowedAt(std::span<const LMLAYEREX> layers, std::size_t index)
{
    if (index >= layers.size())
        return false;
    const auto above = layers.first(index);
    const auto below = layers.subspan(index + 1);
    const bool metalAbove = !above.empty() && isMetal(above.back());
    const bool metalBelow = !below.empty() && isMetal(below.front());
    return (metalAbove && std::none_of(below.begin(), below.end(), isNonPlatingMetal))
        || (metalBelow && std::none_of(above.begin(), above.end(), isNonPlatingMetal));
}

bool drillMoveAllowed(std::span<const DrillSpanSet> spans, std::size_t first, std::size_t count, int32_t target)
{
    if (spans.empty() || spans[0].empty())
        return true;
    if (count == 0 || first >= spans.size() || count > spans.size() - first)
        return false;
    const std::size_t end = first + count;
    const DrillSpanSet& block = spans[first];
    if (!std::all_of(spans.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                     spans.begin() + static_cast<std::ptrdiff_t>(end),
                     [&block](const DrillSpanSet& s) { return s == block; }))
        return false;
    if (target < 0)
        return true;
    const auto to = static_cast<std::size_t>(target);
    if (to > spans.size())
        return false;

    // The neighbours at the landing place once the block is taken out.
    std::vector<const DrillSpanSet*> neighbours;
    if (to > 0) {
        const std::size_t above = (to - 1 >= first && to - 1 < end) ? first : to;
        if (above > 0)
            neighbours.push_back(&spans[above - 1]);
    }
    const std::size_t below = (to >= first && to < end) ? end : to;
    if (below < spans.size())
        neighbours.push_back(&spans[below]);
    if (neighbours.empty())
        return true; // the block is the whole board: nothing to keep or gain

    for (std::size_t bit = 0; bit < block.bitCapacity(); ++bit) {
        const bool inAll = std::all_of(neighbours.begin(), neighbours.end(),
                                       [bit](const DrillSpanSet* s) { return s->test(bit); });
        const bool inAny = std::any_of(neighbours.begin(), neighbours.end(),
                                       [bit](const DrillSpanSet* s) { return s->test(bit); });
        const bool inBlock = block.test(bit);
        if ((inAll && !inBlock) || (inBlock && !inAny))
            return false; // loses a pair running through, or gains one not reaching there
    }
    return true;
}

DrillSpanSet insertedLayerSpans(std::span<const DrillSpanSet> spans, std::size_t index)
{
    if (spans.empty() || spans[0].empty())
        return {};
    if (index > spans.size())
        throw std::out_of_range("insertedLayerSpans: index beyond the last layer");
    const std::size_t bits = spans[0].bitCapacity();
    DrillSpanSet result;
    result.resetTo(bits);
    for (std::size_t bit = 0; bit < bits; ++bit) {
        const bool above = index == 0 || spans[index - 1].test(bit);
        const bool below = index == spans.size() || spans[index].test(bit);
        result.set(bit, above && below);
    }
    return result;
}

void restartLayerAsType(std::vector<LMLAYEREX>& layers, std::size_t index, int32_t type, bool rigidFlex)
{
    const int32_t below = index + 1 < layers.size() ? layers[index + 1].nUsage : -1;
    const int32_t above = index > 0 ? layers[index - 1].nUsage : -1;
    const int32_t plainDielectric = rigidFlex ? kRigid : kSubstrate;

    int32_t usage = 0;
    if (below == -1 && above == -1) {
        usage = type == kDielectric ? plainDielectric : kSignal;
    } else {
        usage = mostSuitableUsage(below, above, rigidFlex);
        if (type == kDielectric && isMetalUsage(usage))
            usage = plainDielectric;
        if (type == kMetal && !isMetalUsage(usage))
            usage = kSignal;
    }

    // Its drill spans are kept beside the record, so the span field stays too.
    LMLAYEREX& layer = layers[index];
    const double lossTangent = layer.dLossTangent;
    const uint32_t spans = layer.pDrillSpans;
    layer = defaultLayer(usage);
    layer.dLossTangent = lossTangent;
    layer.pDrillSpans = spans;
    if (type == kMetal && usage != kPlating)
        layer.crColor = uniqueColor(layers, index);
}

std::vector<LayerKind> applyLayerKindRules(std::vector<LMLAYEREX>& layers, std::size_t count, bool rigidFlex,
                                           bool lookOnly)
{
    count = std::min(count, layers.size());
    std::vector<LayerKind> kinds(count);
    for (std::size_t i = count; i-- > 0;) {
        LMLAYEREX& layer = layers[i];
        LayerKind& kind = kinds[i];
        if (layer.nType == kDielectric) {
            // Inner dielectrics of a rigid board are always Substrate; Solder
            // Mask can only be an outer layer.
            kind.innerDielectric = i != 0 && i + 1 != count && !rigidFlex;
            if (kind.innerDielectric && !lookOnly && layer.nUsage != kSubstrate) {
                layer.nUsage = kSubstrate;
                kind.usageSet = true;
            }
            kind.technologyShown = hasTechnology(layer.nUsage);
            if (kind.technologyShown && !lookOnly && layer.nTechnology == kNoTechnology)
                layer.nTechnology = kPrepreg;
        } else if (layer.nType == kMetal) {
            kind.platingAllowed = platingAllowedAt(layers, i);
            if (!lookOnly && layer.nUsage == kPlating && !kind.platingAllowed) {
                setLayerName(layer, firstFreeAutomaticName(layers));
                layer.nUsage = kSignal;
                layer.crColor = uniqueColor(layers, i);
                kind.rewritten = true;
            }
        }
    }
    return kinds;
}

} // namespace lm
