#include "ui/PropertyBarLayout.h"
#include "ui/PropertyBarState.h"

#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include "ui/PicturePaneState.h"
#include "document/Board.h"
#include "model/Catalogues.h"
#include "model/BuiltInRulesCheck.h"

using namespace lm::res;

namespace {
const lm::ControlState& stateOf(const lm::ControlStates& states, uint32_t id)
{
    const lm::ControlState* state = lm::findControlState(states, id);
    return state ? *state : throw std::runtime_error("no state for control " + std::to_string(id));
}
} // namespace

TEST(PropertyBar, BaseUnitsAndControlRectangles)
{
    // Half a letter of the alphabet's average, rounded up: 312 / 26 = 12 -> 6, 363 / 26 = 13 -> 7.
    EXPECT_EQ(lm::averageCharWidth([](std::string_view) { return 312; }), 6);
    const lm::BaseUnits units = lm::measureBaseUnits([](std::string_view) { return 363; }, 13);
    EXPECT_EQ(units.charWidth, 7);

    // Picture bar: 48 units high -> 78 pixels at the bottom of a 400 x 300 pane.
    const lm::PaneLayout layout = lm::layoutPane(lm::propertyBarTemplate(IDD_PICTURE_BAR), {400, 300}, units);
    EXPECT_EQ(layout.bar, (lm::Rect{0, 222, 400, 300}));
    EXPECT_EQ(layout.view, (lm::Rect{0, 0, 400, 221}));
    const auto status = std::find_if(layout.controls.begin(), layout.controls.end(),
                                     [](const lm::PlacedControl& c) { return c.item->id == IDC_STATUS_LINE; });
    ASSERT_NE(status, layout.controls.end());
    EXPECT_EQ(status->rect, (lm::Rect{12, 269, 302, 296})); // (7, 29, 166, 17): 49/4, +377/8, 173*7/4, +598/8

    EXPECT_EQ(lm::layoutPane(lm::propertyBarTemplate(IDD_BAR_Z0_PLANNING), {400, 300}, units).groupBoxes.size(), 1u);
    // A tab the host added has no property bar: the view takes the pane but the line.
    EXPECT_EQ(lm::layoutPane(lm::propertyBarTemplate(0), {400, 300}, units).view, (lm::Rect{0, 0, 400, 299}));
}

TEST(PropertyBar, PlanningControlsFollowTheDiffPairCapability)
{
    lm::LMEDITSETTINGS settings;
    settings.z0DiffPair = true; // stored, but the host does not offer it
    settings.z0Strategy = 2;
    const auto& bar = lm::propertyBarTemplate(IDD_BAR_Z0_PLANNING);

    auto states = lm::gridBarStates(bar, settings, '.');
    EXPECT_FALSE(stateOf(states, IDC_PLAN_FOR).enabled);
    EXPECT_EQ(stateOf(states, IDC_PLAN_FOR).selection, 0);
    EXPECT_FALSE(stateOf(states, IDC_STRATEGY).enabled);
    EXPECT_EQ(stateOf(states, IDC_STRATEGY).selection, 1);
    EXPECT_TRUE(stateOf(states, IDC_APPLY_AS_TEST_WIDTH).enabled);
    EXPECT_EQ(lm::findControlState(states, IDC_UNITS), nullptr); // not on this bar

    settings.caps |= lm::kCapDiffPairPlanning;
    states = lm::gridBarStates(bar, settings, '.');
    EXPECT_TRUE(stateOf(states, IDC_PLAN_FOR).enabled);
    EXPECT_EQ(stateOf(states, IDC_STRATEGY).selection, 2);
    EXPECT_FALSE(stateOf(states, IDC_APPLY_AS_TEST_WIDTH).enabled);

    // Back to a single trace: "Solve for width", disabled, and Apply is offered again.
    auto effect = lm::gridBarSelectionChanged(settings, IDC_PLAN_FOR, 0);
    EXPECT_FALSE(settings.z0DiffPair);
    EXPECT_TRUE(effect.planningChanged);
    EXPECT_EQ(stateOf(effect.controls, IDC_STRATEGY).selection, 1);
    EXPECT_TRUE(stateOf(effect.controls, IDC_APPLY_AS_TEST_WIDTH).enabled);
    effect = lm::gridBarSelectionChanged(settings, IDC_PLAN_FOR, 1);
    EXPECT_EQ(stateOf(effect.controls, IDC_STRATEGY).selection, 2); // the stored strategy comes back
}

TEST(PropertyBar, UnitsThicknessErFrequencyAndAutoEr)
{
    lm::LMEDITSETTINGS settings;
    LMUNIT english = lm::metricUnit();
    std::memcpy(english.szName, "English", 8);
    settings.units.push_back(english);
    settings.unitIndex = 1;
    settings.erFrequency = 1234567.0;
    const auto& all = lm::propertyBarTemplate(IDD_GRID_BAR_ALL);

    auto states = lm::gridBarStates(all, settings, ',');
    EXPECT_EQ(*stateOf(states, IDC_UNITS).items, (std::vector<std::string>{"Metric", "English"}));
    EXPECT_EQ(stateOf(states, IDC_UNITS).selection, 1);
    EXPECT_TRUE(stateOf(states, IDC_METAL_THICKNESS_AS).shown); // 0x100 is a default capability
    EXPECT_EQ(stateOf(states, IDC_AUTO_ER).checked, true);

    settings.caps = (settings.caps & ~lm::kCapMetalThicknessAs) | lm::kCapErFrequency;
    states = lm::gridBarStates(all, settings, ',');
    EXPECT_FALSE(stateOf(states, IDC_METAL_THICKNESS_AS_LABEL).shown);
    EXPECT_TRUE(stateOf(states, IDC_MHZ_LABEL).shown);
    EXPECT_EQ(stateOf(states, IDC_ER_FREQUENCY).text, "1,2346"); // "%.5g" of MHz, the user's separator

    EXPECT_TRUE(lm::gridBarSelectionChanged(settings, IDC_UNITS, 0).reshowValues);
    EXPECT_FALSE(lm::gridBarSelectionChanged(settings, IDC_UNITS, 2).reshowValues); // no such unit
    EXPECT_EQ(settings.unitIndex, 0);
    EXPECT_TRUE(lm::gridBarSelectionChanged(settings, IDC_METAL_THICKNESS_AS, 1).reshowValues);
    EXPECT_EQ(settings.metalThicknessAs, lm::kThicknessAsWeight);
    EXPECT_TRUE(lm::gridBarCheckChanged(settings, IDC_AUTO_ER, false).refreshGrid);
    EXPECT_FALSE(settings.autoEr);
}

// Reaching the settings and the layers is proved through the pane's field.
TEST(PropertyBar, ErFrequencyTextIsCleaned)
{
    // Blanks trimmed first; only the first separator of the locale stays; one beep for many refusals.
    auto cleaned = lm::cleanErFrequencyText(" \t1,5.2,x9 ", ',');
    EXPECT_EQ(cleaned.text, "1,529");
    EXPECT_EQ(cleaned.caret, 3u);
    EXPECT_EQ(cleaned.beeps, 1);
    cleaned = lm::cleanErFrequencyText(" 12 ", '.');
    EXPECT_EQ(std::pair(cleaned.changed, cleaned.beeps), std::pair(true, 0));
    EXPECT_FALSE(lm::cleanErFrequencyText("2.5", '.').changed);
}

namespace lm {
namespace {

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
