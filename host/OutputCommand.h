#pragma once
// `laminar report|picture|doc FILE -o OUT ...`: what the editor prints and
// copies, written to a file without a window, with the reference calculator's
// Z0 values.
#include <iosfwd>
#include <span>
#include <string>

namespace lmhost {

// args start with the command's name. Exit 0 when the file was written, 1
// when it could not be, 2 for a refused stackup file, an unknown board or a
// wrong option (the message names it).
int writeStackupOutput(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lmhost
