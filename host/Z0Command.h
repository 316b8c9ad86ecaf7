#pragma once
// `laminar z0 FILE [--board ID] [--json]`: the structure, heights, effective Er,
// Z0 and Zdiff that the reference calculator finds for every conductor layer.
#include <iosfwd>
#include <span>
#include <string>

namespace lmhost {

// args are what follows "z0". Exit 0; 2 for a refused file, an unknown board
// or a wrong command line (the message on err, nothing on out).
int printLayerImpedances(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lmhost
