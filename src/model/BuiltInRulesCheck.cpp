#include "model/BuiltInRulesCheck.h"

#include "model/LayerRecord.h"
#include "model/TextTrim.h"
#include "res/Strings.h"

#include <string_view>

namespace lm {
namespace {

using res::StringId;

constexpr int32_t kMinimumLayerCount = 3;
constexpr double kMinThickness = 1e-6; // 1 um; exactly 1 um passes
constexpr double kMinEr = 1.0;
constexpr double kMaxEr = 100.0;
constexpr double kMinLossTangent = 0.0;
constexpr double kMaxLossTangent = 100.0;
// An air layer: Er within 0.001 of 1. Written as a closed range so that both
// 0.999 and 1.001 as typed count, which a subtraction would not guarantee.
constexpr double kAirErMin = 0.999;
constexpr double kAirErMax = 1.001;

constexpr DRCERR finding(Severity severity, StringId id, int32_t layer1 = -1, int32_t layer2 = -1)
{
    return {severity, id, layer1, layer2};
}

bool isMetal(const LMLAYEREX& layer) { return layer.nType == kMetal; }
bool isDielectric(const LMLAYEREX& layer) { return layer.nType == kDielectric; }
bool hasSpace(const LMLAYEREX& layer) { return layerName(layer).find(' ') != std::string_view::npos; }
bool isTooThin(const LMLAYEREX& layer) { return layer.dThickness < kMinThickness; }
bool erOutOfRange(double er) { return er < kMinEr || er > kMaxEr; }
bool lossTangentOutOfRange(double tangent) { return tangent < kMinLossTangent || tangent > kMaxLossTangent; }
bool isAir(const LMLAYEREX& layer) { return isDielectric(layer) && layer.dEr >= kAirErMin && layer.dEr <= kAirErMax; }

// Fills each "%s" of the format in turn with the next reference; spare ones stay empty.
std::string substituteReferences(std::string_view format, const std::string& first, const std::string& second)
{
    std::string text;
    int used = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            text += used == 0 ? first : used == 1 ? second : std::string{};
            ++used;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

std::optional<DRCERR> checkValue(int32_t field, const LMLAYEREX& layer)
{
    switch (field) {
    case kColLayerName:
        if (hasSpace(layer))
            return finding(DRC_CRITICAL, res::IDS_BLANK_IN_NAME);
        if (isMetal(layer) && layerName(layer).empty())
            return finding(DRC_CRITICAL, res::IDS_METAL_NAME_EMPTY);
        break;
    case kColThickness:
        if (isTooThin(layer))
            return finding(DRC_ERROR, res::IDS_INVALID_THICKNESS);
        break;
    case kColEr:
        if (erOutOfRange(layer.dEr))
            return finding(DRC_ERROR, res::IDS_INVALID_ER);
        break;
    case kColLossTangent:
        if (lossTangentOutOfRange(layer.dLossTangent))
            return finding(DRC_ERROR, res::IDS_INVALID_LOSS_TANGENT);
        break;
    case kColTestWidth:
        if (isMetal(layer) && layer.dThickness > layer.dTestWidth)
            return finding(DRC_ERROR, res::IDS_WIDTH_BELOW_THICKNESS);
        break;
    case kColWidth:
        if (isMetal(layer) && layer.dThickness > layer.dWidth)
            return finding(DRC_ERROR, res::IDS_WIDTH_BELOW_THICKNESS);
        break;
    case kColGap:
        if (isMetal(layer) && layer.dThickness > layer.dGap)
            return finding(DRC_ERROR, res::IDS_GAP_BELOW_THICKNESS);
        break;
    default:
        break;
    }
    return std::nullopt;
}

// The nearest conductor layer from i - 2 upwards whose name equals layer i's;
// the layer directly above is left to the dielectric-between rule.
std::optional<int32_t> sameNamedConductorAbove(const LMLAYEREX* layers, int32_t i)
{
    const std::string_view name = layerName(layers[i]);
    for (int32_t j = i - 2; j >= 0; --j) {
        if (isConductorUsage(layers[j].nUsage) && layerName(layers[j]) == name)
            return j;
    }
    return std::nullopt;
}

bool hasNonPlatingMetal(const LMLAYEREX* layers, int32_t from, int32_t to)
{
    for (int32_t j = from; j < to; ++j) {
        if (isMetal(layers[j]) && layers[j].nUsage != kPlating)
            return true;
    }
    return false;
}

struct LayerCounts {
    int32_t signal = 0;
    int32_t plane = 0;
};

// Names, conductor separation, thickness, dielectric values and unique names,
// from the bottom layer up.
std::optional<DRCERR> checkLayersBottomUp(const LMLAYEREX* layers, int32_t count, LayerCounts& counts)
{
    bool conductorBelow = false;
    for (int32_t i = count - 1; i >= 0; --i) {
        const LMLAYEREX& layer = layers[i];
        const int32_t usage = layer.nUsage;
        if (hasSpace(layer))
            return finding(DRC_CRITICAL, res::IDS_LAYER_BLANK_IN_NAME, i);
        if (isMetal(layer) && layerName(layer).empty())
            return finding(DRC_CRITICAL, res::IDS_METAL_NAME_EMPTY, i);

        // A split/mixed plane carries both signals and a plane.
        if (usage == kSignal || usage == kSplitPlane)
            ++counts.signal;
        if (usage == kSolidPlane || usage == kSplitPlane || usage == kFloodedSignal)
            ++counts.plane;
        const bool conductor = isConductorUsage(usage);
        if (conductor && conductorBelow)
            return finding(DRC_CRITICAL, res::IDS_DIELECTRIC_REQUIRED, i, i + 1);

        if (isTooThin(layer))
            return finding(DRC_ERROR, res::IDS_LAYER_TOO_THIN, i);
        if (isDielectric(layer)) {
            if (erOutOfRange(layer.dEr))
                return finding(DRC_ERROR, res::IDS_STACKUP_INVALID_ER, i);
            if (lossTangentOutOfRange(layer.dLossTangent))
                return finding(DRC_ERROR, res::IDS_STACKUP_INVALID_LOSS_TANGENT, i);
        }
        if (conductor) {
            if (const auto match = sameNamedConductorAbove(layers, i))
                return finding(DRC_CRITICAL, res::IDS_SAME_NAMES, i, *match);
        }

        // Plating does not separate conductors: the flag passes through it.
        if (conductor)
            conductorBelow = true;
        else if (usage != kPlating)
            conductorBelow = false;
    }
    return std::nullopt;
}

// Solder masks and plating in places the editor does not support, from the bottom layer up.
std::optional<DRCERR> checkPlacementsBottomUp(const LMLAYEREX* layers, int32_t count)
{
    const int32_t last = count - 1;
    for (int32_t i = last; i >= 0; --i) {
        const LMLAYEREX& layer = layers[i];
        if (layer.nUsage == kSolderMask && i != 0 && i != last) {
            if (!isAir(layers[i - 1]) && !isAir(layers[i + 1]))
                return finding(DRC_WARNING, res::IDS_INNER_SOLDER_MASK, i);
        }
        if (layer.nUsage == kPlating) {
            const bool metalAbove = i > 0 && isMetal(layers[i - 1]);
            const bool metalBelow = i < last && isMetal(layers[i + 1]);
            if (!metalAbove && !metalBelow)
                return finding(DRC_WARNING, res::IDS_PLATED_DIELECTRIC, i);
            if (hasNonPlatingMetal(layers, i + 1, count) && hasNonPlatingMetal(layers, 0, i))
                return finding(DRC_WARNING, res::IDS_INNER_PLATING, i);
        }
    }
    return std::nullopt;
}

std::optional<DRCERR> checkStackup(const LMLAYEREX* layers, int32_t count)
{
    if (layers == nullptr || count < kMinimumLayerCount)
        return finding(DRC_CRITICAL, res::IDS_NOT_ENOUGH_LAYERS);
    LayerCounts counts;
    if (auto found = checkLayersBottomUp(layers, count, counts))
        return found;
    if (counts.signal == 0)
        return finding(DRC_CRITICAL, res::IDS_NO_SIGNAL_LAYER);
    if (counts.plane == 0)
        return finding(DRC_WARNING, res::IDS_NO_PLANE_LAYERS);
    return checkPlacementsBottomUp(layers, count);
}

} // namespace

std::string layerReference(const LMLAYEREX* layers, int32_t index)
{
    if (layers == nullptr || index < 0)
        return {};
    const std::string_view name = trimBlanksAndTabs(layerName(layers[index]));
    if (name.empty())
        return "#" + std::to_string(static_cast<int64_t>(index) + 1);
    return std::string(name);
}

int32_t CDefDRC::CheckValue(int32_t field, const LMLAYEREX* layer, const char** message)
{
    // Nothing to judge without a layer; the value messages name no layer.
    return report(layer ? checkValue(field, *layer) : std::nullopt, nullptr, message);
}

int32_t CDefDRC::CheckStackup(const LMLAYEREX* layers, int32_t count, const char** message)
{
    return report(checkStackup(layers, count), layers, message);
}

int32_t CDefDRC::report(const std::optional<DRCERR>& found, const LMLAYEREX* layers, const char** message)
{
    int32_t severity = DRC_NONE;
    if (found) {
        severity = found->severity;
        message_ = substituteReferences(res::loadString(found->messageId), layerReference(layers, found->layer1),
                                        layerReference(layers, found->layer2));
    } else {
        message_ = std::string(res::loadString(res::IDS_NO_ERRORS));
    }
    if (message)
        *message = message_.c_str();
    return severity;
}

} // namespace lm
