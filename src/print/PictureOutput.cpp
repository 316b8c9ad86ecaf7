#include "print/PictureOutput.h"

#include "model/FormatText.h"
#include "model/LayerRecord.h"
#include "picture/PictureLabels.h"
#include "res/Strings.h"

#include <algorithm>
#include <cmath>

namespace lm {
namespace {

constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kWhite = rgb(255, 255, 255);

int32_t roundedPercent(int64_t numerator, int64_t denominator)
{
    if (denominator <= 0)
        return 100;
    return static_cast<int32_t>(std::lround(static_cast<double>(numerator) * 100.0 / static_cast<double>(denominator)));
}

void totalThicknessLine(Canvas& canvas, const StackupPicture& picture, const LMEDITSETTINGS& settings, int32_t top)
{
    const PictureLayout& layout = picture.currentLayout();
    const std::string line = formatText(res::loadString(res::IDS_TOTAL_THICKNESS), totalThicknessText(settings).c_str());
    canvas.text({layout.leftLabels.left, top, layout.leftLabels.left + canvas.textWidth(line) + 1, top + layout.textHeight},
                line, TextAlign::Left);
}

} // namespace

int32_t pictureSourceHeight(const StackupPicture& picture)
{
    const PictureLayout& layout = picture.currentLayout();
    if (layout.scrollMaximum > 0)
        return layout.contentHeight + 2 * layout.textHeight;
    return picture.clientSize().height;
}

int32_t picturePrintScale(Size page, int32_t clientWidth, int32_t sourceHeight, int32_t textHeight)
{
    const int32_t across = roundedPercent(page.width, clientWidth);
    const int32_t down = roundedPercent(page.height, sourceHeight + 2 * textHeight);
    return std::max(1, std::min(across, down));
}

void printPicture(PageSink& pages, StackupPicture& picture, const LMEDITSETTINGS& settings, const DesignInfo& design)
{
    const PictureLayout& layout = picture.currentLayout();
    const int32_t th = layout.textHeight;
    const int32_t width = picture.clientSize().width;
    const int32_t source = pictureSourceHeight(picture);
    Canvas& canvas = pages.screenCanvas(picturePrintScale(pages.pageSize(), width, source, th));
    canvas.setFont(FontSpec{});
    canvas.setTextColour(kBlack);
    canvas.text({0, 0, width, th},
                formatText(res::loadString(res::IDS_PRINT_TITLE), design.designName.c_str(), design.designer.c_str()),
                TextAlign::Centre);
    picture.paintForOutput(canvas, {0, th});
    canvas.setTextColour(kBlack);
    totalThicknessLine(canvas, picture, settings, th + source);
}

Size CopiedPicture::measure(Canvas& canvas)
{
    picture_.layout(client_, canvas);
    const int32_t th = picture_.currentLayout().textHeight;
    size_ = {picture_.clientSize().width, pictureSourceHeight(picture_) + 3 * th};
    return size_;
}

void CopiedPicture::draw(Canvas& canvas)
{
    const int32_t th = picture_.currentLayout().textHeight;
    canvas.setOrigin({0, 0});
    canvas.fillRect({0, 0, size_.width, size_.height}, kWhite);
    canvas.setFont(FontSpec{});
    canvas.setTextColour(kBlack);
    canvas.text({0, 0, size_.width, th},
                formatText(res::loadString(res::IDS_COPY_PICTURE_TITLE), design_.designName.c_str()), TextAlign::Centre);
    canvas.text({0, th, size_.width, 2 * th}, design_.third, TextAlign::Centre);
    picture_.paintForOutput(canvas, {0, 2 * th});
    canvas.setTextColour(kBlack);
    totalThicknessLine(canvas, picture_, settings_, size_.height - 3 * th);
}

} // namespace lm
