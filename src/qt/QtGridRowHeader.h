#pragma once
// The row headers of the layer grid: they show the row numbers, selected rows
// in the selection colour, and report presses, drags and releases to the grid
// view, which turns them into row selection and row drag and drop.
#include <QHeaderView>

namespace lm::qt {

class QtGridRowHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit QtGridRowHeader(QWidget* parent);

    // Where the dragged rows would land, in the header's coordinates; -1 for no line.
    void setDropLine(int y);
    int dropLine() const { return dropLine_; }

signals:
    // A button went down on model row `row` (a double click counts as a press).
    void rowPressed(int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void mouseDragged(QPoint globalPos);
    void mouseReleased(QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int dropLine_ = -1;
};

} // namespace lm::qt
