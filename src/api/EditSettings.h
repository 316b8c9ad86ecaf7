#pragma once
// The editor settings of one instance, shared by pointer with the grid, the
// picture, the panes and the undo snapshots, none of which owns it.
#include <laminar/laminar.h>

#include "model/Units.h"

#include <vector>

namespace lm {

struct MBSTACKUPENTRY;

// Capability bits a host chooses with lmSetCaps.
enum Capability : uint32_t {
    kCapLossValues = 0x1,          // loss tangent and loss curve columns carry values
    kCapDiffPairPlanning = 0x2,    // Z0 planning for a differential pair is offered
    kCapChangeStructure = 0x4,     // insert, paste, most-suitable insertion
    kCapDeleteLayers = 0x8,        // delete and cut
    kCapPictureMouse = 0x10,       // the picture reacts to the mouse
    kCapLayerColors = 0x20,        // the picture may use the layers' own colours
    kCapKeepInSyncInitial = 0x40,  // initial "Keep Layers in Sync" state
    kCapKeepInSyncShown = 0x80,    // the "Keep Layers in Sync" check box is shown
    kCapMetalThicknessAs = 0x100,  // the length/weight choice is on the property bar
    kCapReadOnly = 0x200,          // only appearance and planning columns are editable
    kCapErFrequency = 0x400,       // the Er frequency field is on the property bar
    kCapRigidFlex = 0x800,         // rigid-flex usages instead of substrate
    kCapLossTangentEditable = 0x1000,
};
constexpr uint32_t kDefaultCaps = kCapChangeStructure | kCapDeleteLayers | kCapPictureMouse | kCapLayerColors |
                                  kCapMetalThicknessAs; // 0x13C

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

// Where the window was and how it was split; captured when it is destroyed so
// that preferences can be stored after it is gone.
struct WindowPlacement {
    int32_t left = -1, top = -1, right = -1, bottom = -1;
    bool maximized = false;
    int32_t paneSize = -1;
    bool sideBySide = true; // "VSplit"
};

} // namespace lm
