#include "api/EditorInstance.h"

#include "FakeEditorWindow.h"
#include "HeadlessPlatform.h"
#include "res/Strings.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using lm::EditorInstance;
using lm::MessageAnswer;
using lm::MessageButtons;
using lm::MessageIcon;

namespace {

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
// A host checker: answers each board by its first layer's id, and records the order it was asked in.
struct ScriptedDrc : IDRC {
    std::vector<int32_t> severityOfBoard = std::vector<int32_t>(8, 0);
    std::vector<int32_t> asked;
    int32_t CheckValue(int32_t, const LMLAYEREX*, const char**) override { return 0; }
    int32_t CheckStackup(const LMLAYEREX* layers, int32_t, const char** message) override
    {
        *message = "finding";
        asked.push_back(layers[0].nId);
        return severityOfBoard[static_cast<std::size_t>(layers[0].nId)];
    }
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

struct CloseRecord {
    std::vector<std::pair<int32_t, std::string>> calls;
} closeRecord;

void LMCALLBACK recordingCloseProc(int32_t code, const char* context) { closeRecord.calls.emplace_back(code, context); }
void LMCALLBACK throwingCloseProc(int32_t, const char*) { throw std::runtime_error("host failure"); }

// An instance with boards 0..n-1 (board i's only layer has id i), opened in a recording window.
struct OpenEditor {
    lm::test::EventLog log;
    lm::test::HeadlessPlatform platform{&log};
    lm::test::FakeEditorWindow window{&log};
    ScriptedDrc drc;
    EditorInstance instance;

    explicit OpenEditor(int boards, LMCLOSEPROC closeProc = nullptr, const char* context = "")
    {
        for (int i = 0; i < boards; ++i) {
            LMLAYEREX layer{};
            layer.nId = i;
            layer.nType = 1;
            instance.addStackup(100 + i, "board", &layer, 1);
        }
        instance.setDrc(&drc);
        instance.openedWindow(window, platform, closeProc, context);
        window.onFinish = [this] { instance.windowDestroyed(); };
    }
    LMLAYEREX& layerOfBoard(int32_t boardId)
    {
        LMLAYEREX* layers = nullptr;
        int32_t count = 0;
        instance.getStackup(boardId, &layers, &count);
        return layers[0];
    }
};

const std::string stillInvalid(lm::res::loadString(lm::res::IDS_STILL_INVALID_PROCEED));
const std::string critical(lm::res::loadString(lm::res::IDS_CRITICAL_NOT_SAVED));
const std::string changesLost(lm::res::loadString(lm::res::IDS_CHANGES_LOST));

} // namespace

TEST(ClosePaths, ApplyChecksBoardsLastToFirstAndAsksOnErrors)
{
    OpenEditor editor(3);
    editor.drc.severityOfBoard = {2, 1, 2};
    editor.platform.answers = {MessageAnswer::Yes, MessageAnswer::No};
    EXPECT_FALSE(editor.instance.applyAndClose(editor.platform));
    EXPECT_EQ(editor.drc.asked, (std::vector<int32_t>{2, 1, 0}));
    ASSERT_EQ(editor.platform.messages.size(), 2u);
    EXPECT_EQ(editor.platform.messages[0].text, stillInvalid);
    EXPECT_EQ(editor.platform.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(editor.platform.messages[0].icon, MessageIcon::Question);
    EXPECT_FALSE(editor.window.finishedApplied.has_value());
    EXPECT_EQ(editor.window.count("commitPendingEdit"), 1);

    editor.platform.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    EXPECT_TRUE(editor.instance.applyAndClose(editor.platform));
    EXPECT_EQ(editor.window.finishedApplied, true);
    EXPECT_EQ(editor.instance.window(), nullptr);
}

TEST(ClosePaths, CriticalFindingRefreshesThePictureThenRefuses)
{
    OpenEditor editor(3);
    editor.drc.severityOfBoard = {0, 3, 2};
    editor.platform.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(editor.instance.applyAndClose(editor.platform));
    EXPECT_EQ(editor.drc.asked, (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(editor.log, (lm::test::EventLog{"commitPendingEdit", "message: " + stillInvalid, "refreshPicture",
                                               "message: " + critical}));
    EXPECT_EQ(editor.platform.messages.back().buttons, MessageButtons::Ok);
    EXPECT_EQ(editor.platform.messages.back().icon, MessageIcon::Exclamation);
    EXPECT_NE(editor.instance.window(), nullptr);

    // Saving asks the same but never closes.
    editor.log.clear();
    editor.platform.answers = {MessageAnswer::Yes};
    editor.drc.severityOfBoard = {2, 0, 0};
    editor.instance.saveInstance(editor.platform);
    EXPECT_EQ(editor.log, (lm::test::EventLog{"commitPendingEdit", "message: " + stillInvalid}));
    EXPECT_NE(editor.instance.window(), nullptr);
}

TEST(ClosePaths, WithoutRulesCheckerApplyClosesUnchecked)
{
    OpenEditor editor(2);
    editor.instance.setDrc(nullptr);
    EXPECT_TRUE(editor.instance.applyAndClose(editor.platform));
    EXPECT_TRUE(editor.drc.asked.empty());
    EXPECT_TRUE(editor.platform.messages.empty());
    EXPECT_EQ(editor.window.finishedApplied, true);
}

TEST(ClosePaths, DiscardAsksOnlyAfterChangesAndKeepsTheEdits)
{
    OpenEditor unchanged(1);
    EXPECT_TRUE(unchanged.instance.discardAndClose(unchanged.platform));
    EXPECT_TRUE(unchanged.platform.messages.empty());
    EXPECT_EQ(unchanged.log, (lm::test::EventLog{"commitPendingEdit", "prepareGridForClose", "finish(discarded)",
                                                  "takeColumnWidths", "capturePlacement"}));

    OpenEditor edited(2);
    // The cell being edited is committed before the comparison sees it.
    edited.window.onCommit = [&] { edited.layerOfBoard(101).dThickness = 1e-3; };
    edited.platform.answers = {MessageAnswer::No};
    EXPECT_FALSE(edited.instance.discardAndClose(edited.platform));
    ASSERT_EQ(edited.platform.messages.size(), 1u);
    EXPECT_EQ(edited.platform.messages[0].text, changesLost);
    EXPECT_EQ(edited.platform.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(edited.window.count("prepareGridForClose"), 0);

    edited.platform.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(edited.instance.discardAndClose(edited.platform));
    EXPECT_EQ(edited.window.finishedApplied, false);
    EXPECT_EQ(edited.instance.getChanges(false), 0x1u);
    EXPECT_EQ(edited.layerOfBoard(101).dThickness, 1e-3);
}

TEST(ClosePaths, ModelessEndsReachTheCloseFunctionWithTheContext)
{
    closeRecord.calls.clear();
    OpenEditor applied(1, recordingCloseProc, "job 7");
    applied.instance.exitInstance(true);
    OpenEditor discarded(1, recordingCloseProc, "job 8");
    discarded.instance.exitInstance(false);
    EXPECT_EQ(closeRecord.calls, (std::vector<std::pair<int32_t, std::string>>{{1, "job 7"}, {2, "job 8"}}));
    EXPECT_EQ(applied.window.finishedApplied, true);
    EXPECT_EQ(discarded.window.finishedApplied, false);

    OpenEditor modal(1);
    modal.instance.exitInstance(true);
    EXPECT_EQ(closeRecord.calls.size(), 2u);
    EXPECT_EQ(modal.window.finishedApplied, true);
}

TEST(ClosePaths, AThrowingCloseFunctionIsSwallowedAndTheWindowStillFinishes)
{
    OpenEditor editor(1, throwingCloseProc, "ctx");
    EXPECT_NO_THROW(editor.instance.applyAndClose(editor.platform));
    EXPECT_EQ(editor.window.finishedApplied, true);
}
