#include "document/Board.h"
#include "grid/StoreLayersCmd.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using Names = std::vector<std::string>;

namespace {

// Three layers; layer i is spanned by drill pair i, the middle one by pair 40 too.
struct BoardFixture {
    lm::MBSTACKUPENTRY board;
    lm::LMEDITSETTINGS settings;
    lm::UndoStack history;
    lm::GridEditFlags flags;

    BoardFixture()
    {
        for (const char* name : {"Top", "Core", "Bottom"}) {
            lm::setLayerName(board.layers.emplace_back(), name);
            board.drillSpans.emplace_back().set(board.drillSpans.size() - 1);
        }
        board.drillSpans[1].set(40);
        settings.currentBoard = &board;
    }
    Names names() const
    {
        Names out;
        for (const LMLAYEREX& layer : board.layers)
            out.emplace_back(lm::layerName(layer));
        return out;
    }
    bool edit(const std::function<bool()>& change) { return recordStructuralEdit(history, settings, flags, change); }
    bool deleteMiddle()
    {
        return edit([this] {
            board.layers.erase(board.layers.begin() + 1);
            board.drillSpans.erase(board.drillSpans.begin() + 1);
            return true;
        });
    }
};

const Names kAllThree{"Top", "Core", "Bottom"};

} // namespace

TEST(StoreLayers, SnapshotIsIndependentOfTheLiveLayers)
{
    BoardFixture f;
    f.board.layers[0].pDrillSpans = 0xDEADBEEF; // whatever a host left in the field
    f.board.drillSpans.pop_back();              // spans kept short of the layers
    const lm::CStoreLayers snapshot(f.settings);
    lm::setLayerName(f.board.layers[1], "Changed");
    f.board.drillSpans[1].set(100);
    f.board.layers.pop_back();

    EXPECT_EQ(lm::layerName(snapshot.layers().at(1)), "Core");
    EXPECT_EQ(snapshot.layers()[0].pDrillSpans, 0u);
    ASSERT_EQ(snapshot.drillSpans().size(), 3u) << "one span set per layer";
    EXPECT_FALSE(snapshot.drillSpans()[1].test(100));

    snapshot.restore();
    EXPECT_EQ(f.names(), kAllThree);
    f.board.drillSpans.at(1).set(5);
    EXPECT_FALSE(snapshot.drillSpans()[1].test(5)) << "restoring copies, never shares";

    f.settings.currentBoard = nullptr; // no board: nothing to copy or restore into
    EXPECT_TRUE(lm::CStoreLayers(f.settings).layers().empty());
    snapshot.restore();
}

TEST(StoreLayers, FailedEditLeavesNothingBehind)
{
    BoardFixture f;
    ASSERT_TRUE(f.deleteMiddle());
    EXPECT_TRUE(f.flags.rowsModified && f.flags.valuesChanged);
    f.history.undo();
    EXPECT_FALSE(f.edit([&f] { return f.board.layers.clear(), false; }));
    EXPECT_EQ(f.names(), kAllThree);
    EXPECT_EQ(f.history.undoDepth(), 0u);
    EXPECT_EQ(f.history.redoDepth(), 1u) << "a failed edit does not cost the redo step";

    EXPECT_THROW(f.edit([&f]() -> bool { f.board.layers.pop_back(), throw std::invalid_argument("index"); }),
                 std::invalid_argument);
    EXPECT_EQ(f.names(), kAllThree);
    EXPECT_FALSE(f.history.canUndo() || f.history.groupOpen());
}
