#pragma once
// The stackup picture as a widget: paints the core's StackupPicture through an
// off-screen image, forwards the mouse and its vertical scroll bar to it, and
// answers the picture's requests (redraw, cursor, capture, the bar, and the
// layer grid's move check, move and row selection).
#include "picture/StackupPicture.h"

#include <QImage>
#include <QWidget>

class QScrollBar;

namespace lm {
class LayerGrid;
struct LMEDITSETTINGS;
} // namespace lm

namespace lm::qt {

class QtPictureView : public QWidget, private PictureHost {
    Q_OBJECT

public:
    // The settings must outlive the view.
    QtPictureView(LMEDITSETTINGS& settings, QWidget* parent);

    StackupPicture& picture() { return picture_; }
    QScrollBar* scrollBar() const { return bar_; }
    // Moves and row selection go to this grid; without one the picture cannot
    // move layers and its double click selects nothing.
    void setLayerGrid(LayerGrid* grid) { grid_ = grid; }

    // Recomputes the layout for the current size and font, then redraws.
    void relayout();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // PictureHost
    void redraw() override;
    void setCursor(PictureCursor cursor) override;
    void captureMouse(bool capture) override;
    void setScrollBar(int32_t maximum, int32_t page, int32_t position) override;
    bool moveAllowed(int32_t first, int32_t count, int32_t target) const override;
    bool moveLayer(int32_t from, int32_t to) override;
    void selectLayer(int32_t index) override;

    // The picture's area: the widget left of the scroll bar.
    QSize clientSize() const;
    // The off-screen image in the client's size (at least one pixel).
    QImage& buffer();
    void scrollBarAction(int action);

    StackupPicture picture_;
    QScrollBar* bar_ = nullptr;
    LayerGrid* grid_ = nullptr;
    QImage buffer_;
    int wheelRemainder_ = 0; // eighths of a degree not yet scrolled
};

} // namespace lm::qt
