#pragma once
// `laminar check FILE...`: loads each file's boards into one editor instance
// through the exported functions, as a host application would, and prints the
// rules-check result of every board.
#include <iosfwd>
#include <span>
#include <string>

namespace lmhost {

// Exit codes of the example host.
enum ExitCode : int {
    kExitClean = 0,     // no board has an error or critical finding
    kExitFindings = 1,  // some board has one
    kExitBadInput = 2,  // a file could not be read or is malformed; or bad usage
};

// One line per board on out; a file that cannot be read gets its message on
// err and nothing on out. Returns the worst exit code over all files.
int checkStackupFiles(std::span<const std::string> files, std::ostream& out, std::ostream& err);

} // namespace lmhost
