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

    // The picture's area: the widget left of the scroll bar.
    QSize clientSize() const;
    // The off-screen image in the client's size (at least one pixel).
    QImage& buffer();
    void scrollBarAction(int action);

    StackupPicture picture_;
    QScrollBar* bar_ = nullptr;
    QImage buffer_;
    int wheelRemainder_ = 0; // eighths of a degree not yet scrolled
};

} // namespace lm::qt
