#pragma once
// The example host's command line; main only hands over its arguments.
#include <iosfwd>
#include <span>
#include <string>

namespace lmhost {

// args excludes the program name. Returns the process exit code.
int runHostCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lmhost
