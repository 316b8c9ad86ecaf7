#include "model/Catalogues.h"

#include <algorithm>
#include <cmath>

namespace lm {
namespace {

// Relative match against the smaller magnitude. A zero only matches a zero, so the
// division never sees a zero divisor; NaN never matches.
bool matchesWithinOneMillionth(double a, double b)
{
    const double smaller = std::min(std::fabs(a), std::fabs(b));
    if (!(smaller > 0.0))
        return a == b;
    return std::fabs(a - b) / smaller < 1e-6;
}

} // namespace

void identifyMetal(LMLAYEREX& layer)
{
    if (layer.nType != kMetal || layer.nMetal != kNoMetal)
        return;
    layer.nMetal = kCustomMetal;
    const std::span<const MetalProperties> rows = metalPropertyTable();
    for (std::size_t row = rows.size(); row-- > 0;) {
        if (matchesWithinOneMillionth(layer.dBulkResistivity, rows[row].bulkResistivity)
            && matchesWithinOneMillionth(layer.dTempCoef, rows[row].tempCoef)) {
            layer.nMetal = static_cast<int32_t>(row);
            return;
        }
    }
}

} // namespace lm
