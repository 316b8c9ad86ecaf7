#include "picture/StackupPicture.h"

#include "PictureFixture.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::CanvasCall;
using test::CanvasOp;
using test::FakePictureHost;
using test::PictureBoard;
using test::RecordingCanvas;

constexpr uint32_t kButtonFace = rgb(212, 208, 200);

// Four substrates of 32 pixels in a 600 x 800 client.
struct PictureOnBoard : ::testing::Test {
    PictureBoard b{{kSubstrate, kSubstrate, kSubstrate, kSubstrate}};
    FakePictureHost host;
    StackupPicture picture{b.settings};
    RecordingCanvas canvas;

    void SetUp() override
    {
        picture.setHost(&host);
        picture.setLayerMoves(&host);
        picture.layout({600, 800}, canvas);
    }
    // A point on the front face of a layer, or just below the stack.
    Point on(int32_t layer) const
    {
        const PictureLayout& layout = picture.currentLayout();
        const int32_t y = layer < 4 ? layout.layerTop[static_cast<std::size_t>(layer)] + 5 : layout.stack.bottom + 5;
        return {layout.stack.left + 10, y};
    }
    void drag(int32_t from, int32_t over)
    {
        picture.leftDown(on(from));
        picture.mouseMove(on(over));
        picture.leftUp(on(over));
    }
};

TEST_F(PictureOnBoard, MouseDoesNothingWithoutTheCapability)
{
    b.settings.caps &= ~uint32_t{kCapPictureMouse};
    picture.mouseMove(on(1));
    picture.leftDown(on(1));
    picture.mouseMove(on(3));
    picture.leftUp(on(3));
    picture.doubleClick(on(1));
    EXPECT_EQ(std::tuple(picture.hoveredLayer(), picture.dragging(), host.redraws), std::tuple(-1, false, 0));
    EXPECT_TRUE(host.captures.empty() && host.moves.empty() && host.selected.empty());
}

TEST_F(PictureOnBoard, HoverOutlinesTheFrontFaceAndDoubleClickSelectsItsRow)
{
    picture.mouseMove(on(1));
    picture.mouseMove(on(1));
    EXPECT_EQ(std::pair(picture.hoveredLayer(), host.redraws), std::pair(1, 1));

    picture.paint(canvas, kButtonFace);
    const CanvasCall outline = canvas.ofKind(CanvasOp::Rectangle).back();
    const PictureLayout& layout = picture.currentLayout();
    EXPECT_EQ(std::pair(outline.rect, outline.xorOn),
              std::pair(Rect{layout.stack.left, layout.layerTop[1], layout.stack.right, layout.layerTop[2]}, true));

    picture.mouseMove({5, 5});
    EXPECT_EQ(std::pair(picture.hoveredLayer(), host.redraws), std::pair(-1, 2));

    picture.doubleClick(on(2));
    picture.doubleClick({5, 5});
    EXPECT_EQ(host.selected, (std::vector<int32_t>{2}));
}

TEST_F(PictureOnBoard, DragMovesTheLayerWhereItIsDropped)
{
    picture.leftDown(on(0));
    EXPECT_EQ(std::tuple(picture.dragging(), picture.dropTarget(), host.cursors.front()),
              std::tuple(true, 0, PictureCursor::Drag));
    picture.mouseMove(on(2)); // below the dragged layer: lands above layer 2
    EXPECT_EQ(picture.dropTarget(), 2);
    EXPECT_EQ(host.checks, (std::vector<FakePictureHost::MoveCheck>{{0, 1, 2}}));

    picture.paint(canvas, kButtonFace);
    const PictureLayout& layout = picture.currentLayout();
    const int32_t y = layout.layerTop[2];
    EXPECT_EQ(canvas.ofKind(CanvasOp::Line).back().points,
              (std::vector<Point>{{layout.stack.left, y}, {layout.stack.right, y}}));

    picture.leftUp(on(2));
    EXPECT_EQ(std::pair(picture.dragging(), picture.dropTarget()), std::pair(false, -1));
    EXPECT_EQ(host.captures, (std::vector<bool>{true, false}));

    drag(3, 1); // above the dragged layer: lands below layer 1
    drag(1, 4); // below the stack: to the bottom
    drag(2, 2); // back where it was
    EXPECT_EQ(host.moves, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}, {3, 2}, {1, 3}}));
}

TEST_F(PictureOnBoard, DragStopsWhereTheMoveCheckRefuses)
{
    host.allow = [](int32_t target) { return target != 2; };
    picture.leftDown(on(0));
    std::vector<int32_t> targets;
    for (const int32_t over : {2, 3, 2}) {
        picture.mouseMove(on(over));
        targets.push_back(picture.dropTarget());
    }
    EXPECT_EQ(targets, (std::vector<int32_t>{0, 3, 3})) << "it stays at the last allowed place";
    picture.leftUp(on(2));
    host.allow = [](int32_t) { return false; };
    drag(3, 0);
    EXPECT_EQ(host.moves, (std::vector<std::pair<int32_t, int32_t>>{{0, 2}}));
    EXPECT_EQ(host.captures.back(), false);
}

TEST_F(PictureOnBoard, ScrollsWithinTheContentAndShiftsTheDrawing)
{
    picture.layout({600, 100}, canvas); // 170 pixels of content, 68 visible
    EXPECT_EQ(std::pair(host.bars.back().maximum, host.bars.back().page), std::pair(170, 68));
    // The last page ends the content; before the top is the top.
    std::vector<int32_t> positions;
    for (const int32_t to : {500, -5, 50}) {
        picture.scrollTo(to);
        positions.push_back(picture.scrollPosition());
    }
    EXPECT_EQ(positions, (std::vector<int32_t>{103, 0, 50}));
    EXPECT_EQ(host.bars.back().position, 50);

    // The mouse sees the content under the pointer.
    const PictureLayout& layout = picture.currentLayout();
    picture.mouseMove({layout.stack.left + 1, layout.layerTop[3] - 50});
    EXPECT_EQ(picture.hoveredLayer(), 3);

    canvas.calls.clear();
    picture.paint(canvas, kButtonFace);
    EXPECT_EQ(canvas.ofKind(CanvasOp::FillRect).back().origin, (Point{0, -50}));

    picture.layout({600, 800}, canvas); // everything fits again
    EXPECT_EQ(std::pair(picture.scrollPosition(), host.bars.back().maximum), std::pair(0, 0));
}

TEST(StackupPicture, EmptyOrThinBoardsPaintCalmly)
{
    LMEDITSETTINGS noBoard;
    StackupPicture none(noBoard);
    RecordingCanvas canvas;
    none.layout({600, 800}, canvas);
    none.mouseMove({300, 400});
    none.leftDown({300, 400});
    none.paint(canvas, kButtonFace);
    EXPECT_EQ(canvas.ofKind(CanvasOp::FillRect).size(), 1u); // the background alone

    PictureBoard empty({}, true);
    StackupPicture blank(empty.settings);
    blank.layout({600, 800}, canvas);
    blank.setZ0Values({});
    blank.paint(canvas, kButtonFace);

    PictureBoard flat({kSignal, kSubstrate, kSolidPlane}, true);
    for (LMLAYEREX& layer : flat.board.layers)
        layer.dThickness = 0.0;
    StackupPicture thin(flat.settings);
    thin.setLabelMode(0);
    thin.layout({600, 800}, canvas);
    thin.paint(canvas, kButtonFace);
    EXPECT_EQ(std::pair(thin.currentLayout().layerHeight[1], canvas.texts().back()),
              std::pair(32, std::string("0 um")));

    thin.layout({0, 0}, canvas); // a collapsed pane
    thin.paint(canvas, kButtonFace);
}

} // namespace
} // namespace lm
