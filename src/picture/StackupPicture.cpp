#include "picture/StackupPicture.h"

#include "document/Board.h"
#include "document/EditSettings.h"
#include "model/LayerRecord.h"
#include "picture/PictureLabels.h"
#include "picture/PictureLayout.h"
#include "picture/PictureSlabs.h"

#include <algorithm>
#include <limits>

namespace lm {
namespace {

constexpr uint32_t kWhite = rgb(255, 255, 255);
constexpr uint32_t kBlack = rgb(0, 0, 0);

} // namespace

StackupPicture::StackupPicture(LMEDITSETTINGS& settings) : settings_(settings) {}

void StackupPicture::layout(Size client, Canvas& measure)
{
    measure.setFont(FontSpec{});
    client_ = client;
    const PictureMetrics metrics{averageCharWidth(measure), measure.textHeight()};
    layout_ = layoutPicture(currentLayers(settings_), client, metrics, settings_.drawProportionally);

    const int32_t count = static_cast<int32_t>(layout_.layerHeight.size());
    if (hovered_ >= count)
        hovered_ = -1;
    if (target_ > count)
        target_ = -1;
    scrollPos_ = std::clamp(scrollPos_, 0, maxScrollPosition(layout_));
    if (host_ != nullptr)
        host_->setScrollBar(layout_.scrollMaximum, layout_.scrollPage, scrollPos_);
}

void StackupPicture::paint(Canvas& canvas, uint32_t buttonFace)
{
    const std::span<const LMLAYEREX> layers = currentLayers(settings_);
    // The grid re-lays the picture out after every edit; a count that changed
    // without that still gets a consistent picture.
    if (layers.size() != layout_.layerHeight.size())
        layout(client_, canvas);

    canvas.setOrigin({0, 0});
    canvas.setXor(false);
    canvas.fillRect({0, 0, client_.width, client_.height}, buttonFace);
    if (layers.empty())
        return;
    canvas.setOrigin({0, -scrollPos_});
    canvas.setFont(FontSpec{});
    canvas.setTextColour(kBlack);

    drawContent(canvas, layers);
    drawHover(canvas);
    drawDropMarker(canvas);
    canvas.setOrigin({0, 0});
}

void StackupPicture::paintForOutput(Canvas& canvas, Point shift)
{
    const std::span<const LMLAYEREX> layers = currentLayers(settings_);
    if (layers.size() != layout_.layerHeight.size())
        layout(client_, canvas);
    if (layers.empty())
        return;
    canvas.setXor(false);
    canvas.setOrigin(shift);
    canvas.setFont(FontSpec{});
    canvas.setTextColour(kBlack);
    drawContent(canvas, layers);
    canvas.setOrigin({0, 0});
}

void StackupPicture::drawContent(Canvas& canvas, std::span<const LMLAYEREX> layers)
{
    drawStack(canvas, layers, layout_, useLayerColours());
    canvas.setPen({PenStyle::Solid, kBlack, 1});
    for (std::size_t i = 0; i < layers.size(); ++i) {
        drawLeftLabel(canvas, layout_, i, layerName(layers[i]));
        drawRightLabel(canvas, layout_, i, rightLabelText(settings_, i, labelMode_, z0_));
    }
}

bool StackupPicture::useLayerColours() const
{
    return (settings_.caps & kCapLayerColors) != 0 && settings_.layerColors;
}

Rect StackupPicture::frontFace(int32_t layer) const
{
    const auto i = static_cast<std::size_t>(layer);
    const int32_t top = layout_.layerTop[i];
    return {layout_.stack.left, top, layout_.stack.right, top + layout_.layerHeight[i]};
}

void StackupPicture::drawHover(Canvas& canvas) const
{
    if (hovered_ < 0 || hovered_ >= static_cast<int32_t>(layout_.layerTop.size()))
        return;
    canvas.setXor(true);
    canvas.setPen({PenStyle::Dotted, kWhite, 1});
    canvas.setBrush({BrushStyle::None, kWhite});
    canvas.rectangle(frontFace(hovered_));
    canvas.setXor(false);
}

// A white arrow left of the stack pointing at the target's upper edge, and a
// white line across the front there (the stack's bottom past the last layer).
void StackupPicture::drawDropMarker(Canvas& canvas) const
{
    const int32_t count = static_cast<int32_t>(layout_.layerTop.size());
    if (!dragging_ || target_ < 0 || target_ > count)
        return;
    const int32_t y = target_ < count ? layout_.layerTop[static_cast<std::size_t>(target_)] : layout_.stack.bottom;
    const int32_t tip = layout_.stack.left - 3;
    const Point arrow[3] = {{tip, y}, {tip - 5, y - 5}, {tip - 5, y + 5}};
    canvas.setPen({PenStyle::Solid, kBlack, 1});
    canvas.setBrush({BrushStyle::Solid, kWhite});
    canvas.polygon(arrow);
    canvas.setPen({PenStyle::Solid, kWhite, 1});
    canvas.line({layout_.stack.left, y}, {layout_.stack.right, y});
}

void StackupPicture::setLabelMode(int32_t mode)
{
    labelMode_ = mode;
    redraw();
}

void StackupPicture::setZ0Values(std::span<const double> values)
{
    // No values at all (no calculator) leave nothing to show: "Z0 = <N/A>", not an error per layer.
    z0_.assign(values.empty() ? 0 : currentLayers(settings_).size(), 0.0);
    std::copy_n(values.begin(), std::min(values.size(), z0_.size()), z0_.begin());
    redraw();
}

std::string StackupPicture::rightLabel(std::size_t layer) const
{
    return rightLabelText(settings_, layer, labelMode_, z0_);
}

int32_t StackupPicture::hitTest(Point contentPoint, bool wholeWidth) const
{
    if (!wholeWidth && (contentPoint.x < layout_.stack.left || contentPoint.x >= layout_.stack.right))
        return -1;
    for (std::size_t i = layout_.layerTop.size(); i-- > 0;) {
        const int32_t top = layout_.layerTop[i];
        if (contentPoint.y >= top && contentPoint.y < top + layout_.layerHeight[i])
            return static_cast<int32_t>(i);
    }
    return -1;
}

bool StackupPicture::mouseEnabled() const { return (settings_.caps & kCapPictureMouse) != 0; }

Point StackupPicture::toContent(Point clientPoint) const { return {clientPoint.x, clientPoint.y + scrollPos_}; }

void StackupPicture::redraw()
{
    if (host_ != nullptr)
        host_->redraw();
}

void StackupPicture::mouseMove(Point p)
{
    if (!mouseEnabled())
        return;
    const Point content = toContent(p);
    if (!dragging_) {
        const int32_t hit = hitTest(content);
        if (hit != hovered_) {
            hovered_ = hit;
            redraw();
        }
        return;
    }
    const int32_t count = static_cast<int32_t>(layout_.layerTop.size());
    int32_t candidate = hitTest(content, true);
    if (candidate < 0) {
        if (count == 0 || content.y < layout_.stack.bottom)
            return;
        candidate = count;
    }
    // The target is the layer the dragged one lands before: over a layer above
    // it the drop goes below that layer, over a layer below it above that one.
    if (candidate < dragged_)
        ++candidate;
    if (candidate == target_)
        return;
    // Back to where it came from is no move at all.
    const bool home = candidate == dragged_ || candidate == dragged_ + 1;
    if (!home && (moves_ == nullptr || !moves_->moveAllowed(dragged_, 1, candidate)))
        return;
    target_ = candidate;
    redraw();
}

void StackupPicture::leftDown(Point p)
{
    if (!mouseEnabled() || dragging_)
        return;
    const int32_t hit = hitTest(toContent(p));
    if (hit < 0)
        return;
    dragged_ = hit;
    target_ = hit;
    dragging_ = true;
    if (host_ != nullptr) {
        host_->setCursor(PictureCursor::Drag);
        host_->captureMouse(true);
    }
    redraw();
}

void StackupPicture::leftUp(Point)
{
    if (!dragging_)
        return;
    const int32_t destination = dragged_ < target_ ? target_ - 1 : target_;
    const bool move = mouseEnabled() && target_ >= 0 && destination != dragged_;
    dragging_ = false;
    hovered_ = -1;
    target_ = -1;
    if (host_ != nullptr) {
        host_->captureMouse(false);
        host_->setCursor(PictureCursor::Arrow);
    }
    if (move && moves_ != nullptr)
        moves_->moveLayer(dragged_, destination);
    dragged_ = -1;
    redraw();
}

void StackupPicture::mouseLeft()
{
    if (dragging_ || hovered_ < 0)
        return;
    hovered_ = -1;
    redraw();
}

void StackupPicture::doubleClick(Point p)
{
    if (!mouseEnabled())
        return;
    const int32_t hit = hitTest(toContent(p));
    if (hit >= 0 && moves_ != nullptr)
        moves_->selectLayer(hit);
}

namespace {

int32_t steppedPosition(int32_t from, int64_t steps, int32_t step)
{
    const int64_t to = from + steps * step;
    return static_cast<int32_t>(std::clamp<int64_t>(to, 0, std::numeric_limits<int32_t>::max()));
}

} // namespace

void StackupPicture::scrollLines(int32_t lines)
{
    scrollTo(steppedPosition(scrollPos_, lines, layout_.textHeight * 6 / 8));
}

void StackupPicture::scrollPages(int32_t pages) { scrollTo(steppedPosition(scrollPos_, pages, layout_.scrollPage)); }

void StackupPicture::scrollTo(int32_t position)
{
    const int32_t clamped = std::clamp(position, 0, maxScrollPosition(layout_));
    if (clamped == scrollPos_)
        return;
    scrollPos_ = clamped;
    if (host_ != nullptr)
        host_->setScrollBar(layout_.scrollMaximum, layout_.scrollPage, scrollPos_);
    redraw();
}

} // namespace lm
