#pragma once
// How KiCad's stackup and the layer records correspond, in one place for the
// reader, the writer and the rules the host adds to the editor's check.
#include "KicadBoard.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lmhost::kicad {

constexpr int32_t kSignal = LM_USAGE_SIGNAL, kPlane = LM_USAGE_SOLID_PLANE, kSubstrate = LM_USAGE_SUBSTRATE,
                  kSolderMask = LM_USAGE_SOLDER_MASK;
constexpr int32_t kCore = LM_TECH_CORE, kPrepreg = LM_TECH_PREPREG;
constexpr int32_t kSolidPour = LM_POUR_SOLID;

// KiCad's defaults for a new board and for values a stackup layer leaves out.
constexpr int64_t kDefaultCopperNm = 35'000;
constexpr int64_t kDefaultMaskNm = 10'000;
struct Defaults {
    double thicknessMm;
    double er;
    double lossTangent;
    uint32_t color; // how the editor draws the layer, 0x00BBGGRR
};
const Defaults& defaultsOf(ItemKind kind);
constexpr const char* kNewDielectricMaterial = "FR4";
// Given to a layer without a material whose Er or loss tangent is changed:
// KiCad keeps those values only for a layer with a material.
constexpr const char* kCustomMaterial = "Custom";

// "core" is Core; KiCad's other dielectric type, "prepreg", and any other text are Prepreg.
int32_t technologyOf(const std::string& type);
std::string typeOfTechnology(int32_t technology);

// The editor's name of one sheet of a stackup layer: KiCad's name, with blanks
// made "_" for a dielectric (the rules check refuses blanks); further sublayers
// add "_1", "_2", ...
std::string editorName(const StackupItem& item, std::size_t sublayer);
// A dielectric's name in the file: "_" made blanks again.
std::string fileNameOfDielectric(std::string editorName);

// A property of a sheet by its key, or null; its number, or `absent` without one.
const Property* findProperty(const Sublayer& sublayer, std::string_view key);
double propertyNumber(const Sublayer& sublayer, std::string_view key, double absent);

// KiCad's rounding of a length in millimetres to its whole nanometres.
int64_t nanometresOfMillimetres(double millimetres);

} // namespace lmhost::kicad
