#include "print/Documentation.h"

#include "document/Board.h"
#include "model/FormatText.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "print/Schematic.h"
#include "res/Strings.h"

#include <algorithm>

namespace lm {
namespace {

constexpr int32_t kPointSize = 8;
constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kWhite = rgb(255, 255, 255);

} // namespace

std::string documentationLine(const LMLAYEREX& layer, double z0, const LMEDITSETTINGS& settings)
{
    const LMUNIT& unit = settings.currentUnit();
    const double thickness = thicknessShown(layer, unit, settings.metalThicknessAs);
    const std::string unitText = columnUnitText(kColThickness, unit, settings.metalThicknessAs);
    const std::string name(layerName(layer));
    switch (layer.nUsage) {
    case kSignal:
    case kFloodedSignal: // a signal layer with a copper pour: described as one
        if (z0 != 0.0) {
            const std::string lengthUnit(lengthUnitText(unit));
            return formatText("%.5g %s, %s, Z0 = %g ohms, width = %.5g %s", thickness, unitText.c_str(), name.c_str(),
                              roundToDigits(z0, 1), lengthShown(layer.dTestWidth, unit), lengthUnit.c_str());
        }
        return formatText("%.5g %s, %s", thickness, unitText.c_str(), name.c_str());
    case kSolidPlane:
    case kSplitPlane: return formatText("%.5g %s, %s", thickness, unitText.c_str(), name.c_str());
    case kPlating: return formatText("%.5g %s", thickness, unitText.c_str());
    default:
        if (isDielectricUsage(layer.nUsage))
            return formatText("%.5g %s, Er = %g", thickness, unitText.c_str(), layer.dEr);
        return formatText("%.5g %s", thickness, unitText.c_str());
    }
}

Documentation::Documentation(const LMEDITSETTINGS& settings, const DesignInfo& design, std::vector<double> z0)
    : settings_(settings), design_(design), z0_(std::move(z0))
{
}

std::vector<std::string> Documentation::titleLines() const
{
    using namespace res;
    return {std::string(loadString(IDS_DOC_TITLE)),
            formatText(loadString(IDS_DOC_DESIGN_LINE), design_.designName.c_str(), design_.designer.c_str()),
            formatText(loadString(IDS_DOC_THIRD_LINE), design_.third.c_str())};
}

Size Documentation::measure(Canvas& canvas)
{
    canvas.setFont({kPointSize, false});
    const std::span<const LMLAYEREX> layers = currentLayers(settings_);
    lines_.clear();
    for (std::size_t i = 0; i < layers.size(); ++i)
        lines_.push_back(documentationLine(layers[i], i < z0_.size() ? z0_[i] : 0.0, settings_));
    const int32_t acw = averageCharWidth(canvas);
    lineHeight_ = canvas.textHeight() * 3 / 2;
    margin_ = 2 * acw;
    schematicWidth_ = 20 * acw;
    int32_t width = 0;
    for (const std::string& line : titleLines())
        width = std::max(width, canvas.textWidth(line));
    for (const std::string& line : lines_)
        width = std::max(width, schematicWidth_ + 2 * acw + canvas.textWidth(line));
    const auto rows = static_cast<int32_t>(layers.size());
    size_ = {width + 2 * margin_, 2 * margin_ + (4 + rows) * lineHeight_};
    return size_;
}

void Documentation::draw(Canvas& canvas)
{
    canvas.setOrigin({0, 0});
    canvas.fillRect({0, 0, size_.width, size_.height}, kWhite);
    canvas.setFont({kPointSize, false});
    canvas.setTextColour(kBlack);
    int32_t y = margin_;
    for (const std::string& line : titleLines()) {
        canvas.text({0, y, size_.width, y + lineHeight_}, line, TextAlign::Centre);
        y += lineHeight_;
    }
    y += lineHeight_;
    drawSchematic(canvas, currentLayers(settings_), {margin_, y}, {schematicWidth_, lineHeight_}, SchematicFill::Hatched);
    const int32_t textLeft = margin_ + schematicWidth_ + margin_;
    for (const std::string& line : lines_) {
        canvas.text({textLeft, y, size_.width - margin_, y + lineHeight_}, line, TextAlign::Left);
        y += lineHeight_;
    }
}

} // namespace lm
