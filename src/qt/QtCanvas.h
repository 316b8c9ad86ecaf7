#pragma once
// The platform Canvas over a QPainter: the same drawing on a widget, an image,
// a printer page or an SVG. Exclusive-or drawing needs a raster target; where
// the paint engine has no raster operations it draws with a plain pen instead.
#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPen>
#include <QTransform>

class QPainter;

namespace lm::qt {

class QtCanvas : public Canvas {
public:
    // The painter must be active and outlive the canvas. `font` is the default
    // font (FontSpec point size 0); the painter's transform at this moment is
    // the base that setOrigin shifts.
    QtCanvas(QPainter& painter, const QFont& font);

    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override;
    void setXor(bool on) override;
    void setFont(const FontSpec& font) override;
    void setTextColour(uint32_t colour) override;

    void fillRect(const Rect& rect, uint32_t colour) override;
    void rectangle(const Rect& rect) override;
    void polygon(std::span<const Point> points) override;
    void polyline(std::span<const Point> points) override;
    void line(Point from, Point to) override;
    void text(const Rect& box, std::string_view text, TextAlign align) override;

    int32_t textWidth(std::string_view text) override;
    int32_t textHeight() override;

    void setClip(const Rect& rect) override;
    void clearClip() override;
    void setOrigin(Point offset) override;

private:
    QPainter& painter_;
    QFont defaultFont_;
    QFontMetrics metrics_;
    // Widths measured in the current font: layout and shortening ask for the same texts again.
    QHash<QString, int32_t> widths_;
    QTransform base_;
    QPen pen_;
    QColor textColour_;
    bool hasPen_ = true;
    bool xorSupported_ = false;
};

} // namespace lm::qt
