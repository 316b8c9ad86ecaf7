// Save, Save as and Load of the example host's archive callback, driven as the
// editor drives it, without a window: the questions are scripted.
#include "EditorSetup.h"
#include "InstanceBoards.h"
#include "StackupArchive.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <sstream>

using namespace lmhost;
using lm::test::fileText;
namespace fs = std::filesystem;

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
        original = fileText(file);
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
    std::string original;
    StackupDocument document;
    Instance instance{lmInitInstance(nullptr, 0)};
    ScriptedUi ui;
    std::ostringstream out;
};

} // namespace

TEST_F(StackupArchiveTest, SaveWritesTheEditedBoardsBackWithTheirDrillPairs)
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
    EXPECT_EQ(out.str(), "laminar: wrote " + file.string() + "\n");
    EXPECT_TRUE(ui.errors.empty());

    const std::vector<BoardStackup> saved = readStackupFile(file);
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].layers.size(), document.boards[0].layers.size());
    EXPECT_EQ(saved[0].layers[2].dThickness, 1.23e-4);
    EXPECT_EQ(saved[0].layers[3].nId, 99);
    EXPECT_EQ(saved[0].name, "Main");
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const LMDRILLPAIR& pair : saved[0].drillPairs) pairs.emplace_back(pair.fromLayerId, pair.toLayerId);
    EXPECT_EQ(pairs, (std::vector<std::pair<int32_t, int32_t>>{{2, 16}, {6, 12}, {14, 16}}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << "a temporary file stayed";
}

TEST_F(StackupArchiveTest, FailedSaveShowsTheProblemAndKeepsThePreviousFile)
{
    StackupArchive archive(instance.get(), document, ui, out);
    std::strcpy(layer(1).szName, "L1_\xff"); // not UTF-8: the file cannot hold it
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 0);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find(file.string() + ": boards[0].layers[1].name: name is not valid UTF-8"), std::string::npos)
        << ui.errors[0];
    EXPECT_EQ(fileText(file), original);
    EXPECT_EQ(out.str(), "");

    // Save as into a folder that does not exist: the file stays the one opened.
    std::strcpy(layer(1).szName, "L1");
    ui.answers = {dir.path / "missing" / "copy.json"};
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE_AS), 0);
    EXPECT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(archive.file(), file);
}

TEST_F(StackupArchiveTest, SaveAsWritesThereAndLaterSavesFollow)
{
    StackupArchive archive(instance.get(), document, ui, out);
    ui.answers = {fs::path()}; // cancelled
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE_AS), 0);
    EXPECT_TRUE(ui.errors.empty());

    const fs::path copy = dir.path / "copy.json";
    layer(0).dEr = 3.7;
    ui.answers = {copy};
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE_AS), 1);
    EXPECT_EQ(archive.file(), copy);
    EXPECT_EQ(readStackupFile(copy)[0].layers[0].dEr, 3.7);
    layer(0).dEr = 3.8;
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 1);
    EXPECT_EQ(readStackupFile(copy)[0].layers[0].dEr, 3.8);
    EXPECT_EQ(fileText(file), original);
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

    ui.stillOpen = true; // the user answered No to losing the changes
    ui.answers = {rigidFlex};
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_LOAD), 0);
    EXPECT_FALSE(archive.takeLoadedDocument());

    ui.stillOpen = false;
    ui.answers = {rigidFlex};
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_LOAD), 1);
    const std::optional<StackupDocument> loaded = archive.takeLoadedDocument();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->file, rigidFlex);
    EXPECT_EQ(loaded->boards.size(), readStackupFile(rigidFlex).size());
    EXPECT_FALSE(archive.takeLoadedDocument()) << "handed over once";
    EXPECT_EQ(archive.file(), file) << "the file changes with the next run, not before";
}

TEST_F(StackupArchiveTest, TitleMarksEditsUntilSavedOrUndoneToTheFilesState)
{
    StackupArchive archive(instance.get(), document, ui, out);
    UnsavedMark mark(instance.get(), document);
    archive.setUnsavedMark(&mark);
    EXPECT_EQ(editorTitle(file, true), "Laminar - board.json*");
    mark.refresh();
    EXPECT_FALSE(mark.unsaved()) << "the boards as added are the file's state";

    const double thickness = layer(2).dThickness;
    layer(2).dThickness = thickness * 2;
    mark.refresh();
    EXPECT_TRUE(mark.unsaved());
    layer(2).dThickness = thickness; // undone back to the file
    mark.refresh();
    EXPECT_FALSE(mark.unsaved());

    layer(0).crColor ^= 0xFF; // appearance is in the file too
    mark.refresh();
    EXPECT_TRUE(mark.unsaved());
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 1);
    EXPECT_FALSE(mark.unsaved());
    mark.refresh();
    EXPECT_FALSE(mark.unsaved()) << "the saved boards are the file's state";

    // A failed save keeps the mark; Save as then compares with the new file.
    std::strcpy(layer(1).szName, "L1_\xff");
    mark.refresh();
    EXPECT_TRUE(mark.unsaved());
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE), 0);
    EXPECT_TRUE(mark.unsaved());
    std::strcpy(layer(1).szName, "Renamed");
    ui.answers = {dir.path / "copy"};
    EXPECT_EQ(archive.Perform(LM_ARCHIVE_SAVE_AS), 1);
    mark.refresh();
    EXPECT_FALSE(mark.unsaved());
    layer(1).szName[0] = 'X';
    mark.refresh();
    EXPECT_TRUE(mark.unsaved());
}
