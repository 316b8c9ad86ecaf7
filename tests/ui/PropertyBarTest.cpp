#include "ui/PropertyBarLayout.h"
#include "ui/PropertyBarState.h"

#include "document/Board.h"
#include "model/BuiltInRulesCheck.h"
#include "model/Catalogues.h"
#include "res/CommandIds.h"
#include "ui/PicturePaneState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <utility>

using namespace lm::res;
using Texts = std::vector<std::string>;

namespace {

// The states of those controls in a line each: "on", "off", "hidden", then " x" / " -" for a
// check box, " #n" for a list's selection and the text of an edit field; "none" when not listed.
Texts described(const lm::ControlStates& states, std::initializer_list<uint32_t> ids)
{
    Texts out;
    for (const uint32_t id : ids) {
        const lm::ControlState* s = lm::findControlState(states, id);
        if (!s) {
            out.push_back("none");
            continue;
        }
        std::string line = !s->shown ? "hidden" : s->enabled ? "on" : "off";
        if (s->checked)
            line += *s->checked ? " x" : " -";
        if (s->selection)
            line += " #" + std::to_string(*s->selection);
        if (s->text)
            line += " " + *s->text;
        out.push_back(line);
    }
    return out;
}

} // namespace

TEST(PropertyBar, UnitsThicknessErFrequencyAndAutoEr)
{
    lm::LMEDITSETTINGS settings;
    LMUNIT english = lm::metricUnit();
    std::memcpy(english.szName, "English", 8);
    settings.units.push_back(english);
    settings.unitIndex = 1;
    settings.erFrequency = 1234567.0;
    const auto& all = lm::propertyBarTemplate(IDD_GRID_BAR_ALL);
    const std::initializer_list<uint32_t> controls = {IDC_UNITS, IDC_METAL_THICKNESS_AS_LABEL, IDC_MHZ_LABEL,
                                                      IDC_ER_FREQUENCY, IDC_AUTO_ER};

    auto states = lm::gridBarStates(all, settings, ',');
    EXPECT_EQ(*lm::findControlState(states, IDC_UNITS)->items, (Texts{"Metric", "English"}));
    EXPECT_EQ(described(states, controls), (Texts{"on #1", "on", "hidden", "hidden 1,2346", "on x"}));
    settings.caps = (settings.caps & ~lm::kCapMetalThicknessAs) | lm::kCapErFrequency;
    // "%.5g" of MHz, the user's separator.
    EXPECT_EQ(described(lm::gridBarStates(all, settings, ','), controls),
              (Texts{"on #1", "hidden", "on", "on 1,2346", "on x"}));

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
    LMUNIT tenths = metricUnit();
    tenths.nLengthDigits = 1;
    settings.units = {metricUnit(), tenths};
    EXPECT_EQ(checkStatusLine(settings).text + totalThicknessText(settings), ""); // no board
    settings.currentBoard = &board;
    EXPECT_EQ(checkStatusLine(settings).text, ""); // no checker

    settings.unitIndex = 1;
    EXPECT_EQ(totalThicknessText(settings), "1234.5 um");
    settings.unitIndex = 0; // whole micrometres; an exact half goes down
    EXPECT_EQ(totalThicknessText(settings), "1234 um");
    board.layers[1].dThickness = 0.1; // more digits than %.5g keeps
    EXPECT_EQ(totalThicknessText(settings), "1.0003e+05 um");

    CDefDRC drc;
    settings.drc = &drc;
    board.layers.resize(1);
    const StatusLine single = checkStatusLine(settings); // one layer is not a stackup
    EXPECT_EQ(std::pair(single.severity, single.colour), std::pair(int32_t{DRC_CRITICAL}, rgb(255, 0, 0)));
    EXPECT_FALSE(single.text.empty());
}

} // namespace
} // namespace lm
