#pragma once
// The version line of the about box (dialog 100, opened by 32860 About...);
// the box itself is a template in res/DialogTemplates.h.
#include <cstdint>
#include <string>
#include <string_view>

namespace lm {

// A 64-bit file version holds four 16-bit parts, most significant first.
// Our dotted build version "major.minor.patch" maps to major.minor.patch.0,
// so the about box reads "Version major.minor build patch". Missing or
// unreadable parts are 0; parts above 65535 are cut to 65535.
uint64_t fileVersionFromText(std::string_view dotted);

// Control 1020's template filled with the high and low halves of the
// version's most significant 32 bits and the high half of its least
// significant 32 bits.
std::string aboutVersionLine(uint64_t fileVersion);

// This build's version line, from LAMINAR_VERSION.
std::string aboutVersionLine();

} // namespace lm
