#pragma once
// The chart window ("chart"): paints the core's chart through a QtCanvas into
// an off-screen image, forwards the mouse, runs the pan's completion frames
// and puts the chart on the clipboard or a printed page. A right click asks
// the owning dialog for its context menu.
#include "charts/ChartControl.h"

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lm::qt {

// The chart font as Qt draws it: a negative height is the character height in pixels.
QFont chartFont(const ChartFont& font);
// The chart font taken from a widget's font (the grid's), as the dialogs pass it on.
ChartFont chartFontOf(const QFont& font);

class QtChartWidget : public QWidget, public ChartWindow {
public:
    QtChartWidget(CChartControl& chart, QWidget* parent);
    ~QtChartWidget() override;

    // Called with the global position of a right click.
    std::function<void(const QPoint&)> contextMenuRequested;

    // --- ChartWindow
    Rect clientRect() const override;
    void measure(const std::function<void(Canvas&)>& use) override;
    void repaint() override { update(); }
    void showCursor(uint32_t cursorId) override;
    void captureMouse(bool) override {} // Qt grabs the mouse while a button is down
    void startAnimation() override;
    bool copyBitmap(Size size, const std::function<void(Canvas&)>& draw) override;
    bool printChart(CChartControl& chart, std::string_view documentName, const ChartPageSettings& page) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void animationFrame();

    CChartControl& chart_;
    QImage buffer_;
    QTimer frames_;
    QElapsedTimer clock_;
};

} // namespace lm::qt
