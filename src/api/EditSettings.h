#pragma once
// The editor settings of one instance, shared by pointer with the grid, the
// picture, the panes and the undo snapshots, none of which owns it.
#include <laminar/laminar.h>

#include "model/Units.h"

#include <vector>

namespace lm {

struct MBSTACKUPENTRY;

struct LMEDITSETTINGS {
    MBSTACKUPENTRY* currentBoard = nullptr; // the board shown (its layers and spans); none without boards
    int32_t currentBoardId = -1;
    uint32_t caps = 0x13C;
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
