#pragma once
// The picture's drag and double click, carried out by the layer grid: the
// grid's drill-pair move check, its move (one undo step) and its row selection.
#include "grid/LayerGrid.h"
#include "picture/StackupPicture.h"

namespace lm {

class PictureMovesOnGrid : public PictureLayerMoves {
public:
    // The grid must outlive this.
    explicit PictureMovesOnGrid(LayerGrid& grid) : grid_(grid) {}

    bool moveAllowed(int32_t first, int32_t count, int32_t target) const override
    {
        return grid_.moveAllowed(first, count, target);
    }
    bool moveLayer(int32_t from, int32_t to) override { return grid_.moveLayer(from, to); }
    void selectLayer(int32_t index) override { grid_.selectLayer(index); }

private:
    LayerGrid& grid_;
};

} // namespace lm
