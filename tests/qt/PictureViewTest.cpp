// The picture widget over a real layer grid: a layer dragged with the mouse
// lands at its new place, undo takes it back, and without a grid nothing
// moves. The canvas is proved on an image's pixels.
#include "qt/QtCanvas.h"
#include "qt/QtPictureView.h"
#include "ui/PictureMovesOnGrid.h"

#include "LayerGridFixture.h"
#include "document/Board.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lm::qt {
namespace {

using test::layerOf;

// Draws a dotted white outline in exclusive-or mode, as the hover mark is drawn.
void xorOutline(QImage& image, const Rect& box)
{
    QPainter painter(&image);
    QtCanvas canvas(painter, QFont());
    canvas.setXor(true);
    canvas.setPen({PenStyle::Dotted, 0xFFFFFF, 1});
    canvas.setBrush({BrushStyle::None, 0});
    canvas.rectangle(box);
}

TEST(QtCanvas, FillsOutlinesWithExclusiveEdgesAndXorToggles)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QFont());
        EXPECT_EQ(canvas.textHeight(), QFontMetrics(QFont(), &image).height());
        canvas.setOrigin({3, 3});
        canvas.setOrigin({5, 5}); // replaces the shift, does not add to it
        canvas.fillRect({0, 0, 10, 10}, 0x0000FF);
        canvas.setOrigin({0, 0});
        canvas.setPen({PenStyle::Solid, 0x00FF00, 1});
        canvas.setBrush({BrushStyle::None, 0});
        canvas.rectangle({20, 20, 30, 30});
    }
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(14, 14)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(15, 15)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(29, 29)), QColor(0, 255, 0)); // right and bottom are exclusive
    EXPECT_EQ(QColor(image.pixel(30, 30)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(25, 25)), QColor(Qt::black)); // no brush, no fill

    const QImage before = image.copy();
    xorOutline(image, {18, 18, 32, 32});
    int inverted = 0;
    for (int x = 18; x < 32; ++x)
        inverted += image.pixel(x, 18) == qRgb(255, 255, 255) ? 1 : 0; // black under the dots turns white
    EXPECT_GT(inverted, 2);
    xorOutline(image, {18, 18, 32, 32});
    EXPECT_EQ(image, before);
}

// A five-layer board in a shown picture wired to the grid.
struct PictureOverGrid : test::GridFixture {
    QtPictureView view{instance.settings(), nullptr};
    PictureMovesOnGrid moves{*grid};

    PictureOverGrid()
        : GridFixture({layerOf(kSignal, "Top"), layerOf(kSubstrate, "Core1"), layerOf(kSolidPlane, "GND"),
                       layerOf(kSubstrate, "Core2"), layerOf(kSignal, "Bottom")})
    {
        view.picture().setLayerMoves(&moves);
        view.resize(400, 500);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // The middle of a layer's front face, in the widget.
    QPoint frontOf(int32_t layer)
    {
        const PictureLayout& layout = view.picture().currentLayout();
        const auto k = static_cast<std::size_t>(layer);
        return {layout.stack.left + layout.frontWidth / 2, layout.layerTop[k] + layout.layerHeight[k] / 2};
    }

    void drag(int32_t from, int32_t over)
    {
        QTest::mousePress(&view, Qt::LeftButton, {}, frontOf(from));
        QTest::mouseMove(&view, frontOf(over));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, frontOf(over));
    }
};

using Names = std::vector<std::string>;

TEST(PictureView, DraggedLayerMovesInTheGridAndUndoTakesItBack)
{
    PictureOverGrid board;
    ASSERT_EQ(board.view.picture().currentLayout().layerTop.size(), 5u);
    board.drag(0, 3); // lands above the layer under the pointer
    EXPECT_EQ(board.names(), (Names{"Core1", "GND", "Top", "Core2", "Bottom"}));
    EXPECT_FALSE(board.view.picture().dragging());
    EXPECT_EQ(board.grid->cells().text(3, board.grid->colOf(kColLayerName)), "Top"); // the grid rows moved too

    ASSERT_TRUE(board.grid->undo());
    EXPECT_EQ(board.names(), (Names{"Top", "Core1", "GND", "Core2", "Bottom"}));

    board.view.picture().setLayerMoves(nullptr); // without a grid nothing moves
    board.drag(0, 3);
    EXPECT_EQ(board.names(), (Names{"Top", "Core1", "GND", "Core2", "Bottom"}));
    EXPECT_FALSE(board.view.picture().dragging());
}

TEST(PictureView, HoverOutlineGoesWhenThePointerLeaves)
{
    PictureOverGrid board;
    const QImage plain = board.view.grab().toImage();
    const QPoint over = board.frontOf(2);
    QMouseEvent move(QEvent::MouseMove, over, board.view.mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&board.view, &move);
    EXPECT_EQ(board.view.picture().hoveredLayer(), 2);
    EXPECT_NE(board.view.grab().toImage(), plain);

    QEvent leave(QEvent::Leave); // as the window system reports the pointer gone
    QApplication::sendEvent(&board.view, &leave);
    EXPECT_EQ(board.view.picture().hoveredLayer(), -1);
    EXPECT_EQ(board.view.grab().toImage(), plain);
}

TEST(PictureView, ScrollBarFollowsThePictureWhenTheStackIsTallerThanTheView)
{
    PictureOverGrid board;
    QScrollBar& bar = *board.view.scrollBar();
    EXPECT_FALSE(bar.isEnabled());
    EXPECT_TRUE(bar.isVisible());

    board.instance.settings().drawProportionally = false; // fixed slab heights: taller than the view
    board.view.resize(400, 80);
    const PictureLayout& layout = board.view.picture().currentLayout();
    ASSERT_GT(layout.scrollMaximum, 0);
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(bar.maximum(), layout.scrollMaximum - layout.scrollPage + 1); // the last position shows the last page

    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(board.view.picture().scrollPosition(), std::min(layout.scrollPage, bar.maximum()));
    EXPECT_EQ(bar.value(), board.view.picture().scrollPosition());
    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(board.view.picture().scrollPosition(), bar.maximum());
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(board.view.picture().scrollPosition(), bar.maximum() - layout.textHeight * 6 / 8);
    EXPECT_EQ(bar.value(), board.view.picture().scrollPosition());
}

} // namespace
} // namespace lm::qt
