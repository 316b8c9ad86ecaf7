#pragma once
// An in-memory profile store for tests: keeps values, records every write
// attempt in order, and can be told to fail from the Nth write on.
#include "platform/ProfileStore.h"

#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lm::test {

class MemoryProfileStore : public ProfileStore {
public:
    struct Write {
        std::string section;
        std::string entry;
        int32_t value;
        bool operator==(const Write&) const = default;
    };
    using Key = std::pair<std::string, std::string>;

    int32_t readInt(std::string_view section, std::string_view entry, int32_t fallback) override
    {
        const auto found = values.find(Key(section, entry));
        return found == values.end() ? fallback : found->second;
    }
    bool writeInt(std::string_view section, std::string_view entry, int32_t value) override
    {
        writes.push_back({std::string(section), std::string(entry), value});
        if (static_cast<int>(writes.size()) >= failFromWrite)
            return false;
        set(section, entry, value);
        return true;
    }
    bool flush() override { return ++flushes, true; }
    void set(std::string_view section, std::string_view entry, int32_t value) { values[Key(section, entry)] = value; }
    bool has(std::string_view section, std::string_view entry) const { return values.count(Key(section, entry)) != 0; }

    std::map<Key, int32_t> values;
    std::vector<Write> writes;                          // every attempt, failed ones included
    int failFromWrite = std::numeric_limits<int>::max(); // 1-based number of the first failing write
    int flushes = 0;
};

} // namespace lm::test
