#include "qt/QtChartWidget.h"

#include "qt/CoreCall.h"
#include "qt/QtCanvas.h"
#include "qt/QtConversions.h"
#include "res/ChartResources.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace lm::qt {
namespace {

// Frames of the pan's completion at least this far apart.
constexpr int kFrameMs = 20;

Point clientPoint(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

Qt::CursorShape cursorShape(uint32_t cursorId)
{
    switch (cursorId) {
    case res::IDC_CURSOR_ZOOM: return Qt::CrossCursor;
    case res::IDC_CURSOR_PAN: return Qt::SizeAllCursor;
    case res::IDC_CURSOR_TRACK: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

QFont chartFont(const ChartFont& font)
{
    QFont qfont(toQString(font.face));
    qfont.setStyleHint(QFont::SansSerif); // Arial where it exists, the desktop's sans serif elsewhere
    if (font.height < 0)
        qfont.setPixelSize(-font.height);
    else if (font.height > 0)
        qfont.setPixelSize(font.height);
    qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    qfont.setItalic(font.italic);
    return qfont;
}

ChartFont chartFontOf(const QFont& font)
{
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    return {font.family().toStdString(), -pixels, static_cast<int32_t>(font.weight()), font.italic()};
}

QtChartWidget::QtChartWidget(CChartControl& chart, QWidget* parent) : QWidget(parent), chart_(chart)
{
    setObjectName(QStringLiteral("chart"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    frames_.setInterval(kFrameMs);
    connect(&frames_, &QTimer::timeout, this, &QtChartWidget::animationFrame);
    chart_.attach(this);
}

QtChartWidget::~QtChartWidget() { chart_.attach(nullptr); }

Rect QtChartWidget::clientRect() const { return {0, 0, width(), height()}; }

void QtChartWidget::measure(const std::function<void(Canvas&)>& use)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    QtCanvas canvas(painter, chartFont(chart_.font()));
    use(canvas);
}

void QtChartWidget::showCursor(uint32_t cursorId) { setCursor(cursorShape(cursorId)); }

void QtChartWidget::startAnimation()
{
    clock_.start();
    frames_.start();
}

void QtChartWidget::animationFrame()
{
    bool more = false;
    callCore([&] { more = chart_.animate(clock_.elapsed()); });
    if (!more)
        frames_.stop();
}

bool QtChartWidget::copyBitmap(Size size, const std::function<void(Canvas&)>& draw)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || size.width <= 0 || size.height <= 0)
        return false;
    QImage image(size.width, size.height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, chartFont(chart_.font()));
        draw(canvas);
    }
    clipboard->setImage(image);
    return true;
}

bool QtChartWidget::printChart(CChartControl& chart, std::string_view documentName, const ChartPageSettings& page)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(toQString(documentName));
    QPrintDialog dialog(&printer, window());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const Rect printable{0, 0, area.width(), area.height()};
    const PrintPlacement placed = chart.placeForPrint(printable, printer.logicalDpiX(), printer.logicalDpiY(), page);
    painter.translate(placed.origin.x, placed.origin.y);
    painter.scale(placed.factor, placed.factor);
    QtCanvas canvas(painter, chartFont(chart.font()));
    chart.drawForPrint(canvas, page.caption, printer.colorMode() == QPrinter::Color);
    return painter.end();
}

void QtChartWidget::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size().expandedTo({1, 1}) * ratio;
    if (buffer_.size() != pixels || buffer_.devicePixelRatio() != ratio) {
        buffer_ = QImage(pixels, QImage::Format_RGB32);
        buffer_.setDevicePixelRatio(ratio);
    }
    {
        QPainter painter(&buffer_);
        QtCanvas canvas(painter, chartFont(chart_.font()));
        callCore([&] { chart_.paint(canvas); });
    }
    QPainter(this).drawImage(0, 0, buffer_);
}

void QtChartWidget::resizeEvent(QResizeEvent*)
{
    callCore([&] { chart_.resized(); });
}

void QtChartWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        callCore([&] { chart_.buttonDown(clientPoint(event)); });
}

void QtChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    callCore([&] { chart_.mouseMove(clientPoint(event)); });
}

void QtChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The completion's clock starts at the release.
    clock_.start();
    callCore([&] { chart_.buttonUp(clientPoint(event), 0); });
    showCursor(chart_.cursorId());
}

void QtChartWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        callCore([&] { chart_.doubleClick(); });
}

void QtChartWidget::leaveEvent(QEvent*)
{
    callCore([&] { chart_.mouseLeft(); });
}

void QtChartWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (contextMenuRequested)
        contextMenuRequested(event->globalPos());
}

} // namespace lm::qt
