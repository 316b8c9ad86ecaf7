#include "picture/PictureLabels.h"

#include "document/Board.h"
#include "document/EditSettings.h"
#include "model/FormatText.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "res/Strings.h"

#include <algorithm>
#include <cstdio>

namespace lm {
namespace {

constexpr int32_t kLeaderGap = 4;        // between the text and its leader line
constexpr int32_t kLeaderMinRun = 12;    // shorter horizontal runs are left out

// Names arrive as UTF-8 on their way to the screen: never cut a character in two.
void dropLastCharacter(std::string& text)
{
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0u) == 0x80u)
        text.pop_back();
    if (!text.empty())
        text.pop_back();
}

std::string thicknessLabel(const LMEDITSETTINGS& settings, const LMLAYEREX& layer)
{
    const LMUNIT& unit = settings.currentUnit();
    const bool weight = layer.nType == kMetal && settings.metalThicknessAs == kThicknessAsWeight;
    const std::string unitText(weight ? weightUnitText(unit) : lengthUnitText(unit));
    return formatText("%.5g %s", thicknessShown(layer, unit, settings.metalThicknessAs), unitText.c_str());
}

std::string z0Label(const LMLAYEREX& layer, std::size_t index, std::size_t layerCount, std::span<const double> z0)
{
    if (!isConductorUsage(layer.nUsage))
        return {};
    if (z0.size() != layerCount)
        return std::string(res::loadString(res::IDS_PICTURE_Z0_NOT_AVAILABLE));
    if (z0[index] == 0.0)
        return std::string(res::loadString(res::IDS_PICTURE_Z0_ERROR));
    return formatText(res::loadString(res::IDS_PICTURE_Z0), z0[index]);
}

} // namespace

std::vector<int32_t> placeLabels(std::span<const int32_t> centres, int32_t textHeight)
{
    std::vector<int32_t> placed(centres.begin(), centres.end());
    const std::size_t count = placed.size();
    if (count == 0)
        return placed;
    const std::size_t middle = count / 2;
    std::size_t upFrom = middle; // labels above this one move up
    if (count % 2 == 0) {
        const std::size_t upper = middle - 1;
        const int32_t spread = textHeight - (placed[middle] - placed[upper]);
        if (spread > 0) {
            placed[upper] -= spread / 2;
            placed[middle] = placed[upper] + textHeight;
        }
        upFrom = upper;
    }
    for (std::size_t i = upFrom; i-- > 0;)
        placed[i] = std::min(placed[i], placed[i + 1] - textHeight);
    for (std::size_t i = middle + 1; i < count; ++i)
        placed[i] = std::max(placed[i], placed[i - 1] + textHeight);
    return placed;
}

std::string shortenToFit(std::string_view text, int32_t width, Canvas& canvas)
{
    if (canvas.textWidth(text) <= width)
        return std::string(text);
    std::string kept(text);
    for (int i = 0; i < 3; ++i)
        dropLastCharacter(kept);
    while (!kept.empty()) {
        const std::string candidate = kept + "...";
        if (canvas.textWidth(candidate) <= width)
            return candidate;
        dropLastCharacter(kept);
    }
    return {};
}

std::string rightLabelText(const LMEDITSETTINGS& settings, std::size_t index, int32_t mode,
                           std::span<const double> z0Values)
{
    const std::span<const LMLAYEREX> layers = currentLayers(settings);
    if (index >= layers.size())
        throw LMInvalidArgument("picture label: layer index out of range");
    const LMLAYEREX& layer = layers[index];
    switch (mode) {
    case 0: return thicknessLabel(settings, layer);
    case 1:
        return layer.nType == kDielectric ? formatText(res::loadString(res::IDS_PICTURE_ER), layer.dEr)
                                          : std::string();
    case 2: return z0Label(layer, index, layers.size(), z0Values);
    default: return {};
    }
}

void drawLeftLabel(Canvas& canvas, const PictureLayout& layout, std::size_t index, std::string_view name)
{
    const Rect& area = layout.leftLabels;
    const std::string shown = shortenToFit(name, area.width(), canvas);
    if (shown.empty())
        return;
    const int32_t y = layout.labelCentre[index];
    const int32_t centre = layout.layerTop[index] + layout.layerHeight[index] / 2;
    const int32_t top = y - layout.textHeight / 2;
    canvas.text({area.left, top, area.right, top + layout.textHeight}, shown, TextAlign::Left);

    const Point start{area.left + canvas.textWidth(shown) + kLeaderGap, y};
    const Point end{layout.stack.left - 1, centre};
    if (start.x >= end.x)
        return;
    std::vector<Point> leader{start};
    if (y != centre && area.right - start.x >= kLeaderMinRun)
        leader.push_back({area.right, y});
    leader.push_back(end);
    canvas.polyline(leader);
}

void drawRightLabel(Canvas& canvas, const PictureLayout& layout, std::size_t index, std::string_view value)
{
    const Rect& area = layout.rightLabels;
    const std::string shown = shortenToFit(value, area.width(), canvas);
    if (shown.empty())
        return;
    const int32_t y = layout.labelCentre[index] - layout.depthY;
    const int32_t centre = layout.layerTop[index] + layout.layerHeight[index] / 2 - layout.depthY;
    const int32_t top = y - layout.textHeight / 2;
    canvas.text({area.left, top, area.right, top + layout.textHeight}, shown, TextAlign::Right);

    const Point start{area.right - canvas.textWidth(shown) - kLeaderGap, y};
    const Point end{layout.stack.right + layout.depthX + 1, centre};
    if (start.x <= end.x)
        return;
    std::vector<Point> leader{start};
    if (y != centre && start.x - area.left >= kLeaderMinRun)
        leader.push_back({area.left, y});
    leader.push_back(end);
    canvas.polyline(leader);
}

std::string totalThicknessText(const LMEDITSETTINGS& settings)
{
    if (settings.currentBoard == nullptr)
        return {};
    double total = 0.0;
    for (const LMLAYEREX& layer : settings.currentBoard->layers)
        total += layer.dThickness;
    const LMUNIT& unit = settings.currentUnit();
    const std::string unitText(lengthUnitText(unit));
    return formatText("%.5g %s", lengthShown(total, unit), unitText.c_str());
}

} // namespace lm
