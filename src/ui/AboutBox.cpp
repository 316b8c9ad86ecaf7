#include "ui/AboutBox.h"

#include "res/DialogTemplates.h"

#include <algorithm>
#include <charconv>

namespace lm {

uint64_t fileVersionFromText(std::string_view dotted)
{
    uint64_t version = 0;
    for (int part = 0; part < 4; ++part) {
        const std::string_view field = dotted.substr(0, dotted.find('.'));
        uint64_t value = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error == std::errc::result_out_of_range || (error == std::errc{} && value > 0xFFFF))
            value = 0xFFFF;
        else if (error != std::errc{})
            value = 0;
        version = (version << 16) | value;
        dotted.remove_prefix(std::min(dotted.size(), field.size() + 1));
    }
    return version;
}

std::string aboutVersionLine(uint64_t fileVersion)
{
    const auto part = [fileVersion](int shift) { return static_cast<uint32_t>(fileVersion >> shift) & 0xFFFF; };
    return res::aboutVersionLine(part(48), part(32), part(16));
}

std::string aboutVersionLine() { return aboutVersionLine(fileVersionFromText(LAMINAR_VERSION)); }

} // namespace lm
