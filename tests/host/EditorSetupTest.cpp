// How the example host sets an instance up: units, capabilities, and the
// command line of the editor forms.
#include "EditorOptions.h"
#include "EditorSetup.h"
#include "InstanceBoards.h"
#include "LayerCodes.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

using namespace lmhost;

TEST(EditorSetup, UnitsConvertByTheirDefinitions)
{
    const std::array<LMUNIT, 2> units = hostUnits();
    EXPECT_DOUBLE_EQ(units[0].dLengthFactor * 1e-6, 1.0);
    EXPECT_DOUBLE_EQ(units[0].dWeightFactor, 1.0);
    EXPECT_DOUBLE_EQ(units[1].dLengthFactor * 25.4e-6, 1.0);      // a mil is exactly 25.4 um
    EXPECT_DOUBLE_EQ(units[1].dWeightFactor * 28.349523125, 1.0); // an ounce is exactly 28.349523125 g

    // The instance knows both: the imperial unit can be chosen.
    Instance instance(lmInitInstance(nullptr, 0));
    const std::vector<BoardStackup> boards{{1, "B", {defaultLayer(0)}, {}}};
    EXPECT_FALSE(setUpInstance(instance.get(), {"b.json", boards, nullptr}, "", nullptr)); // no host check for JSON
    EXPECT_FALSE(editorWasOpened(instance.get())); // what tells a refused run from a discarded one
    const LMSETTINGS imperial{1, 1};
    lmSetSettings(instance.get(), &imperial);
    LMSETTINGS settings{};
    lmGetSettings(instance.get(), &settings);
    EXPECT_EQ(settings.unitIndex, 1);
}

TEST(EditorSetup, RigidFlexCapabilityFollowsTheUsagesOfTheFile)
{
    auto boardWith = [](std::initializer_list<int32_t> usages) {
        BoardStackup board{1, "B", {}, {}};
        for (int32_t usage : usages) board.layers.push_back(defaultLayer(usage));
        return std::vector<BoardStackup>{board};
    };
    // Substrate (5) and Solder Mask (6) are rigid boards; Rigid (7) to Stiffener (11) are not.
    EXPECT_FALSE(usesRigidFlexUsages(boardWith({0, 5, 1, 6, 4})));
    EXPECT_TRUE(usesRigidFlexUsages(boardWith({0, 7, 1})));
    EXPECT_TRUE(usesRigidFlexUsages(boardWith({0, 5, 1, 11})));
    // A second board decides as well.
    std::vector<BoardStackup> two = boardWith({0, 5, 1});
    two.push_back(boardWith({0, 8, 1})[0]);
    two[1].id = 2;
    EXPECT_TRUE(usesRigidFlexUsages(two));

    for (const char* example : {"8-layer.json", "rigid-flex.json"}) {
        const std::vector<BoardStackup> boards = readStackupFile(std::filesystem::path(LAMINAR_EXAMPLES) / example);
        Instance instance(lmInitInstance(nullptr, 0));
        (void)setUpInstance(instance.get(), {example, boards, nullptr}, "", nullptr);
        const uint32_t expected = std::strcmp(example, "rigid-flex.json") == 0 ? (kHostCaps | LM_CAP_RIGID_FLEX) : kHostCaps;
        EXPECT_EQ(lmGetCaps(instance.get(), 0xFFFFFFFFu), expected) << example;
    }
}

TEST(EditorOptions, ParsesTheEditorFormsAndRefusesWhatCannotWork)
{
    const std::vector<std::string> full{"--split", "horizontal", "f.json", "--screenshot", "o.png", "--tab", "0"};
    const EditorOptions options = parseEditorOptions(full);
    EXPECT_EQ(options.file, "f.json");
    EXPECT_EQ(options.screenshot, "o.png");
    EXPECT_EQ(options.tab, 0);
    EXPECT_EQ(options.split, SplitChoice::Horizontal);
    EXPECT_TRUE(options.calculator);
    const EditorOptions plain = parseEditorOptions(std::vector<std::string>{"--no-calculator", "f.json"});
    EXPECT_FALSE(plain.screenshot);
    EXPECT_FALSE(plain.calculator);

    const std::vector<std::vector<std::string>> refused{
        {"f.json", "--screenshot"},                 // value missing at the end
        {"f.json", "--tab", "1"},                   // only with --screenshot
        {"f.json", "--screenshot", "o.png", "--tab", "-1"},
        {"f.json", "--screenshot", "o.png", "--tab", "1x"},
        {"f.json", "--screenshot", "o.png", "--split", "diagonal"},
        {"f.json", "g.json"},
        {"--screenshot", "o.png"},                  // no file
        {"f.json", "--verbose"},
        {"f.json", "--no-calculator=1"},
    };
    for (const std::vector<std::string>& args : refused)
        EXPECT_THROW(parseEditorOptions(args), UsageError) << args.back();
}

TEST(EditorSetup, RefusedPreferencesAreNamedAndLeftAlone)
{
    lm::test::ConfigHome config;
    const std::filesystem::path file = config.path / "Quorvex" / "liblaminar.ini";
    std::filesystem::create_directories(file.parent_path());
    const std::string stored = "[Laminar]\nVerAppearance=10\nVerPlacement=2\nWP Left=5\n[Laminar\\TAB#4]\nCount=-1\n";
    lm::test::writeFileText(file, stored);

    LMHANDLE instance = lmInitInstance(nullptr, 0);
    std::ostringstream err;
    EXPECT_FALSE(restoreUserPreferences(instance, err));
    EXPECT_EQ("laminar: ignored the stored preferences, using the defaults: " + file.string() +
                  ": [Laminar\\TAB#4] Count=-1: column count out of range\n",
              err.str());
    EXPECT_EQ(5, lmGetTabCount(instance)); // the defaults, ready for the editor
    lmFreeInstance(instance);
    EXPECT_EQ(stored, lm::test::fileText(file));
}
