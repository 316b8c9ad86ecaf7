// Copy, Cut and Paste of the layer grid with the headless clipboard: rows
// between places and boards, the text other programs read, and text in cells.
#include "RowTexts.h"

#include "grid/LayerRowsBlock.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using namespace res;
using test::expectNames;
using test::GridFixture;
using test::layerOf;
using Names = std::vector<std::string>;

// Top, Core, GND, Core, Bottom and two more below, so that rows 4 to 6 have a neighbour underneath.
std::vector<LMLAYEREX> sevenLayers()
{
    std::vector<LMLAYEREX> layers = test::fiveLayers();
    layers.push_back(layerOf(kSubstrate, "Prepreg"));
    layers.push_back(layerOf(kSignal, "Back", rgb(255, 255, 0)));
    for (std::size_t i = 0; i < layers.size(); ++i)
        layers[i].nId = 100 + static_cast<int32_t>(i);
    return layers;
}

// The line edit of the view, as the clipboard commands see it.
struct FakeEditBox {
    EditBoxText box;
    std::vector<std::pair<std::string, int32_t>> shown;

    void attach(LayerGrid& grid, CellPos pos, std::string text, int32_t start, int32_t end)
    {
        box = {std::move(text), start, end};
        grid.beginEdit(pos);
        grid.setEditorOpen(true);
        grid.clipboard().setEditBoxView({[this] { return std::optional<EditBoxText>(box); },
                                         [this](const std::string& t, int32_t caret) {
                                             shown.emplace_back(t, caret);
                                             box = {t, caret, caret};
                                         }});
    }
};

TEST(LayerGridClipboard, PastedRowsGoBeforeTheCurrentRowAsNewLayers)
{
    GridFixture f(sevenLayers());
    f.layer(0).bPermanent = 1;
    f.select({1, 2, 3});
    ASSERT_TRUE(f.grid->onCommand(ID_EDIT_COPY));
    f.grid->clearSelection();
    f.setCurrent(5);
    ASSERT_TRUE(f.enabled(ID_EDIT_PASTE));
    ASSERT_TRUE(f.grid->onCommand(ID_EDIT_PASTE));

    // Before the old row 5, in clipboard order; metals renamed while their originals are present.
    expectNames(f, {"Top", "", "GND", "", "Top_1", "", "GND_1", "Bottom", "Prepreg", "Back"});
    for (std::size_t i = 4; i < 7; ++i)
        EXPECT_EQ(std::pair(f.layer(i).nId, int{f.layer(i).bPermanent}), std::pair(0, 0)) << "row " << i + 1;
    EXPECT_NE(f.layer(4).crColor, f.layer(0).crColor);
    EXPECT_EQ(f.layer(5).crColor, f.layer(1).crColor) << "a dielectric keeps its colour";
    EXPECT_TRUE(f.grid->flags().rowsModified && f.grid->flags().valuesChanged);

    // The current cell stays on its layer: a second paste goes in after the first, with the next free suffix.
    ASSERT_TRUE(f.grid->clipboard().paste());
    EXPECT_EQ(f.names()[7], "Top_2");
    ASSERT_TRUE(f.grid->undo());
    ASSERT_TRUE(f.grid->undo());
    EXPECT_FALSE(f.grid->history().canUndo()) << "one undo step per paste";
    expectNames(f, {"Top", "", "GND", "", "Bottom", "Prepreg", "Back"});
    EXPECT_EQ(f.layer(0).nId, 100);
}

TEST(LayerGridClipboard, PasteOverASelectionReplacesItUnlessALayerIsPermanent)
{
    GridFixture f(sevenLayers());
    f.select({1});
    ASSERT_TRUE(f.grid->clipboard().copy());

    f.layer(4).bPermanent = 1;
    f.grid->clearSelection();
    f.setCurrent(2);
    f.select({4, 5, 6});
    EXPECT_FALSE(f.grid->clipboard().paste());
    EXPECT_EQ(f.platform.messages.back().text, "Layer #5 is permanent and can't be deleted.");
    EXPECT_EQ(f.names().size(), 7u);
    EXPECT_FALSE(f.grid->history().canUndo()) << "the refused paste leaves no undo step";

    f.layer(4).bPermanent = 0;
    ASSERT_TRUE(f.grid->clipboard().paste());
    expectNames(f, {"Top", "", "GND", "Top_1", "Back"});
    ASSERT_TRUE(f.grid->undo());
    EXPECT_EQ(f.names().size(), 7u);
    EXPECT_FALSE(f.grid->history().canUndo()) << "delete and insert are one step";
}

TEST(LayerGridClipboard, PastedLayersTakeTheDrillPairsOfTheirNewPlace)
{
    // Pair 0 runs through layers 1-3, pair 1 through 3-5.
    std::vector<LMLAYEREX> layers = test::fiveLayers();
    for (std::size_t i = 0; i < layers.size(); ++i)
        layers[i].nId = static_cast<int32_t>(i) + 1;
    GridFixture f(layers, kDefaultCaps, {{1, 3}, {3, 5}});
    f.select({5});
    ASSERT_TRUE(f.grid->clipboard().copy());
    f.grid->clearSelection();
    f.setCurrent(2);
    ASSERT_TRUE(f.grid->clipboard().paste());
    ASSERT_EQ(f.board().drillSpans.size(), 6u);
    EXPECT_TRUE(f.board().drillSpans[1].test(0));
    EXPECT_FALSE(f.board().drillSpans[1].test(1)) << "the copied layer's own pair stays behind";
}

TEST(LayerGridClipboard, CutIsCopyThenDeleteInOneStep)
{
    GridFixture f(test::fiveLayers());
    f.setCurrent(4);
    f.select({2, 3});
    ASSERT_TRUE(f.enabled(ID_EDIT_CUT));
    f.platform.clipboardOpens = false; // held by another program: nothing copied, so nothing deleted
    f.grid->onCommand(ID_EDIT_CUT);
    EXPECT_EQ(f.names().size(), 5u);
    f.platform.clipboardOpens = true;
    ASSERT_TRUE(f.grid->onCommand(ID_EDIT_CUT));
    expectNames(f, {"Top", "", "Bottom"});
    EXPECT_EQ(f.grid->cells().current().row, 2) << "the current layer, right below the cut, moves up with its row";
    EXPECT_EQ(decodeLayerRows(f.platform.clipboard.layerRows).size(), 2u);

    // Back at another place, with its name free again.
    f.setCurrent(1);
    ASSERT_TRUE(f.grid->clipboard().paste());
    EXPECT_EQ(f.names(), (Names{"", "GND", "Top", "", "Bottom"}));
    ASSERT_TRUE(f.grid->undo());
    ASSERT_TRUE(f.grid->undo());
    EXPECT_EQ(f.names(), (Names{"Top", "", "GND", "", "Bottom"}));

    // Where the structure is fixed, rows on the clipboard are not pasted, nor is their text.
    GridFixture frozen(test::fiveLayers(), kDefaultCaps & ~kCapChangeStructure);
    frozen.platform.clipboard = f.platform.clipboard;
    frozen.setCurrent(1, kColLayerName);
    EXPECT_FALSE(frozen.enabled(ID_EDIT_PASTE) || frozen.grid->clipboard().paste());
    EXPECT_EQ(frozen.names().size(), 5u);
}

TEST(LayerGridClipboard, TextSkipsControlColumnsAndFlattensHeaders)
{
    GridFixture f(test::fiveLayers());
    f.addMilsUnit();
    f.instance.settings().unitIndex = 1;
    f.grid->unitsChanged();
    CellGrid& cells = f.grid->cells();
    // Shown order, not creation order: Thickness first, Er hidden.
    cells.moveColumn(f.grid->colOf(kColThickness), 1);
    cells.setColumnHidden(f.grid->colOf(kColEr), true);
    f.select({3, 1});
    ASSERT_TRUE(f.grid->clipboard().copy());
    // Rows top first; every cell, the last too, ends with a tab; colours and buttons are left out.
    const std::string& text = f.platform.clipboard.text;
    EXPECT_EQ(text.rfind("Thickness mils\tLayer Name\t", 0), 0u) << text;
    EXPECT_EQ(text.find("\n1.35\tTop\tMetal\tSignal\t"), text.find('\n')) << text;
    for (const char* skipped : {"Color", "Er\t", "Pour", "Curve", "View"})
        EXPECT_EQ(text.find(skipped), std::string::npos) << skipped;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n') + (text.back() != '\n'), 3);
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1))
        EXPECT_EQ(text[end - 1], '\t') << end;
    EXPECT_EQ(text.back() == '\n' ? text[text.size() - 2] : text.back(), '\t');
    const std::string& html = f.platform.clipboard.html;
    EXPECT_NE(html.find("<th>Thickness<br>mils</th>"), std::string::npos);
}

TEST(LayerGridClipboard, TextGoesIntoEditCellsOnlyAndTheEditBoxSelectionIsCopiedAndCut)
{
    GridFixture f(test::fiveLayers());
    f.platform.clipboard = {"Inner\r\nsecond line", {}, {}};

    // A list cell takes no text.
    f.setCurrent(1, kColUsage);
    EXPECT_FALSE(f.enabled(ID_EDIT_PASTE) || f.grid->clipboard().paste());
    EXPECT_EQ(f.text(1, kColUsage), "Signal");
    f.setCurrent(1, kColColor);
    EXPECT_FALSE(f.enabled(ID_EDIT_PASTE));

    // An open edit box: the selection is replaced, the caret follows the text.
    FakeEditBox edit;
    f.setCurrent(3, kColLayerName);
    edit.attach(*f.grid, f.at(3, kColLayerName), "GND", 1, 2);
    ASSERT_TRUE(f.enabled(ID_EDIT_PASTE) && f.grid->clipboard().paste());
    EXPECT_EQ(edit.shown, (std::vector<std::pair<std::string, int32_t>>{{"GInnerD", 6}}));
    EXPECT_EQ(f.text(3, kColLayerName), "GInnerD");
    // A caret alone selects nothing; a selection made leftwards is cut as well.
    edit.box = {"GInnerD", 3, 3};
    EXPECT_FALSE(f.enabled(ID_EDIT_COPY));
    edit.box = {"GInnerD", 6, 1};
    ASSERT_TRUE(f.grid->onCommand(ID_EDIT_CUT));
    EXPECT_EQ(f.platform.clipboard.text, "Inner");
    EXPECT_EQ(edit.shown.back(), (std::pair<std::string, int32_t>{"GD", 1}));

    // A number keeps the cell's typing rules: letters are refused with a beep.
    f.platform.clipboard.text = "2x5";
    f.setCurrent(2, kColThickness);
    edit.attach(*f.grid, f.at(2, kColThickness), "", 0, 0);
    ASSERT_TRUE(f.grid->clipboard().paste());
    EXPECT_EQ(std::pair(edit.shown.back().first, f.platform.beeps), std::pair(std::string("25"), 1));

    // Not in edit: the text replaces the cell's as if typed over it, one undo step.
    f.grid->setEditorOpen(false);
    f.grid->finishEdit(f.at(2, kColThickness));
    f.platform.clipboard.text = "Outer";
    f.setCurrent(5, kColLayerName);
    ASSERT_TRUE(f.grid->clipboard().paste());
    f.grid->storeAllRows();
    EXPECT_EQ(f.names()[4], "Outer");
    ASSERT_TRUE(f.grid->undo());
    EXPECT_EQ(f.text(5, kColLayerName), "Bottom");
}

TEST(LayerRowsBlock, OnlyWholeRecordsAreRead)
{
    std::vector<LMLAYEREX> layers = test::fiveLayers();
    layers[1].pDrillSpans = 0xDEADBEEF;
    const std::vector<std::byte> block = encodeLayerRows(layers);
    ASSERT_EQ(block.size(), 5u * 216u);
    EXPECT_EQ(decodeLayerRows(block)[1].pDrillSpans, 0u);
    EXPECT_EQ(layerName(decodeLayerRows(block)[4]), "Bottom");

    const std::span<const std::byte> bytes(block);
    EXPECT_EQ(decodeLayerRows(bytes.first(217 * 2)).size(), 2u) << "434 bytes hold two records and two spare bytes";
    EXPECT_EQ(decodeLayerRows(bytes.first(216 * 2 - 1)).size(), 1u);

    // Too short for one record: the selection it would replace stays.
    GridFixture f(test::fiveLayers());
    f.platform.clipboard.layerRows.assign(block.begin(), block.begin() + 215);
    f.setCurrent(1);
    f.select({1});
    EXPECT_FALSE(f.grid->clipboard().paste());
    EXPECT_EQ(f.names().size(), 5u);
}

} // namespace
} // namespace lm
