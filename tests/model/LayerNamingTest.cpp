#include "model/Catalogues.h"

#include <gtest/gtest.h>

#include <limits>
#include <cstring>
#include <string>
#include <vector>

using namespace lm;

namespace {
std::vector<LMLAYEREX> layersNamed(std::initializer_list<const char*> names)
{
    std::vector<LMLAYEREX> layers;
    for (const char* name : names) {
        LMLAYEREX& layer = layers.emplace_back();
        setLayerName(layer, name);
    }
    return layers;
}

std::vector<LMLAYEREX> layersColoured(std::vector<uint32_t> colours)
{
    std::vector<LMLAYEREX> layers(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i)
        layers[i].crColor = colours[i];
    return layers;
}
} // namespace

TEST(LayerNaming, FirstFreeAutomaticNameFillsGaps)
{
    EXPECT_EQ(firstFreeAutomaticName(layersNamed({"Layer_01", "Layer_03"})), "Layer_02");
    EXPECT_EQ(firstFreeAutomaticName(layersNamed({"layer_01", "Layer_1"})), "Layer_01");
}

TEST(LayerNaming, UniqueNameAddsTheFirstFreeSuffixAndDisplayNameShowsUnnamed)
{
    EXPECT_EQ(uniqueName(layersNamed({"Top", "Top"}), 1), "Top_1");
    EXPECT_EQ(uniqueName(layersNamed({"Top", "Top_1", "Top"}), 0), "Top_2");
    EXPECT_EQ(uniqueName(layersNamed({"Top", "top"}), 0), "Top");
    EXPECT_EQ(uniqueName(layersNamed({"Layer_01", ""}), 1), "Layer_02");
    EXPECT_THROW(uniqueName(layersNamed({"Top"}), 1), LMInvalidArgument);

    // A host's unterminated name is read up to the end of its field only.
    std::vector<LMLAYEREX> unterminated(2);
    for (LMLAYEREX& layer : unterminated)
        std::memset(layer.szName, 'x', sizeof(layer.szName));
    EXPECT_EQ(uniqueName(unterminated, 1), std::string(sizeof(LMLAYEREX::szName), 'x') + "_1");
    EXPECT_EQ(displayName(layersNamed({""})[0]), "<Unnamed>");
    // Written names are cut to leave the terminator.
    setLayerName(unterminated[0], std::string(100, 'a'));
    EXPECT_EQ(layerName(unterminated[0]), std::string(kMaxNameBytes, 'a'));
}

TEST(LayerNaming, UniqueColourKeepsAnUnsharedColourElseWalksTheCandidates)
{
    EXPECT_EQ(uniqueColor(layersColoured({rgb(1, 2, 3), 0}), 0), rgb(1, 2, 3));
    EXPECT_EQ(uniqueColor(layersColoured({rgb(255, 0, 0), rgb(255, 0, 0)}), 1), rgb(0, 255, 0));
    EXPECT_THROW(uniqueColor(layersColoured({0}), 1), LMInvalidArgument);

    // Black itself counts as taken.
    EXPECT_EQ(uniqueColor(layersColoured({0, 0}), 0), rgb(255, 0, 0));
}

namespace {
int32_t identified(double resistivity, double tempCoef, int32_t type = kMetal, int32_t metal = kNoMetal)
{
    LMLAYEREX layer{};
    layer.nType = type;
    layer.nMetal = metal;
    layer.dBulkResistivity = resistivity;
    layer.dTempCoef = tempCoef;
    identifyMetal(layer);
    return layer.nMetal;
}
} // namespace

TEST(MetalIdentification, MatchesWithinOneMillionthOfTheSmallerValueAndOnlyUnknownMetals)
{
    // Within a millionth of copper; both values must match; just under copper by 0.9999995e-6 of copper is
    // within a millionth of the larger value but not of the smaller one, which is what counts. A zero or NaN
    // never divides or matches a real metal; only unknown metals are identified.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ((std::vector<int32_t>{identified(1.7240001e-08, 0.00393), identified(1.724e-08, 0.0038),
                                    identified(1.621e-08, 0.004), identified(1.724e-08 * (1 - 0.9999995e-6), 0.00393),
                                    identified(0.0, 0.0), identified(nan, 0.00393),
                                    identified(1.724e-08, 0.00393, kDielectric),
                                    identified(1.724e-08, 0.00393, kMetal, kGold)}),
              (std::vector<int32_t>{kCopper, kCustomMetal, kSilver, kCustomMetal, kCustomMetal, kCustomMetal,
                                    kNoMetal, kGold}));
}

TEST(Catalogues, ChoiceListsLeaveOutExcludedRowsButNeverTheFirst)
{
    const int32_t signalAndPlating[] = {kSignal, kPlating};
    EXPECT_EQ(choiceList(ChoiceList::MetalUsages, signalAndPlating), "Signal\nPlane");
}
