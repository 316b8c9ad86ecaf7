#include "qt/QtPictureView.h"

#include "qt/CoreCall.h"
#include "qt/QtCanvas.h"
#include "qt/QtColor.h"
#include "qt/QtResources.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QWheelEvent>

#include <algorithm>

namespace lm::qt {
namespace {

// The cursor of a layer being dragged: the arrow over a slab with arrows up and down.
const QCursor& dragCursor()
{
    static const QCursor cursor = [] {
        initResources();
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QSvgRenderer svg(QStringLiteral(":/laminar/icons/drag-layer.svg"));
        if (!svg.isValid())
            return QCursor(Qt::DragMoveCursor);
        QPainter painter(&pixmap);
        svg.render(&painter);
        return QCursor(pixmap, 1, 1);
    }();
    return cursor;
}

Point clientPoint(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

} // namespace

QtPictureView::QtPictureView(LMEDITSETTINGS& settings, QWidget* parent)
    : QWidget(parent), picture_(settings), bar_(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("stackupPicture"));
    // The picture covers every pixel of its area from the off-screen image.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    bar_->setObjectName(QStringLiteral("pictureScrollBar"));
    bar_->setRange(0, 0);
    bar_->setEnabled(false);
    connect(bar_, &QScrollBar::actionTriggered, this, &QtPictureView::scrollBarAction);
    picture_.setHost(this);
}

void QtPictureView::relayout()
{
    QPainter painter(&buffer());
    QtCanvas measure(painter, font());
    const QSize client = clientSize();
    picture_.layout({client.width(), client.height()}, measure);
    update();
}

QSize QtPictureView::clientSize() const
{
    return {std::max(0, width() - bar_->width()), height()};
}

QImage& QtPictureView::buffer()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (clientSize().expandedTo({1, 1}) * ratio);
    if (buffer_.size() != pixels || buffer_.devicePixelRatio() != ratio) {
        buffer_ = QImage(pixels, QImage::Format_RGB32);
        buffer_.setDevicePixelRatio(ratio);
    }
    return buffer_;
}

void QtPictureView::paintEvent(QPaintEvent*)
{
    QImage& image = buffer();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, font());
        picture_.paint(canvas, bgrOf(palette().color(QPalette::Button)));
    }
    QPainter(this).drawImage(0, 0, image);
}

void QtPictureView::resizeEvent(QResizeEvent*)
{
    const int barWidth = bar_->sizeHint().width();
    bar_->setGeometry(std::max(0, width() - barWidth), 0, std::min(width(), barWidth), height());
    relayout();
}

void QtPictureView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        relayout();
    QWidget::changeEvent(event);
}

void QtPictureView::mouseMoveEvent(QMouseEvent* event)
{
    callCore([&] { picture_.mouseMove(clientPoint(event)); });
}

void QtPictureView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    callCore([&] { picture_.mouseLeft(); });
}

void QtPictureView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        callCore([&] { picture_.leftDown(clientPoint(event)); });
}

void QtPictureView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        callCore([&] { picture_.leftUp(clientPoint(event)); });
}

void QtPictureView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        callCore([&] { picture_.doubleClick(clientPoint(event)); });
}

void QtPictureView::wheelEvent(QWheelEvent* event)
{
    // One notch (120 eighths of a degree) scrolls the desktop's lines per notch;
    // a touchpad's small steps add up to notches.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0)
        picture_.scrollLines(-notches * QApplication::wheelScrollLines());
    event->accept();
}

void QtPictureView::scrollBarAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: picture_.scrollLines(1); break;
    case QAbstractSlider::SliderSingleStepSub: picture_.scrollLines(-1); break;
    case QAbstractSlider::SliderPageStepAdd: picture_.scrollPages(1); break;
    case QAbstractSlider::SliderPageStepSub: picture_.scrollPages(-1); break;
    case QAbstractSlider::SliderToMinimum: picture_.scrollTo(0); break;
    case QAbstractSlider::SliderToMaximum: picture_.scrollTo(bar_->maximum()); break;
    case QAbstractSlider::SliderMove: picture_.scrollTo(bar_->sliderPosition()); break;
    default: return;
    }
    // The bar settles where the picture went, not where its own step would take it.
    bar_->setSliderPosition(picture_.scrollPosition());
}

void QtPictureView::redraw() { update(); }

void QtPictureView::setCursor(PictureCursor cursor)
{
    if (cursor == PictureCursor::Drag)
        QWidget::setCursor(dragCursor());
    else
        unsetCursor();
}

void QtPictureView::captureMouse(bool capture)
{
    if (!isVisible())
        return;
    if (capture)
        grabMouse();
    else
        releaseMouse();
}

void QtPictureView::setScrollBar(int32_t maximum, int32_t page, int32_t position)
{
    const QSignalBlocker quiet(bar_);
    // The picture's range counts the content's pixels; the bar's runs over the
    // positions of its top edge.
    bar_->setRange(0, maximum > 0 ? std::max(0, maximum - page + 1) : 0);
    bar_->setPageStep(std::max(1, page));
    bar_->setValue(position);
    bar_->setEnabled(maximum > 0);
}

} // namespace lm::qt
