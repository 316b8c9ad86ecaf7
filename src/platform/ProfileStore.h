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
    // False when the value could not be written. A store may hold the values
    // back until flush(); they are not lasting before it succeeded.
    virtual bool writeInt(std::string_view section, std::string_view entry, int32_t value) = 0;
    // Makes every value written so far lasting at once; false when that failed,
    // and then none of the held-back values was kept.
    virtual bool flush() = 0;
};

} // namespace lm
