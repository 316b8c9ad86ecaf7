#include "ui/PicturePaneState.h"

#include "document/Board.h"
#include "model/Catalogues.h"
#include "model/BuiltInRulesCheck.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

TEST(PicturePaneState, StatusLineColourBySeverity)
{
    const uint32_t black = rgb(0, 0, 0), blue = rgb(0, 0, 255), red = rgb(255, 0, 0);
    EXPECT_EQ((std::vector<uint32_t>{statusLineColour(-1), statusLineColour(0), statusLineColour(1),
                                     statusLineColour(2), statusLineColour(3), statusLineColour(4)}),
              (std::vector<uint32_t>{black, black, blue, red, red, black}));
}

TEST(PicturePaneState, StatusLineFromTheChecker)
{
    LMEDITSETTINGS settings;
    MBSTACKUPENTRY board;
    board.layers = {defaultLayer(kSignal)};
    settings.currentBoard = &board;

    EXPECT_EQ(checkStatusLine(settings).text, ""); // no checker
    CDefDRC drc;
    settings.drc = &drc;
    const StatusLine single = checkStatusLine(settings); // one layer is not a stackup
    EXPECT_EQ(single.severity, DRC_CRITICAL);
    EXPECT_FALSE(single.text.empty());
    EXPECT_EQ(single.colour, rgb(255, 0, 0));

    settings.currentBoard = nullptr;
    EXPECT_EQ(checkStatusLine(settings).text, "");
}

TEST(PicturePaneState, TotalThicknessInTheCurrentLengthUnit)
{
    LMEDITSETTINGS settings;
    MBSTACKUPENTRY board;
    board.layers = {defaultLayer(kSignal), defaultLayer(kSubstrate), defaultLayer(kSignal)};
    board.layers[0].dThickness = 17.25e-6;
    board.layers[1].dThickness = 1200e-6;
    board.layers[2].dThickness = 17.25e-6;
    settings.currentBoard = &board;
    LMUNIT tenths = metricUnit();
    tenths.nLengthDigits = 1;
    settings.units = {metricUnit(), tenths};

    settings.unitIndex = 1;
    EXPECT_EQ(totalThicknessText(settings), "1234.5 um");
    settings.unitIndex = 0; // whole micrometres; an exact half goes down
    EXPECT_EQ(totalThicknessText(settings), "1234 um");
    board.layers[1].dThickness = 0.1; // more digits than %.5g keeps
    EXPECT_EQ(totalThicknessText(settings), "1.0003e+05 um");

    settings.currentBoard = nullptr;
    EXPECT_EQ(totalThicknessText(settings), "");
}

TEST(PicturePaneState, CheckBoxesAndTheirEffects)
{
    LMEDITSETTINGS settings;
    settings.caps &= ~kCapLayerColors;
    settings.drawProportionally = false;
    ControlStates states = pictureBarStates(settings);
    EXPECT_EQ(findControlState(states, res::IDC_DRAW_PROPORTIONALLY)->checked, false);
    const ControlState* colors = findControlState(states, res::IDC_USE_LAYER_COLORS);
    EXPECT_FALSE(colors->enabled);
    EXPECT_EQ(colors->checked, false); // layerColors is on, but not offered

    EXPECT_EQ(pictureBarCheckChanged(settings, res::IDC_DRAW_PROPORTIONALLY, true), PictureChange::Relayout);
    EXPECT_TRUE(settings.drawProportionally);
    EXPECT_EQ(pictureBarCheckChanged(settings, res::IDC_USE_LAYER_COLORS, false), PictureChange::Redraw);
    EXPECT_FALSE(settings.layerColors);
    EXPECT_EQ(pictureBarCheckChanged(settings, res::IDC_STATUS_LINE, true), PictureChange::None);
}

} // namespace
} // namespace lm
