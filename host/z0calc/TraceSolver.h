#pragma once
// Trace geometry for a target impedance: a root search on the field solution over the
// dimension from 1 um to 10 mm. 0.0 when no dimension in that range meets it.
#include "CrossSection.h"

namespace lmz0 {

constexpr double kSmallestDimension = 1e-6;
constexpr double kLargestDimension = 10e-3;

// Width of a single trace with Z0 = target.
double widthForZ0(const CrossSection& section, double target);
// Width of a pair `gap` apart with Zdiff = target.
double widthForZdiff(const CrossSection& section, double target, double gap);
// Gap of a pair of `width` traces with Zdiff = target.
double gapForZdiff(const CrossSection& section, double target, double width);

} // namespace lmz0
