#pragma once
// Safe access to the fixed-size text of a layer record and the coded values of
// its fields. Names handed in by a host may lack their terminator: every read
// is bounded by the field size.
#include <laminar/laminar.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace lm {

enum LayerType : int32_t { kMetal = 0, kDielectric = 1 };

enum Usage : int32_t {
    kSignal = 0, kSolidPlane = 1, kSplitPlane = 2, kFloodedSignal = 3, kPlating = 4,
    kSubstrate = 5, kSolderMask = 6, kRigid = 7, kFlexible = 8, kAdhesive = 9, kCoverLayer = 10, kStiffener = 11,
};
constexpr int32_t kUsageCount = 12;

enum Technology : int32_t { kNoTechnology = -1, kCore = 0, kPrepreg = 1 };

enum Metal : int32_t {
    kNoMetal = -1, kCopper = 0, kAluminum = 1, kTin = 2, kSilver = 3, kGold = 4, kPlatinum = 5, kCustomMetal = 6,
};

enum PourDrawStyle : int32_t { kPourNone = 0, kPourSolid = 1, kPourHatched = 2, kPourOutline = 3 };

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
