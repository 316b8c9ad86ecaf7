#include "RowTexts.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::GridFixture;
using test::layerOf;
using test::Texts;

TEST(LayerGridEditing, TypedTextIsCleanedAndRefusedWithTheMessageKeepingTheText)
{
    GridFixture f(test::fiveLayers());
    f.grid->flags() = {};
    const CellPos thickness = f.at(2, kColThickness);
    f.grid->beginEdit(thickness);
    // Keystroke by keystroke, as the editor reports them: a letter in a number is refused with one beep.
    f.grid->textTyped(thickness, "1", 1);
    const TypedText refused = f.grid->textTyped(thickness, "1a", 2);
    EXPECT_EQ(std::tuple(refused.changed, refused.text, refused.caret), std::tuple(true, std::string("1"), 1));
    EXPECT_EQ(f.platform.beeps, 1);
    EXPECT_FALSE(f.grid->textTyped(f.at(1, kColLayerName), "a b", 3).changed) << "names are not cleaned";

    // Too thin: the message, the text stays for mending, nothing is stored.
    f.grid->textTyped(thickness, "0.5", 3);
    EXPECT_FALSE(f.grid->finishEdit(thickness));
    const test::ShownMessage tooThin{"Invalid thickness value.\nLayer must be at least 1 um, i.e. 0.04 mils, thick.",
                                     MessageButtons::Ok, MessageIcon::Exclamation};
    EXPECT_EQ(f.platform.messages, std::vector{tooThin});
    EXPECT_EQ(f.text(2, kColThickness), "0.5");
    EXPECT_FALSE(f.grid->flags().rowsModified);

    f.grid->textTyped(thickness, "1", 1);
    EXPECT_TRUE(f.grid->finishEdit(thickness));
    EXPECT_TRUE(f.grid->flags().rowsModified && f.grid->flags().valuesChanged);
    f.grid->idleRefresh();
    EXPECT_DOUBLE_EQ(f.layer(1).dThickness, 1e-6);
    EXPECT_EQ(f.picturesUpdated, 1);

    // A non-numeric edit clears values-changed.
    EXPECT_TRUE(f.enter(1, kColLayerName, "Upper"));
    EXPECT_FALSE(f.grid->flags().valuesChanged);
    EXPECT_FALSE(f.enter(1, kColLayerName, "Up per"));
    EXPECT_EQ(f.platform.messages.back().text, "Blank characters are not allowed in layer name.");
}

TEST(LayerGridEditing, StoringKeepsPrecisionOfUnchangedRoundedValues)
{
    GridFixture f(test::fiveLayers()); // 34.29 um of copper shows as 34
    ASSERT_EQ(f.text(1, kColThickness), "34");
    f.grid->storeAllRows();
    EXPECT_DOUBLE_EQ(f.layer(0).dThickness, 3.429e-05);
    EXPECT_TRUE(f.grid->textStandsForStored(1, f.grid->colOf(kColThickness)));
    f.grid->cells().setText(1, f.grid->colOf(kColThickness), "34 ");
    EXPECT_FALSE(f.grid->textStandsForStored(1, f.grid->colOf(kColThickness))) << "unclean text is a change";

    // With automatic Er an edited metal row never takes an Er from the grid.
    f.layer(0).dEr = 3.9;
    ASSERT_TRUE(f.enter(1, kColThickness, "35"));
    f.grid->idleRefresh();
    EXPECT_DOUBLE_EQ(f.layer(0).dEr, 3.9);
    EXPECT_DOUBLE_EQ(f.layer(0).dThickness, 35e-6);
    EXPECT_EQ(f.text(1, kColEr), "<Auto>");
}

TEST(LayerGridEditing, UsagesOnlyAHostGivesSurviveAStore)
{
    std::vector<LMLAYEREX> layers = test::fiveLayers();
    layers[2].nUsage = kSplitPlane;
    layers[4].nUsage = kFloodedSignal;
    GridFixture f(layers);
    EXPECT_EQ(test::columnTexts(f, kColUsage),
              (Texts{"Signal", "Substrate", "Split/Mixed", "Substrate", "Flooded Signal"}));
    EXPECT_FALSE(isChoice(f.style(1, kColUsage), "Sig")) << "a choice is a whole line of the list";
    ASSERT_TRUE(f.enter(3, kColLayerName, "  Split  "));
    f.grid->commitIfModified();
    EXPECT_EQ(f.usages(), (std::vector<int32_t>{kSignal, kSubstrate, kSplitPlane, kSubstrate, kFloodedSignal}));
    EXPECT_EQ(layerName(f.layer(2)), "Split") << "blanks at both ends go";
}

// The plain dielectric of a rigid-flex board, with its catalogue values.
TEST(LayerGridEditing, TypeOfTheOnlyLayerBecomesThePlainDielectric)
{
    GridFixture f({layerOf(kSignal, "Only", rgb(255, 0, 0))}, kDefaultCaps | kCapRigidFlex);
    f.grid->choose(f.at(1, kColType), "Dielectric");
    EXPECT_EQ(std::pair(f.layer(0).nUsage, f.layer(0).dEr), std::pair(int32_t{kRigid}, 4.3));
    EXPECT_EQ(test::rowTexts(f, 1, {kColUsage, kColEr}), (Texts{"Rigid", "4.3"}));
    EXPECT_TRUE(f.notApplicable(1, kColColor) && f.grid->flags().valuesChanged);
}

TEST(LayerGridEditing, TypeChangesTakeTheMostSuitableUsageOfTheirKind)
{
    // A top dielectric made metal: the most suitable usage, Solder Mask, is no metal usage.
    GridFixture top({layerOf(kSolderMask), layerOf(kSignal, "Top", rgb(255, 0, 0)), layerOf(kSubstrate),
                     layerOf(kSignal, "Bottom", rgb(0, 255, 0))});
    top.grid->choose(top.at(1, kColType), "Metal");
    EXPECT_EQ(std::pair(top.layer(0).nType, top.layer(0).nUsage), std::pair(int32_t{kMetal}, int32_t{kSignal}));
    EXPECT_NE(top.layer(0).crColor, 0u);
    EXPECT_NE(top.layer(0).crColor, rgb(255, 0, 0));

    // A metal between dielectrics made dielectric keeps only its loss tangent.
    std::vector<LMLAYEREX> layers = test::fiveLayers();
    layers[2].dLossTangent = 0.02;
    layers[2].dThickness = 70e-6;
    GridFixture f(layers);
    f.grid->choose(f.at(3, kColType), "Dielectric");
    const LMLAYEREX& layer = f.layer(2);
    EXPECT_EQ(std::tuple(layer.nUsage, layer.dLossTangent, layerName(layer), layer.dThickness),
              std::tuple(int32_t{kSubstrate}, 0.02, std::string_view(""), 0.000254));

    // One undo step gives the plane back, in the layer and in the row.
    ASSERT_TRUE(f.grid->undo());
    EXPECT_FALSE(f.grid->history().canUndo());
    EXPECT_EQ(std::tuple(layer.nUsage, layerName(layer), layer.dThickness),
              std::tuple(int32_t{kSolidPlane}, std::string_view("GND"), 70e-6));
    EXPECT_EQ(test::rowTexts(f, 3, {kColType, kColLayerName}), (Texts{"Metal", "GND"}));
}

TEST(LayerGridEditing, InnerDielectricsOfARigidBoardAreSubstrate)
{
    std::vector<LMLAYEREX> layers = test::fiveLayers();
    layers[1] = layerOf(kSolderMask);
    layers[1].nTechnology = kNoTechnology;
    layers.insert(layers.begin(), layerOf(kSolderMask));
    GridFixture f(layers);
    // A reload only looks: the inner mask keeps its usage behind a read-only cell.
    EXPECT_FALSE(acceptsInput(f.style(3, kColUsage)));
    EXPECT_EQ(f.style(3, kColUsage).background, rgb(200, 218, 238));
    EXPECT_EQ(f.layer(2).nUsage, kSolderMask);
    EXPECT_TRUE(acceptsInput(f.style(1, kColUsage))) << "the outer mask stays a choice";
    EXPECT_FALSE(isChoice(f.style(2, kColUsage), "Plating")) << "no plating between a mask and a core";

    f.grid->choose(f.at(4, kColUsage), "Signal"); // any change runs the full pass
    EXPECT_EQ(std::pair(f.layer(2).nUsage, f.layer(2).nTechnology), std::pair(int32_t{kSubstrate}, int32_t{kPrepreg}));
    EXPECT_EQ(test::rowTexts(f, 3, {kColUsage, kColTechnology}), (Texts{"Substrate", "Prepreg"}));
    EXPECT_EQ(f.layer(0).nUsage, kSolderMask);
}

TEST(LayerGridEditing, PlatingWherePlatingCannotStandBecomesSignal)
{
    GridFixture f({layerOf(kSignal, "Layer_01", rgb(255, 0, 0)), layerOf(kPlating, "P"),
                   layerOf(kSignal, "Bottom", rgb(0, 255, 0))});
    EXPECT_EQ(f.layer(1).nUsage, kPlating) << "a reload changes no layer";
    f.grid->layerKindPass(false);
    EXPECT_EQ(std::tuple(f.layer(1).nUsage, layerName(f.layer(1)), f.layer(1).crColor),
              std::tuple(int32_t{kSignal}, std::string_view("Layer_02"), rgb(0, 0, 255)));
    EXPECT_EQ(f.text(2, kColLayerName), "Layer_02");
    EXPECT_FALSE(f.notApplicable(2, kColVisible));

    // Plating under the bottom signal stands, and so does plating on plating.
    GridFixture coated({layerOf(kSolderMask), layerOf(kSignal, "Top", rgb(255, 0, 0)), layerOf(kSubstrate),
                        layerOf(kSignal, "Bot", rgb(0, 255, 0)), layerOf(kPlating, "P1"), layerOf(kPlating, "P2")});
    coated.grid->layerKindPass(false);
    EXPECT_EQ(coated.usages(), (std::vector<int32_t>{kSolderMask, kSignal, kSubstrate, kSignal, kPlating, kPlating}));
}

TEST(LayerGridEditing, MetalChoiceCheckBoxAndColourButtonEachMakeOneStep)
{
    GridFixture f(test::fiveLayers());
    f.grid->choose(f.at(1, kColMetal), "Gold");
    EXPECT_EQ(f.text(1, kColBulkR), "2.439e-08");
    EXPECT_FALSE(acceptsInput(f.style(1, kColBulkR)));
    f.grid->choose(f.at(1, kColMetal), "<Custom>");
    EXPECT_EQ(f.text(1, kColBulkR), "2.439e-08") << "a custom metal keeps what its cells show";
    EXPECT_TRUE(acceptsInput(f.style(1, kColBulkR)));
    f.grid->idleRefresh();
    EXPECT_EQ(std::pair(f.layer(0).nMetal, f.layer(0).dBulkResistivity), std::pair(int32_t{kCustomMetal}, 2.439e-08));

    f.grid->flags() = {};
    f.grid->cellButtonClicked(f.at(1, kColVisible));
    EXPECT_EQ(std::pair(f.text(1, kColVisible), int{f.layer(0).bVisible}), std::pair(std::string("0"), 0))
        << "the row is read back at once";
    EXPECT_TRUE(f.grid->flags().rowsModified);

    f.platform.colourAnswers = {std::nullopt, rgb(10, 20, 30)};
    f.grid->cellButtonClicked(f.at(1, kColColor));
    EXPECT_EQ(f.style(1, kColColor).background, rgb(255, 0, 0)) << "cancelled";
    f.grid->cellButtonClicked(f.at(1, kColColor));
    EXPECT_EQ(f.platform.coloursOffered, (std::vector<uint32_t>{rgb(255, 0, 0), rgb(255, 0, 0)}));
    f.grid->idleRefresh();
    EXPECT_EQ(f.style(1, kColColor).background, rgb(10, 20, 30));
    EXPECT_EQ(f.layer(0).crColor, rgb(10, 20, 30));
    EXPECT_EQ(f.grid->history().undoDepth(), 4u);
}

} // namespace
} // namespace lm
