#pragma once
// Small stackups for the calculator tests, written as the reference table
// writes them: top first, layers joined by '/', each "kind:thickness_um:er"
// with kind plane, sig, diel or mask (see scripts/z0-reference/fieldsolve.py).
#include <laminar/laminar.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lmz0::test {

// The trace layer (the one 'sig') gets width and test width w and gap `gap`, in metres.
std::vector<LMLAYEREX> stackupOf(const std::string& text, double w, double gap);
// Index of the 'sig' layer in the stackup text.
int32_t traceIndexOf(const std::string& text);

} // namespace lmz0::test
