#include "qt/QtGridRowHeader.h"

#include "qt/QtGridLook.h"
#include "qt/QtGridModel.h"

#include <QMouseEvent>
#include <QPainter>

namespace lm::qt {

QtGridRowHeader::QtGridRowHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setDefaultAlignment(Qt::AlignCenter);
    setHighlightSections(false);
    setSectionsClickable(false);
}

void QtGridRowHeader::setDropLine(int y)
{
    if (y == dropLine_)
        return;
    dropLine_ = y;
    viewport()->update();
}

void QtGridRowHeader::mousePressEvent(QMouseEvent* event)
{
    const int row = logicalIndexAt(event->position().toPoint());
    if (row >= 0)
        emit rowPressed(row, event->button(), event->modifiers(), event->globalPosition().toPoint());
    event->accept();
}

void QtGridRowHeader::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void QtGridRowHeader::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        emit mouseDragged(event->globalPosition().toPoint());
    event->accept();
}

void QtGridRowHeader::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseReleased(event->globalPosition().toPoint());
    event->accept();
}

void QtGridRowHeader::paintEvent(QPaintEvent* event)
{
    QHeaderView::paintEvent(event);
    if (dropLine_ < 0)
        return;
    QPainter painter(viewport());
    painter.fillRect(QRect(0, dropLine_ - 1, viewport()->width(), 3), look::kDropLine);
}

void QtGridRowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const auto* grid = qobject_cast<const QtGridModel*>(model());
    const bool selected = grid != nullptr && logicalIndex + 1 < grid->cells().rowCount() &&
                          grid->cells().rowSelected(logicalIndex + 1);
    if (!selected) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    painter->save();
    painter->fillRect(rect, look::kSelectedHeader);
    painter->setPen(look::kSelectedHeader.darker(130));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->setPen(look::kSelectedHeaderText);
    painter->drawText(rect, Qt::AlignCenter, model()->headerData(logicalIndex, Qt::Vertical).toString());
    painter->restore();
}

} // namespace lm::qt
