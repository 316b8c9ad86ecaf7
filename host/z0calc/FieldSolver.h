#pragma once
// A small quasi-static field solver over the half cross-section of a trace or
// a pair: finite differences (five-point finite volumes) on a tensor grid that
// is graded towards every edge of the geometry, solved with Eigen's sparse
// Cholesky factorisation. Its answers are cached per geometry.
#include "ClosedForms.h"
#include "CrossSection.h"

namespace lmz0 {

// Z0 of a single trace of width w, or with gap > 0 the odd mode of a pair.
Mode fieldSolvedLine(const CrossSection& section, double w, double gap);

} // namespace lmz0
