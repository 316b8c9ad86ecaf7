#include "res/Strings.h"

#include <gtest/gtest.h>

using namespace lm::res;

TEST(StringTable, EntriesAscendUniquelyAndEveryOneIsFoundButNoOther)
{
    const auto entries = stringTableEntries();
    ASSERT_FALSE(entries.empty());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(entries[i - 1].id, entries[i].id) << "at id " << entries[i].id;
        }
        EXPECT_FALSE(entries[i].text.empty()) << entries[i].id;
        EXPECT_EQ(loadString(entries[i].id), entries[i].text) << entries[i].id;
    }
    for (uint32_t unknown : {0u, 1132u /* a gap between known ids */, 6012u, 0xFFFFFFFFu})
        EXPECT_TRUE(loadString(unknown).empty()) << unknown;
}

