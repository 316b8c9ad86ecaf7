#pragma once
// A board for the printing tests, and the recording canvas and pages they read.
#include "PictureFixture.h"
#include "RecordingPages.h"
#include "ScriptedZ0Calculator.h"
#include "document/EditorDocument.h"
#include "model/LayerRecord.h"

namespace lm::test {

// Layers named L1, L2, ... of the catalogue's default for each usage, drawn proportionally, and a design.
struct PrintBoard : PictureBoard {
    DesignInfo design{"Falcon", "Ada", "Rev B"};

    explicit PrintBoard(std::initializer_list<int32_t> usages) : PictureBoard(usages, true)
    {
        board.drillSpans.resize(board.layers.size());
    }
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
