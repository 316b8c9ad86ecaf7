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

// The rules check's messages are compared in full by its own tests.
TEST(StringTable, TextsWhereATypoIsEasy)
{
    EXPECT_EQ(loadString(IDS_INVALID_THICKNESS),
              "Invalid thickness value.\nLayer must be at least 1 um, i.e. 0.04 mils, thick.");
    EXPECT_EQ(loadString(IDS_Z0_CURVE_TITLE),
              "Layer \"%s\" - Width-vs-Separation Graph for Differential Z0 = %d Ohm");
    EXPECT_EQ(loadString(IDS_PRINT_NAME), "    Name: %s"); // four leading blanks belong to the text
    EXPECT_EQ(loadString(IDS_PRINT_TEMP_COEF), "    Temperature Coefficient: %g 1/\xC2\xB0" "C"); // UTF-8 degree sign
    EXPECT_EQ(loadString(6019), "Pour Draw Style");
    EXPECT_EQ(loadString(IDS_USAGE_SPLIT_MIXED), "Split/Mixed");
    // A command prompt's tool tip is the part before the line break.
    const std::string_view prompt = loadString(IDS_PROMPT_KEEP_SELECTION);
    EXPECT_EQ(prompt.substr(0, prompt.find('\n')), "Keep selection \"on\" during editing operations");
}
