#pragma once
// The texts a stackup file uses for the coded fields of a layer record, and the
// host's own copy of the default layer of each usage. The example host keeps
// these apart from the component on purpose: it knows the record only through
// the public header.
#include <laminar/laminar.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lmhost {

enum class CodedField { Type, Usage, Technology, Metal, PourDrawStyle };

constexpr int32_t kNoCode = -1; // "none" for technology and metal
constexpr int32_t kMetalType = LM_TYPE_METAL;
constexpr int32_t kDielectricType = LM_TYPE_DIELECTRIC;

// The text of a code, or empty when the code has none. Usage 1 reads "Plane".
std::string_view textOfCode(CodedField field, int32_t code);
// The code of a text (exact, case-sensitive); both "Plane" and "Solid Plane" give usage 1.
std::optional<int32_t> codeOfText(CodedField field, std::string_view text);
// "usage", "metal", ... as messages name the field.
std::string_view fieldNoun(CodedField field);
// Every accepted text, quoted and comma-separated, for error messages.
std::string acceptedTexts(CodedField field);

// Usages 0-4 are metal, 5-11 dielectric; other values have no type.
std::optional<int32_t> typeOfUsage(int32_t usage);

// The record a layer of this usage starts from; an unknown usage gives the signal default.
LMLAYEREX defaultLayer(int32_t usage);

} // namespace lmhost
