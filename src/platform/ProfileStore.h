#pragma once
// The per-user settings store: 32-bit integers by section and entry.
#include <cstdint>
#include <string_view>

namespace lm {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The stored value, or `fallback` when the entry is missing or unreadable.
    virtual int32_t readInt(std::string_view section, std::string_view entry, int32_t fallback) = 0;
    // False when the value could not be written.
    virtual bool writeInt(std::string_view section, std::string_view entry, int32_t value) = 0;
};

} // namespace lm
