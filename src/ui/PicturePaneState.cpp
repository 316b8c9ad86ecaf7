#include "ui/PicturePaneState.h"

#include "document/Board.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "res/CommandIds.h"

#include <cstdio>
#include <limits>

namespace lm {

uint32_t statusLineColour(int32_t severity)
{
    switch (severity) {
    case 1: return rgb(0, 0, 255);
    case 2:
    case 3: return rgb(255, 0, 0);
    default: return rgb(0, 0, 0);
    }
}

StatusLine checkStatusLine(const LMEDITSETTINGS& settings)
{
    StatusLine line;
    if (settings.drc == nullptr || settings.currentBoard == nullptr)
        return line;
    const std::vector<LMLAYEREX>& layers = settings.currentBoard->layers;
    // A board never holds more layers than an int32 counts; clamp rather than wrap all the same.
    const auto count = static_cast<int32_t>(std::min<std::size_t>(layers.size(), std::numeric_limits<int32_t>::max()));
    const char* message = nullptr;
    line.severity = settings.drc->CheckStackup(layers.data(), count, &message);
    if (message != nullptr)
        line.text = message;
    line.colour = statusLineColour(line.severity);
    return line;
}

ControlStates pictureBarStates(const LMEDITSETTINGS& settings)
{
    const bool colorsOffered = (settings.caps & kCapLayerColors) != 0;
    ControlState proportional;
    proportional.id = res::IDC_DRAW_PROPORTIONALLY;
    proportional.checked = settings.drawProportionally;
    ControlState colors;
    colors.id = res::IDC_USE_LAYER_COLORS;
    colors.enabled = colorsOffered;
    colors.checked = colorsOffered && settings.layerColors;
    return {proportional, colors};
}

PictureChange pictureBarCheckChanged(LMEDITSETTINGS& settings, uint32_t controlId, bool checked)
{
    switch (controlId) {
    case res::IDC_DRAW_PROPORTIONALLY:
        settings.drawProportionally = checked;
        return PictureChange::Relayout; // slab heights follow the thicknesses or not
    case res::IDC_USE_LAYER_COLORS:
        settings.layerColors = checked;
        return PictureChange::Redraw;
    default: return PictureChange::None;
    }
}

} // namespace lm
