#include "grid/LayerTextTable.h"

#include "model/Catalogues.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lm {
namespace {

LMLAYEREX layerOf(int32_t usage)
{
    LMLAYEREX layer = defaultLayer(usage);
    setLayerName(layer, "L");
    return layer;
}

std::string textOf(const LMLAYEREX& layer, int32_t columnId, const LMEDITSETTINGS& settings)
{
    return layerCell(layer, columnId, settings, '.').text;
}

TEST(LayerTextTable, ThicknessShowsAsWeightOnlyForMetalLayers)
{
    LMEDITSETTINGS settings;
    LMUNIT ounce = metricUnit();
    ounce.dWeightFactor = 1.0 / 28.349523125;
    settings.units = {ounce};
    settings.metalThicknessAs = kThicknessAsWeight;

    LMLAYEREX signal = layerOf(kSignal);
    signal.dThickness = 3.429e-05; // one ounce of copper
    LMLAYEREX substrate = layerOf(kSubstrate);
    substrate.dThickness = 100e-6;
    EXPECT_EQ(textOf(signal, kColThickness, settings), "1");
    EXPECT_EQ(textOf(substrate, kColThickness, settings), "100");
    EXPECT_EQ(columnHeaderText(kColThickness, settings), "Thickness\num, gram");

    settings.metalThicknessAs = kThicknessAsLength;
    EXPECT_EQ(textOf(signal, kColThickness, settings), "34");
    EXPECT_EQ(columnHeaderText(kColThickness, settings), "Thickness\num");
    EXPECT_EQ(columnHeaderText(kColLayerName, settings), "Layer Name");
}

TEST(LayerTextTable, NamesAndUsagesTheCatalogueLacks)
{
    const LMEDITSETTINGS settings;
    LMLAYEREX layer = layerOf(kSignal);
    setLayerName(layer, "");
    const LayerCell name = layerCell(layer, kColLayerName, settings, '.');
    EXPECT_EQ(name.text, "");
    EXPECT_TRUE(name.alignLeft);

    // A host's name filling the whole field without terminator is read up to the field's end.
    std::memset(layer.szName, 'x', sizeof(layer.szName));
    EXPECT_EQ(textOf(layer, kColLayerName, settings).size(), sizeof(layer.szName));

    layer.nUsage = kSplitPlane;
    EXPECT_EQ(textOf(layer, kColUsage, settings), "Split/Mixed");
    layer.nUsage = kFloodedSignal;
    EXPECT_EQ(textOf(layer, kColUsage, settings), "Flooded Signal");
    layer.nType = 7; // neither metal nor dielectric
    EXPECT_EQ(layerCell(layer, kColUsage, settings, '.').look, CellLook::NotApplicable);
}

TEST(LayerTextTable, MetalDependentAndLockedCells)
{
    LMEDITSETTINGS settings; // automatic Er on
    LMLAYEREX copper = layerOf(kSignal);
    copper.dBulkResistivity = 5.0; // the catalogue metal's own values win
    const LayerCell bulk = layerCell(copper, kColBulkR, settings, ',');
    EXPECT_EQ(bulk.text, "1,724e-08");
    EXPECT_EQ(bulk.look, CellLook::Result);
    EXPECT_EQ(layerCell(copper, kColEr, settings, '.').text, "<Auto>");
    EXPECT_EQ(layerCell(copper, kColEr, settings, '.').look, CellLook::Locked);

    copper.nMetal = kCustomMetal;
    EXPECT_EQ(layerCell(copper, kColBulkR, settings, '.').text, "5");
    EXPECT_EQ(layerCell(copper, kColBulkR, settings, '.').look, CellLook::Plain);

    LMLAYEREX substrate = layerOf(kSubstrate);
    substrate.dEr = 4.3;
    EXPECT_EQ(textOf(substrate, kColEr, settings), "4.3");
    // Visible applies to dielectrics, yet only metal layers carry the check box.
    EXPECT_EQ(layerCell(substrate, kColVisible, settings, '.').look, CellLook::NotApplicable);
    EXPECT_EQ(layerCell(substrate, kColColor, settings, '.').look, CellLook::NotApplicable);

    copper.bPermanent = 1;
    EXPECT_EQ(layerCell(copper, kColType, settings, '.').look, CellLook::Locked);
    EXPECT_EQ(layerCell(copper, kColUsage, settings, '.').look, CellLook::Plain);

    // Read-only columns: Er locks, the planning columns stay.
    settings.autoEr = false;
    settings.caps |= kCapReadOnly;
    EXPECT_EQ(layerCell(substrate, kColEr, settings, '.').look, CellLook::Locked);
    EXPECT_EQ(layerCell(copper, kColTestWidth, settings, '.').look, CellLook::Plain);
}

TEST(LayerTextTable, PlanningDecidesWidthGapAndCurve)
{
    LMEDITSETTINGS settings;
    const LMLAYEREX signal = layerOf(kSignal);
    EXPECT_EQ(layerCell(signal, kColWidth, settings, '.').look, CellLook::Result);
    EXPECT_EQ(layerCell(signal, kColGap, settings, '.').look, CellLook::NotApplicable);
    EXPECT_EQ(columnHeaderText(kColTargetZ0, settings), "Target Z0\nohm");

    settings.caps |= kCapDiffPairPlanning;
    settings.z0DiffPair = true;
    settings.z0Strategy = 0; // solve for separation
    EXPECT_EQ(layerCell(signal, kColWidth, settings, '.').look, CellLook::Plain);
    EXPECT_EQ(layerCell(signal, kColGap, settings, '.').look, CellLook::Result);
    EXPECT_EQ(columnHeaderText(kColTargetZ0, settings), "Diff Z0\nohm");

    settings.z0Strategy = 2; // solve for both
    EXPECT_EQ(layerCell(signal, kColWidth, settings, '.').look, CellLook::NotApplicable);
    EXPECT_EQ(layerCell(signal, kColZ0Curve, settings, '.').text, "View...");
}

TEST(LayerTextTable, RowHeadersAndColumnOrder)
{
    EXPECT_EQ(rowHeaderText(1), "1");
    EXPECT_EQ(rowHeaderText(4294967295u), "4294967295");
    // Technology sits between Usage and Thickness.
    EXPECT_EQ(gridColumnOf(kColTechnology), 6);
    EXPECT_EQ(gridColumnOf(kColThickness), 7);
    EXPECT_EQ(gridColumnOf(kColLossCurve), 19);
    EXPECT_EQ(gridColumnOf(20), -1);
}

} // namespace
} // namespace lm
