#pragma once
// A board for the printing tests, and the recording canvas and pages they read.
#include "document/Board.h"
#include "document/EditSettings.h"
#include "document/EditorDocument.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "picture/StackupPicture.h"
#include "RecordingPages.h"
#include "ScriptedZ0Calculator.h"

#include <initializer_list>
#include <string>

namespace lm::test {

struct PrintBoard {
    MBSTACKUPENTRY board;
    LMEDITSETTINGS settings;
    DesignInfo design{"Falcon", "Ada", "Rev B"};

    // Layers named L1, L2, ... of the catalogue's default for each usage.
    explicit PrintBoard(std::initializer_list<int32_t> usages)
    {
        for (const int32_t usage : usages) {
            LMLAYEREX layer = defaultLayer(usage);
            setLayerName(layer, "L" + std::to_string(board.layers.size() + 1));
            board.layers.push_back(layer);
        }
        board.drillSpans.resize(board.layers.size());
        settings.currentBoard = &board;
    }
    PrintBoard(const PrintBoard&) = delete; // the settings point at the board
    PrintBoard& operator=(const PrintBoard&) = delete;
};

// A signal, a substrate, a plane, a substrate, a signal.
struct FiveLayers : PrintBoard {
    FiveLayers() : PrintBoard{kSignal, kSubstrate, kSolidPlane, kSubstrate, kSignal} {}
};

// The five layers with their picture laid out in a 400 x 300 pane.
struct FiveLayersPictured : FiveLayers {
    StackupPicture picture{settings};
    FiveLayersPictured()
    {
        RecordingCanvas screen;
        picture.layout({400, 300}, screen);
    }
};

} // namespace lm::test

namespace lm {
using test::CanvasCall;
using test::CanvasOp;
using test::RecordingCanvas;
using test::RecordingPages;
} // namespace lm
