#include "ui/PropertyBarLayout.h"
#include "ui/PropertyBarState.h"

#include "document/Board.h"
#include "model/BuiltInRulesCheck.h"
#include "model/Catalogues.h"
#include "res/CommandIds.h"
#include "ui/PicturePaneState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <utility>

using namespace lm::res;
using Texts = std::vector<std::string>;

TEST(PropertyBar, UnitsThicknessErFrequencyAndAutoEr)
{
    lm::LMEDITSETTINGS settings;
    LMUNIT english = lm::metricUnit();
    std::memcpy(english.szName, "English", 8);
    settings.units.push_back(english);
    settings.unitIndex = 1;
    settings.erFrequency = 1234567.0;
    const auto state = [&](uint32_t id) {
        return *lm::findControlState(lm::gridBarStates(lm::propertyBarTemplate(IDD_GRID_BAR_ALL), settings, ','), id);
    };
    const lm::ControlState units = state(IDC_UNITS);
    EXPECT_EQ(std::tuple(*units.items, *units.selection), std::tuple(Texts{"Metric", "English"}, 1));
    EXPECT_EQ(std::tuple(state(IDC_METAL_THICKNESS_AS_LABEL).shown, state(IDC_ER_FREQUENCY).shown,
                         *state(IDC_AUTO_ER).checked),
              std::tuple(true, false, true));
    settings.caps = (settings.caps & ~lm::kCapMetalThicknessAs) | lm::kCapErFrequency;
    // "%.5g" of MHz, the user's separator.
    EXPECT_EQ(std::tuple(state(IDC_METAL_THICKNESS_AS_LABEL).shown, state(IDC_ER_FREQUENCY).shown,
                         *state(IDC_ER_FREQUENCY).text),
              std::tuple(false, true, "1,2346"));

    EXPECT_TRUE(lm::gridBarSelectionChanged(settings, IDC_UNITS, 0).reshowValues);
    EXPECT_FALSE(lm::gridBarSelectionChanged(settings, IDC_UNITS, 2).reshowValues); // no such unit
    EXPECT_EQ(settings.unitIndex, 0);
    EXPECT_TRUE(lm::gridBarSelectionChanged(settings, IDC_METAL_THICKNESS_AS, 1).reshowValues);
    EXPECT_EQ(settings.metalThicknessAs, lm::kThicknessAsWeight);
    EXPECT_TRUE(lm::gridBarCheckChanged(settings, IDC_AUTO_ER, false).refreshGrid);
    EXPECT_FALSE(settings.autoEr);
}

namespace lm {
namespace {

TEST(PicturePaneState, StatusLineAndTotalThicknessOfTheBoardShown)
{
    LMEDITSETTINGS settings;
    MBSTACKUPENTRY board;
    board.layers = {defaultLayer(kSignal), defaultLayer(kSubstrate), defaultLayer(kSignal)};
    board.layers[0].dThickness = board.layers[2].dThickness = 17.25e-6;
    board.layers[1].dThickness = 1200e-6;
    settings.units = {metricUnit()};
    EXPECT_EQ(checkStatusLine(settings).text + totalThicknessText(settings), ""); // no board
    settings.currentBoard = &board;
    EXPECT_EQ(totalThicknessText(settings), "1234 um") << "whole micrometres; an exact half goes down";

    CDefDRC drc;
    settings.drc = &drc;
    board.layers.resize(1);
    const StatusLine single = checkStatusLine(settings); // one layer is not a stackup
    EXPECT_EQ(std::pair(single.severity, single.colour), std::pair(int32_t{DRC_CRITICAL}, rgb(255, 0, 0)));
    EXPECT_FALSE(single.text.empty());
}

} // namespace
} // namespace lm
