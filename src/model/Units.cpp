#include "model/Units.h"

#include "model/Catalogues.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace lm {
namespace {

// A host may hand in a zero factor; division then gives inf or NaN as IEEE arithmetic defines.
static_assert(std::numeric_limits<double>::is_iec559);

template <std::size_t N>
std::string_view boundedText(const char (&field)[N])
{
    return {field, static_cast<std::size_t>(std::find(field, field + N, '\0') - field)};
}

template <std::size_t N>
void copyText(char (&field)[N], std::string_view text)
{
    text.copy(field, N - 1);
}

bool showsAsWeight(const LMLAYEREX& layer, int32_t thicknessMode)
{
    return layer.nType == kMetal && thicknessMode == kThicknessAsWeight;
}

double weightPerMetre(const LMLAYEREX& layer, const LMUNIT& unit)
{
    return metalProperties(layer.nMetal).weightFactor * unit.dWeightFactor;
}

} // namespace

double roundToDigits(double x, int32_t digits)
{
    double scale = 1.0;
    for (int32_t i = 0; i < digits && std::isfinite(scale); ++i)
        scale *= 10.0;
    // Beyond the range of a double no digit can be rounded away.
    if (!std::isfinite(scale))
        return x;
    double integral = 0.0;
    const double fraction = std::modf(x, &integral);
    const double scaled = fraction * scale;
    const double lo = std::floor(scaled);
    const double hi = std::ceil(scaled);
    // An exact half is not nearer to hi, so it goes down to lo.
    const double chosen = (hi - scaled) < (scaled - lo) ? hi : lo;
    // chosen is already whole; keeping it a double avoids an out-of-range integer conversion.
    return (integral * scale + chosen) / scale;
}

LMUNIT metricUnit()
{
    LMUNIT unit{};
    copyText(unit.szName, "Metric");
    copyText(unit.szLengthUnit, "um");
    copyText(unit.szWeightUnit, "gram");
    unit.dLengthFactor = 1000000.0;
    unit.nLengthDigits = 0;
    unit.dWeightFactor = 1.0;
    unit.nWeightDigits = 0;
    return unit;
}

std::string_view unitName(const LMUNIT& unit) { return boundedText(unit.szName); }
std::string_view lengthUnitText(const LMUNIT& unit) { return boundedText(unit.szLengthUnit); }
std::string_view weightUnitText(const LMUNIT& unit) { return boundedText(unit.szWeightUnit); }

double lengthShown(double metres, const LMUNIT& unit)
{
    return roundToDigits(metres * unit.dLengthFactor, unit.nLengthDigits);
}

double lengthStored(double shown, const LMUNIT& unit)
{
    return shown / unit.dLengthFactor;
}

double thicknessShown(const LMLAYEREX& layer, const LMUNIT& unit, int32_t thicknessMode)
{
    if (!showsAsWeight(layer, thicknessMode))
        return lengthShown(layer.dThickness, unit);
    return roundToDigits(weightPerMetre(layer, unit) * layer.dThickness, unit.nWeightDigits);
}

double thicknessStored(double shown, const LMLAYEREX& layer, const LMUNIT& unit, int32_t thicknessMode)
{
    if (!showsAsWeight(layer, thicknessMode))
        return lengthStored(shown, unit);
    return shown / weightPerMetre(layer, unit);
}

std::string columnUnitText(int32_t columnId, const LMUNIT& unit, int32_t thicknessMode)
{
    switch (columnId) {
    case kColThickness: {
        std::string text(lengthUnitText(unit));
        if (thicknessMode == kThicknessAsWeight)
            text.append(", ").append(weightUnitText(unit));
        return text;
    }
    case kColTestWidth:
    case kColWidth:
    case kColGap: return std::string(lengthUnitText(unit));
    case kColBulkR: return "ohm-m";
    case kColTCoef: return "1/\u00b0C";
    case kColZ0:
    case kColTargetZ0: return "ohm";
    default: return {};
    }
}

} // namespace lm
