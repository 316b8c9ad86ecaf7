#pragma once
// Impedance of a single trace or an edge-coupled pair over a cross-section,
// with the dielectrics of each side reduced to what the closed forms take.
#include "ClosedForms.h"
#include "CrossSection.h"

namespace lmz0 {

// A single trace of width w.
Mode singleLine(const CrossSection& section, double w);
// The odd mode of a pair of width w traces a gap s apart; Zdiff = 2 * z().
Mode oddModeLine(const CrossSection& section, double w, double s);

// One dielectric standing for a stack: the series (field-across) combination
// of the layers' Er, their thickness-and-Er-weighted loss tangent.
Dielectric combined(const std::vector<Dielectric>& stack);

} // namespace lmz0
