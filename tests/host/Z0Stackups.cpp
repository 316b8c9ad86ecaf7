#include "Z0Stackups.h"

#include "LayerCodes.h"

#include <sstream>
#include <stdexcept>

namespace lmz0::test {
namespace {

constexpr int32_t kSignal = 0, kSolidPlane = 1, kSubstrate = 5, kSolderMask = 6;

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

} // namespace

std::vector<LMLAYEREX> stackupOf(const std::string& text, double w, double gap)
{
    std::vector<LMLAYEREX> layers;
    for (const std::string& item : split(text, '/')) {
        const std::vector<std::string> fields = split(item, ':');
        if (fields.size() != 3) throw std::invalid_argument("bad layer " + item);
        const std::string& kind = fields[0];
        const int32_t usage = kind == "plane" ? kSolidPlane
                              : kind == "sig" ? kSignal
                              : kind == "mask" ? kSolderMask
                                               : kSubstrate;
        LMLAYEREX layer = lmhost::defaultLayer(usage);
        layer.nId = static_cast<int32_t>(layers.size()) + 1;
        layer.dThickness = std::stod(fields[1]) * 1e-6;
        layer.dEr = std::stod(fields[2]);
        layer.dLossTangent = 0.02;
        if (usage == kSignal) {
            layer.dTestWidth = layer.dWidth = w;
            layer.dGap = gap;
        }
        layers.push_back(layer);
    }
    return layers;
}

int32_t traceIndexOf(const std::string& text)
{
    const std::vector<std::string> items = split(text, '/');
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].rfind("sig:", 0) == 0) return static_cast<int32_t>(i);
    throw std::invalid_argument("no trace layer in " + text);
}

} // namespace lmz0::test
