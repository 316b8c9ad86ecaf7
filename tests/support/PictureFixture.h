#pragma once
// A board and its settings for the picture's tests, and a host that records
// what the picture asks of it.
#include "document/Board.h"
#include "document/EditSettings.h"
#include "model/Catalogues.h"
#include "picture/StackupPicture.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace lm::test {

struct PictureBoard {
    MBSTACKUPENTRY board;
    LMEDITSETTINGS settings;

    explicit PictureBoard(std::initializer_list<int32_t> usages, bool proportional = false)
    {
        for (const int32_t usage : usages) {
            LMLAYEREX& layer = board.layers.emplace_back(defaultLayer(usage));
            layer.nUsage = usage; // an unknown usage keeps it
            setLayerName(layer, "L" + std::to_string(board.layers.size()));
        }
        settings.currentBoard = &board;
        settings.drawProportionally = proportional;
    }
    PictureBoard(const PictureBoard&) = delete; // the settings point at the board
    PictureBoard& operator=(const PictureBoard&) = delete;
};

struct FakePictureHost : PictureHost, PictureLayerMoves {
    int redraws = 0;
    std::vector<PictureCursor> cursors;
    std::vector<bool> captures;
    struct Bar { int32_t maximum, page, position; };
    std::vector<Bar> bars;
    struct MoveCheck { int32_t first, count, target; bool operator==(const MoveCheck&) const = default; };
    mutable std::vector<MoveCheck> checks;
    std::function<bool(int32_t target)> allow = [](int32_t) { return true; };
    std::vector<std::pair<int32_t, int32_t>> moves;
    std::vector<int32_t> selected;

    void redraw() override { ++redraws; }
    void setCursor(PictureCursor cursor) override { cursors.push_back(cursor); }
    void captureMouse(bool capture) override { captures.push_back(capture); }
    void setScrollBar(int32_t maximum, int32_t page, int32_t position) override
    {
        bars.push_back({maximum, page, position});
    }
    bool moveAllowed(int32_t first, int32_t count, int32_t target) const override
    {
        checks.push_back({first, count, target});
        return allow(target);
    }
    bool moveLayer(int32_t from, int32_t to) override { moves.emplace_back(from, to); return true; }
    void selectLayer(int32_t index) override { selected.push_back(index); }
};

} // namespace lm::test
