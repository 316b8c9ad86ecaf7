#pragma once
// A quasi-static field solver over the half cross-section of a trace or a
// pair: boundary elements (piecewise-constant charge on the outlines of the
// trace and of every dielectric interface), solved densely with Eigen. Its
// answers are cached per geometry.
#include "ClosedForms.h"
#include "CrossSection.h"

namespace lmz0 {

// Z0 of a single trace of width w, or with gap > 0 the odd mode of a pair.
Mode fieldSolvedLine(const CrossSection& section, double w, double gap);

} // namespace lmz0
