#include "qt/QtCanvas.h"

#include "qt/QtColor.h"
#include "qt/QtConversions.h"

#include <QBrush>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QString>

namespace lm::qt {
namespace {

QPolygon toQPolygon(std::span<const Point> points)
{
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t k = 0; k < points.size(); ++k)
        polygon.setPoint(static_cast<int>(k), points[k].x, points[k].y);
    return polygon;
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, const QFont& font)
    : painter_(painter), defaultFont_(font), metrics_(font, painter.device()), base_(painter.transform()),
      textColour_(Qt::black)
{
    const QPaintEngine* engine = painter_.paintEngine();
    xorSupported_ = engine != nullptr && engine->hasFeature(QPaintEngine::RasterOpModes);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setFont(defaultFont_);
    setPen(Pen{});
    setBrush(Brush{});
}

void QtCanvas::setPen(const Pen& pen)
{
    hasPen_ = pen.style != PenStyle::None;
    pen_ = QPen(colorOf(pen.colour), pen.width, pen.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine,
                Qt::FlatCap, Qt::MiterJoin);
    if (!hasPen_)
        pen_.setStyle(Qt::NoPen);
    painter_.setPen(pen_);
}

void QtCanvas::setBrush(const Brush& brush)
{
    switch (brush.style) {
    case BrushStyle::None: painter_.setBrush(Qt::NoBrush); break;
    case BrushStyle::Solid: painter_.setBrush(QBrush(colorOf(brush.colour))); break;
    case BrushStyle::Hatched: painter_.setBrush(QBrush(colorOf(brush.colour), Qt::DiagCrossPattern)); break;
    case BrushStyle::BackDiagonal: painter_.setBrush(QBrush(colorOf(brush.colour), Qt::BDiagPattern)); break;
    }
}

void QtCanvas::setXor(bool on)
{
    if (xorSupported_)
        painter_.setCompositionMode(on ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::setFont(const FontSpec& font)
{
    QFont chosen = defaultFont_;
    if (font.pointSize > 0)
        chosen.setPointSize(font.pointSize);
    if (font.bold)
        chosen.setWeight(QFont::Bold);
    painter_.setFont(chosen);
    metrics_ = QFontMetrics(chosen, painter_.device());
    widths_.clear();
}

void QtCanvas::setTextColour(uint32_t colour) { textColour_ = colorOf(colour); }

void QtCanvas::fillRect(const Rect& rect, uint32_t colour) { painter_.fillRect(toQRect(rect), colorOf(colour)); }

void QtCanvas::rectangle(const Rect& rect)
{
    // Right and bottom are exclusive: an outline of pen width 1 covers the
    // rectangle's own pixels, as a fill without a pen does.
    const QRect box = toQRect(rect);
    painter_.drawRect(hasPen_ ? box.adjusted(0, 0, -1, -1) : box);
}

void QtCanvas::polygon(std::span<const Point> points)
{
    if (points.size() >= 2)
        painter_.drawPolygon(toQPolygon(points));
}

void QtCanvas::polyline(std::span<const Point> points)
{
    if (points.size() >= 2)
        painter_.drawPolyline(toQPolygon(points));
}

void QtCanvas::line(Point from, Point to) { painter_.drawLine(from.x, from.y, to.x, to.y); }

void QtCanvas::text(const Rect& box, std::string_view text, TextAlign align)
{
    // Placed on its baseline from the measured width: a single line needs no
    // text layout, which would shape every label a second time.
    const int32_t width = textWidth(text);
    int32_t x = box.left;
    if (align == TextAlign::Centre)
        x = box.left + (box.width() - width) / 2;
    else if (align == TextAlign::Right)
        x = box.right - width;
    const int32_t baseline = box.top + (box.height() + metrics_.ascent() - metrics_.descent()) / 2;
    painter_.setPen(textColour_);
    painter_.drawText(QPoint(x, baseline), toQString(text));
    painter_.setPen(pen_);
}

int32_t QtCanvas::textWidth(std::string_view text)
{
    const QString key = toQString(text);
    auto known = widths_.constFind(key);
    if (known == widths_.cend())
        known = widths_.insert(key, metrics_.horizontalAdvance(key));
    return *known;
}

int32_t QtCanvas::textHeight() { return metrics_.height(); }

void QtCanvas::setClip(const Rect& rect) { painter_.setClipRect(toQRect(rect)); }

void QtCanvas::clearClip() { painter_.setClipping(false); }

void QtCanvas::setOrigin(Point offset) { painter_.setTransform(QTransform::fromTranslate(offset.x, offset.y) * base_); }

} // namespace lm::qt
