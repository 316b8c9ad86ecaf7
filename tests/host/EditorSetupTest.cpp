// How the example host sets an instance up (units, capabilities, the command
// line of the editor forms, stored preferences), and Save, Save as and Load of
// its archive callback, driven as the editor drives it, without a window: the
// questions are scripted.
#include "EditorOptions.h"
#include "EditorSetup.h"
#include "InstanceBoards.h"
#include "LayerCodes.h"
#include "StackupArchive.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <sstream>
#include <tuple>

using namespace lmhost;
using lm::test::fileText;
namespace fs = std::filesystem;

TEST(EditorSetup, UnitsConvertByTheirDefinitions)
{
    const std::array<LMUNIT, 2> units = hostUnits();
    EXPECT_EQ(std::tuple(units[0].dLengthFactor, units[0].dWeightFactor), std::tuple(1e6, 1.0));
    EXPECT_DOUBLE_EQ(units[1].dLengthFactor * 25.4e-6, 1.0);      // a mil is exactly 25.4 um
    EXPECT_DOUBLE_EQ(units[1].dWeightFactor * 28.349523125, 1.0); // an ounce is exactly 28.349523125 g
}

// Substrate (5) and Solder Mask (6) are rigid boards; Rigid (7) to Stiffener (11)
// are not, on any board of the file.
TEST(EditorSetup, RigidFlexCapabilityFollowsTheUsagesOfTheFile)
{
    const auto capabilities = [](const std::vector<std::vector<int32_t>>& usagesOfBoards) {
        std::vector<BoardStackup> boards;
        for (const std::vector<int32_t>& usages : usagesOfBoards) {
            boards.push_back({static_cast<int32_t>(boards.size()) + 1, "B", {}, {}});
            for (int32_t usage : usages) boards.back().layers.push_back(defaultLayer(usage));
        }
        Instance instance(lmInitInstance(nullptr, 0));
        (void)setUpInstance(instance.get(), {"b.json", boards, nullptr}, "", nullptr);
        return lmGetCaps(instance.get(), 0xFFFFFFFFu);
    };
    EXPECT_EQ(capabilities({{0, 5, 1, 6, 4}}), kHostCaps);
    EXPECT_EQ(capabilities({{0, 7, 1}}), kHostCaps | LM_CAP_RIGID_FLEX);
    EXPECT_EQ(capabilities({{0, 5, 1}, {0, 11, 1}}), kHostCaps | LM_CAP_RIGID_FLEX);
}

TEST(EditorOptions, ParsesTheEditorFormsAndRefusesWhatCannotWork)
{
    const std::vector<std::string> full{"--split", "horizontal", "f.json", "--screenshot", "o.png", "--tab", "0"};
    const EditorOptions options = parseEditorOptions(full);
    EXPECT_EQ(std::tuple(options.file, *options.screenshot, options.tab, options.split, options.calculator),
              std::tuple("f.json", "o.png", 0, SplitChoice::Horizontal, true));
    const EditorOptions plain = parseEditorOptions(std::vector<std::string>{"--no-calculator", "f.json"});
    EXPECT_EQ(std::tuple(plain.screenshot.has_value(), plain.calculator), std::tuple(false, false));

    const std::vector<std::vector<std::string>> refused{
        {"f.json", "--screenshot"},                 // value missing at the end
        {"f.json", "--screenshot", "o.png", "--tab", "-1"},
        {"f.json", "g.json"},
    };
    for (const std::vector<std::string>& args : refused)
        EXPECT_THROW(parseEditorOptions(args), UsageError) << args.back();
}

TEST(EditorSetup, RefusedPreferencesAreNamedAndLeftAlone)
{
    lm::test::ConfigHome config;
    const fs::path file = config.path / "Quorvex" / "liblaminar.ini";
    fs::create_directories(file.parent_path());
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
    EXPECT_EQ(stored, fileText(file));
}

namespace {

class ScriptedUi final : public ArchiveUi {
public:
    std::deque<fs::path> answers; // the files the user picks, in order; empty path = Cancel
    std::vector<std::string> errors;
    bool stillOpen = false;

    fs::path askSavePath(const fs::path&) override { return next(); }
    fs::path askLoadPath(const fs::path&) override { return next(); }
    void showError(const std::string& message) override { errors.push_back(message); }
    bool editorStillOpen() override { return stillOpen; }

private:
    fs::path next()
    {
        fs::path answer = answers.empty() ? fs::path() : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
};

class StackupArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = dir.path / "board.json";
        fs::copy_file(fs::path(LAMINAR_EXAMPLES) / "8-layer.json", file);
        document = {file, readStackupFile(file), nullptr};
        addBoards(instance.get(), document.boards);
    }

    // The instance's own record, as the editor edits it.
    LMLAYEREX& layer(int index)
    {
        LMLAYEREX* layers = nullptr;
        int32_t count = 0;
        lmGetStackup(instance.get(), document.boards[0].id, &layers, &count);
        return layers[index];
    }

    lm::test::TempDir dir;
    fs::path file;
    StackupDocument document;
    Instance instance{lmInitInstance(nullptr, 0)};
    ScriptedUi ui;
    std::ostringstream out;
};

} // namespace

TEST_F(StackupArchiveTest, SaveWritesTheEditedBoardsWithTheirDrillPairs)
{
    StackupArchive archive(instance.get(), document, ui, out);
    for (int operation : {LM_ARCHIVE_SAVE, LM_ARCHIVE_SAVE_AS, LM_ARCHIVE_LOAD}) EXPECT_TRUE(archive.IsSupported(operation));
    EXPECT_FALSE(archive.IsSupported(3));

    layer(2).dThickness = 1.23e-4;
    // A layer a drill pair names got another id: the pair cannot be written
    // (the file would not read back) and the component ignores it anyway.
    ASSERT_EQ(layer(3).nId, 4);
    layer(3).nId = 99;
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 1);
    EXPECT_EQ(std::tuple(out.str(), ui.errors.size()), std::tuple("laminar: wrote " + file.string() + "\n", 0u));

    const std::vector<BoardStackup> saved = readStackupFile(file);
    ASSERT_EQ(std::tuple(saved.size(), saved[0].layers.size()), std::tuple(1ul, document.boards[0].layers.size()));
    EXPECT_EQ(std::tuple(saved[0].layers[2].dThickness, saved[0].layers[3].nId, saved[0].name),
              std::tuple(1.23e-4, 99, "Main"));
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const LMDRILLPAIR& pair : saved[0].drillPairs) pairs.emplace_back(pair.fromLayerId, pair.toLayerId);
    EXPECT_EQ(pairs, (std::vector<std::pair<int32_t, int32_t>>{{2, 16}, {6, 12}, {14, 16}}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << "a temporary file stayed";
}

TEST_F(StackupArchiveTest, LoadHandsOverOnlyAValidFileAndOnlyWhenTheRunEnded)
{
    StackupArchive archive(instance.get(), document, ui, out);
    const fs::path malformed = fs::path(LAMINAR_HOST_TEST_DATA) / "malformed.json";
    const fs::path rigidFlex = fs::path(LAMINAR_EXAMPLES) / "rigid-flex.json";

    ui.answers = {malformed};
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_LOAD), 0);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].rfind(malformed.string() + ": not valid JSON", 0), 0u) << ui.errors[0];
    EXPECT_FALSE(archive.takeLoadedDocument());

    // The user answered No to losing the changes: the editor is still open.
    for (const bool stillOpen : {true, false}) {
        ui.stillOpen = stillOpen;
        ui.answers = {rigidFlex};
        EXPECT_EQ(archive.Perform(LM_ARCHIVE_LOAD), stillOpen ? 0 : 1);
        EXPECT_FALSE(stillOpen && archive.takeLoadedDocument().has_value());
    }
    const std::optional<StackupDocument> loaded = archive.takeLoadedDocument();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(std::tuple(loaded->file, loaded->boards.size()), std::tuple(rigidFlex, readStackupFile(rigidFlex).size()));
    EXPECT_FALSE(archive.takeLoadedDocument()) << "handed over once";
    EXPECT_EQ(archive.file(), file) << "the file changes with the next run, not before";
}

// Save, Save as and their failures, with the title's unsaved mark after each step.
TEST_F(StackupArchiveTest, TitleMarksEditsUntilSavedAndFailedSavesKeepTheFile)
{
    StackupArchive archive(instance.get(), document, ui, out);
    UnsavedMark mark(instance.get(), document);
    archive.setUnsavedMark(&mark);
    EXPECT_EQ(editorTitle(file, true), "Laminar - board.json*");
    const double thickness = layer(2).dThickness;
    std::string saved;
    // Each step, then whether the boards differ from the file's state after a refresh.
    const std::pair<std::function<void()>, bool> steps[] = {
        {[] {}, false}, // the boards as added are the file's state
        {[&] { layer(2).dThickness = thickness * 2; }, true},
        {[&] { layer(2).dThickness = thickness; }, false}, // undone back to the file
        {[&] { layer(0).crColor ^= 0xFF; }, true},         // appearance is in the file too
        {[&] { EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 1); EXPECT_FALSE(mark.unsaved()); }, false},
        {[&] { std::strcpy(layer(1).szName, "L1_\xff"); }, true}, // not UTF-8: the file cannot hold it
        {[&] { // a failed save keeps the file and the mark
             saved = fileText(file);
             EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 0);
             EXPECT_EQ(fileText(file), saved);
         },
         true},
        {[&] { // Save as: into a folder that does not exist, cancelled, then to a name typed without extension
             std::strcpy(layer(1).szName, "Renamed");
             ui.answers = {dir.path / "missing" / "copy.json", fs::path(), dir.path / "copy"};
             EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE_AS), 0);
             EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE_AS), 0);
             EXPECT_EQ(archive.file(), file);
             EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE_AS), 1);
         },
         false},
        {[&] { layer(1).szName[0] = 'X'; }, true},
        {[&] { EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 1); }, false}, // to the file saved as
    };
    for (std::size_t step = 0; step < std::size(steps); ++step) {
        steps[step].first();
        mark.refresh();
        EXPECT_EQ(mark.unsaved(), steps[step].second) << "step " << step;
    }
    const fs::path copy = dir.path / "copy.json";
    EXPECT_EQ(std::tuple(archive.file(), std::string(readStackupFile(copy)[0].layers[1].szName), fileText(file)),
              std::tuple(copy, "Xenamed", saved));
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_NE(ui.errors[0].find(file.string() + ": boards[0].layers[1].name: name is not valid UTF-8"), std::string::npos)
        << ui.errors[0];
}
