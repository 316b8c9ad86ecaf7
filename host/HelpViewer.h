#pragma once
// Help for the editor's Help button and Help > Contents: the user guide.
#include <laminar/laminar.h>

#include <string>

namespace lmhost {

// The user guide of an installed program (../share/doc/laminar/user-guide.md
// from its folder), else docs/user-guide.md found from the program's folder
// upwards (a build tree inside the repository). Absolute; empty when neither
// exists.
std::string locateUserGuide();

// The help function given to lmSetHelpInfo: shows the help file (Markdown) in a
// window of its own, "userGuide"; prints a line when there is no file to show.
int32_t LMCALLBACK openHelpFile(uint32_t userValue, const char* helpFile, uint32_t command, uint32_t contextId);

} // namespace lmhost
