#pragma once
// The editor settings of one instance, shared by pointer with the grid, the
// picture, the panes and the undo snapshots, none of which owns it.
#include <laminar/laminar.h>

#include "model/Units.h"

#include <vector>

namespace lm {

struct MBSTACKUPENTRY;

// Capability bits a host chooses with lmSetCaps, by the core's names.
enum Capability : uint32_t {
    kCapLossValues = LM_CAP_LOSS_VALUES,
    kCapDiffPairPlanning = LM_CAP_DIFF_PAIR_PLANNING,
    kCapChangeStructure = LM_CAP_CHANGE_STRUCTURE,
    kCapDeleteLayers = LM_CAP_DELETE_LAYERS,
    kCapPictureMouse = LM_CAP_PICTURE_MOUSE,
    kCapLayerColors = LM_CAP_LAYER_COLORS,
    kCapKeepInSyncInitial = LM_CAP_KEEP_IN_SYNC_INITIAL,
    kCapKeepInSyncShown = LM_CAP_KEEP_IN_SYNC_SHOWN,
    kCapMetalThicknessAs = LM_CAP_METAL_THICKNESS_AS,
    kCapReadOnly = LM_CAP_READ_ONLY,
    kCapErFrequency = LM_CAP_ER_FREQUENCY,
    kCapRigidFlex = LM_CAP_RIGID_FLEX,
    kCapLossTangentEditable = LM_CAP_LOSS_TANGENT_EDITABLE,
};
constexpr uint32_t kDefaultCaps = LM_CAP_DEFAULT;
static_assert(kDefaultCaps == (kCapChangeStructure | kCapDeleteLayers | kCapPictureMouse | kCapLayerColors |
                               kCapMetalThicknessAs));

struct LMEDITSETTINGS {
    MBSTACKUPENTRY* currentBoard = nullptr; // the board shown (its layers and spans); none without boards
    int32_t currentBoardId = -1;
    uint32_t caps = kDefaultCaps;
    int32_t unitIndex = 0;
    int32_t metalThicknessAs = kThicknessAsLength;
    std::vector<LMUNIT> units{metricUnit()};
    IDRC* drc = nullptr;               // the instance points it at its built-in checker
    IZ0Calculator* z0Calculator = nullptr;
    ILMDefaultLayer* defaultLayer = nullptr;
    void* matLib = nullptr;
    bool drawProportionally = true;
    bool layerColors = true;
    bool keepSelection = false;
    bool autoEr = true;
    double erFrequency = 1e6;
    bool z0DiffPair = false;
    bool fabCompensation = false;
    int32_t z0Strategy = 0;            // 0 solve for separation, 1 for width, 2 for both
    bool keepInSync = false;

    const LMUNIT& currentUnit() const { return units.at(static_cast<std::size_t>(unitIndex)); }
};

// Planning is for a differential pair only when chosen and offered by the host.
inline bool plansForDiffPair(const LMEDITSETTINGS& settings)
{
    return (settings.caps & kCapDiffPairPlanning) != 0 && settings.z0DiffPair;
}

// Where the window was and how it was split; captured when it is destroyed so
// that preferences can be stored after it is gone.
struct WindowPlacement {
    int32_t left = -1, top = -1, right = -1, bottom = -1;
    bool maximized = false;
    int32_t paneSize = -1;
    bool sideBySide = true; // "VSplit"
};

} // namespace lm
