#pragma once
// A layer grid over one board of an editor instance, with the headless
// platform; shared by the grid's presentation and editing tests.
#include "HeadlessPlatform.h"
#include "api/EditorInstance.h"
#include "grid/LayerGrid.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "model/Units.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace lm::test {

inline LMLAYEREX layerOf(int32_t usage, const char* name = "", uint32_t colour = 0)
{
    LMLAYEREX layer = defaultLayer(usage);
    setLayerName(layer, name);
    layer.crColor = colour;
    return layer;
}

// Top, Core, GND, Core, Bottom.
inline std::vector<LMLAYEREX> fiveLayers()
{
    return {layerOf(kSignal, "Top", rgb(255, 0, 0)), layerOf(kSubstrate), layerOf(kSolidPlane, "GND", rgb(0, 0, 255)),
            layerOf(kSubstrate), layerOf(kSignal, "Bottom", rgb(0, 255, 0))};
}

struct GridFixture {
    HeadlessPlatform platform;
    EditorInstance instance;
    std::unique_ptr<LayerGrid> grid;
    int picturesUpdated = 0;

    explicit GridFixture(const std::vector<LMLAYEREX>& layers, uint32_t caps = kDefaultCaps,
                         std::vector<LMDRILLPAIR> pairs = {})
    {
        instance.setCaps(~0u, caps);
        const LMLAYEREX none{};
        EXPECT_TRUE(instance.addStackup(1, "board", layers.empty() ? &none : layers.data(),
                                        static_cast<int32_t>(layers.size())));
        if (!pairs.empty())
            instance.addDrillPairs(1, pairs.data(), static_cast<int32_t>(pairs.size()));
        instance.showBoard(0);
        grid = std::make_unique<LayerGrid>(instance.settings(), platform);
        grid->setHooks({.updatePicture = [this] { ++picturesUpdated; }});
        grid->setup(8, 16);
        grid->reload();
    }

    CellPos at(int32_t row, int32_t columnId) const { return {row, grid->colOf(columnId)}; }
    const std::string& text(int32_t row, int32_t columnId) const { return grid->cells().text(row, grid->colOf(columnId)); }
    const CellStyle& style(int32_t row, int32_t columnId) const { return grid->cells().style(row, grid->colOf(columnId)); }
    bool notApplicable(int32_t row, int32_t columnId) const { return style(row, columnId).control == CellControl::Static; }
    MBSTACKUPENTRY& board() { return *instance.settings().currentBoard; }
    LMLAYEREX& layer(std::size_t index) { return board().layers.at(index); }
    // One field of every layer, top first.
    template <typename Field>
    auto each(Field field)
    {
        std::vector<decltype(field(LMLAYEREX{}))> out;
        for (const LMLAYEREX& record : board().layers)
            out.push_back(field(record));
        return out;
    }
    std::vector<std::string> names() { return each([](const LMLAYEREX& r) { return std::string(layerName(r)); }); }
    std::vector<int32_t> usages() { return each([](const LMLAYEREX& r) { return r.nUsage; }); }
    void setCurrent(int32_t row, int32_t columnId = kColLayerName) { grid->cells().setCurrent(at(row, columnId)); }
    void select(std::initializer_list<int32_t> rows)
    {
        for (int32_t row : rows)
            grid->cells().selectRow(row);
    }
    bool enabled(uint32_t id)
    {
        CommandUiState state;
        CommandUi ui(id, state);
        EXPECT_TRUE(grid->updateCommand(ui));
        return state.enabled;
    }

    // Offers a second unit, mils with two digits, as unit 1 (not yet current).
    void addMilsUnit()
    {
        LMUNIT mils = metricUnit();
        std::strcpy(mils.szLengthUnit, "mils");
        mils.dLengthFactor = 1e6 / 25.4;
        mils.nLengthDigits = 2;
        instance.settings().units.push_back(mils);
    }

    // Typing a whole text into an edit cell and leaving it.
    bool enter(int32_t row, int32_t columnId, std::string_view typed)
    {
        grid->beginEdit(at(row, columnId));
        grid->textTyped(at(row, columnId), typed, static_cast<int32_t>(typed.size()));
        return grid->finishEdit(at(row, columnId));
    }
};

} // namespace lm::test
