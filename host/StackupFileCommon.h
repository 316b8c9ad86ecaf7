#pragma once
// What the stackup file reader and writer share: the format's name and version,
// the numeric layer keys in record order, and how a problem names its place.
#include "StackupFile.h"

#include <string>
#include <string_view>
#include <utility>

namespace lmhost::stackup_file {

constexpr std::string_view kFormatName = "laminar-stackup";
constexpr int kFormatVersion = 1;

// Numeric fields in record order: key, member, whether a negative value is refused.
struct NumberField {
    std::string_view key;
    double LMLAYEREX::*member;
    bool isLength;
};
constexpr NumberField kNumberFields[] = {
    {"thickness", &LMLAYEREX::dThickness, true},   {"er", &LMLAYEREX::dEr, false},
    {"erFrequency", &LMLAYEREX::dErFrequency, false}, {"lossTangent", &LMLAYEREX::dLossTangent, false},
    {"hostParam1", &LMLAYEREX::dHostParam1, false}, {"bulkResistivity", &LMLAYEREX::dBulkResistivity, false},
    {"tempCoef", &LMLAYEREX::dTempCoef, false},     {"testWidth", &LMLAYEREX::dTestWidth, true},
    {"targetZ0", &LMLAYEREX::dTargetZ0, false},     {"width", &LMLAYEREX::dWidth, true},
    {"gap", &LMLAYEREX::dGap, true},                {"hostParam2", &LMLAYEREX::dHostParam2, false},
};

// A problem at one place of the document; the file name is added where it is caught.
struct DocumentProblem {
    std::string where; // "boards[0].layers[3].usage"; empty for the document as a whole
    std::string problem;
};

[[noreturn]] inline void fail(std::string where, std::string problem)
{
    throw DocumentProblem{std::move(where), std::move(problem)};
}

inline std::string member(const std::string& where, std::string_view key)
{
    return where.empty() ? std::string(key) : where + "." + std::string(key);
}

inline std::string element(const std::string& where, std::size_t index)
{
    return where + "[" + std::to_string(index) + "]";
}

inline std::string located(const std::string& fileName, const DocumentProblem& problem)
{
    return fileName + ": " + (problem.where.empty() ? "" : problem.where + ": ") + problem.problem;
}

} // namespace lmhost::stackup_file
