#pragma once
// No desktop for the benchmarks: no message is shown, nothing is refused.
#include "platform/Platform.h"

namespace lm::bench {

class SilentPlatform : public Platform {
public:
    MessageAnswer messageBox(std::string_view, MessageButtons, MessageIcon) override { return MessageAnswer::Ok; }
    void beep() override {}
    void showHelp(std::string_view, uint32_t) override {}
    std::optional<uint32_t> chooseColour(uint32_t) override { return std::nullopt; }
};

} // namespace lm::bench
