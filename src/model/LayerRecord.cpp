#include "model/LayerRecord.h"

#include <algorithm>
#include <cstring>

namespace lm {

std::string_view layerName(const LMLAYEREX& layer)
{
    const char* begin = layer.szName;
    const char* end = std::find(begin, begin + sizeof(layer.szName), '\0');
    return {begin, static_cast<std::size_t>(end - begin)};
}

void setLayerName(LMLAYEREX& layer, std::string_view name)
{
    std::memset(layer.szName, 0, sizeof(layer.szName));
    if (!name.empty())
        std::memcpy(layer.szName, name.data(), std::min(name.size(), kMaxNameBytes));
}

} // namespace lm
