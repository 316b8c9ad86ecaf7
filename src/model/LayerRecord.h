#pragma once
// Safe access to the fixed-size text of a layer record and the coded values of
// its fields. Names handed in by a host may lack their terminator: every read
// is bounded by the field size.
#include <laminar/laminar.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace lm {

// The record's codes under the core's names.
enum LayerType : int32_t { kMetal = LM_TYPE_METAL, kDielectric = LM_TYPE_DIELECTRIC };

enum Usage : int32_t {
    kSignal = LM_USAGE_SIGNAL, kSolidPlane = LM_USAGE_SOLID_PLANE, kSplitPlane = LM_USAGE_SPLIT_PLANE,
    kFloodedSignal = LM_USAGE_FLOODED_SIGNAL, kPlating = LM_USAGE_PLATING, kSubstrate = LM_USAGE_SUBSTRATE,
    kSolderMask = LM_USAGE_SOLDER_MASK, kRigid = LM_USAGE_RIGID, kFlexible = LM_USAGE_FLEXIBLE,
    kAdhesive = LM_USAGE_ADHESIVE, kCoverLayer = LM_USAGE_COVER_LAYER, kStiffener = LM_USAGE_STIFFENER,
};
constexpr int32_t kUsageCount = 12;

enum Technology : int32_t { kNoTechnology = LM_TECH_NONE, kCore = LM_TECH_CORE, kPrepreg = LM_TECH_PREPREG };

enum Metal : int32_t {
    kNoMetal = LM_METAL_NONE, kCopper = LM_METAL_COPPER, kAluminum = LM_METAL_ALUMINUM, kTin = LM_METAL_TIN,
    kSilver = LM_METAL_SILVER, kGold = LM_METAL_GOLD, kPlatinum = LM_METAL_PLATINUM, kCustomMetal = LM_METAL_CUSTOM,
};

enum PourDrawStyle : int32_t {
    kPourNone = LM_POUR_NONE, kPourSolid = LM_POUR_SOLID, kPourHatched = LM_POUR_HATCHED, kPourOutline = LM_POUR_OUTLINE,
};

// Grid column identifiers; the rules check names the field it judges by them too.
enum ColumnId : int32_t {
    kColVisible = 0, kColColor = 1, kColPourDrawStyle = 2, kColLayerName = 3, kColType = 4, kColUsage = 5,
    kColThickness = 6, kColEr = 7, kColTechnology = 8, kColMetal = 9, kColBulkR = 10, kColTCoef = 11,
    kColLossTangent = 12, kColTestWidth = 13, kColZ0 = 14, kColTargetZ0 = 15, kColWidth = 16, kColGap = 17,
    kColZ0Curve = 18, kColLossCurve = 19,
};
constexpr int32_t kColumnIdCount = 20;

constexpr bool isMetalUsage(int32_t usage) { return usage >= kSignal && usage <= kPlating; }
constexpr bool isDielectricUsage(int32_t usage) { return usage >= kSubstrate && usage <= kStiffener; }
// Signal, solid plane, split/mixed plane, flooded signal; plating is metal but no conductor.
constexpr bool isConductorUsage(int32_t usage) { return usage >= kSignal && usage <= kFloodedSignal; }

constexpr std::size_t kMaxNameBytes = sizeof(LMLAYEREX::szName) - 1; // 66 characters and the terminator

// The name up to its terminator or the end of the field, whichever comes first.
std::string_view layerName(const LMLAYEREX& layer);
// Stores the text cut to the field, always terminated, the rest of the field zeroed.
void setLayerName(LMLAYEREX& layer, std::string_view name);

// Colours are 0x00BBGGRR.
constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

} // namespace lm
