#include "api/EditorInstance.h"

#include "OpenEditor.h"
#include "res/Strings.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using lm::MessageAnswer;
using lm::MessageButtons;
using lm::MessageIcon;
using lm::test::ShownMessage;

namespace {

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

void LMCALLBACK throwingCloseProc(int32_t, const char*) { throw std::runtime_error("host failure"); }

// Boards 100.. whose only layer has id 0, 1, ..., checked by the scripted checker, open in the fakes.
struct CheckedEditor : lm::test::OpenEditor {
    ScriptedDrc drc;
    explicit CheckedEditor(int boards, LMCLOSEPROC closeProc = nullptr, const char* context = "")
    {
        for (int i = 0; i < boards; ++i)
            lm::test::addBoard(instance, 100 + i, {i});
        instance.setDrc(&drc);
        open(closeProc, context);
    }
};

const std::string stillInvalid(lm::res::loadString(lm::res::IDS_STILL_INVALID_PROCEED));
const std::string critical(lm::res::loadString(lm::res::IDS_CRITICAL_NOT_SAVED));
const std::string changesLost(lm::res::loadString(lm::res::IDS_CHANGES_LOST));

} // namespace

TEST(ClosePaths, ApplyChecksBoardsLastToFirstAndAsksOnErrors)
{
    CheckedEditor editor(3);
    editor.drc.severityOfBoard = {2, 1, 2};
    editor.platform.answers = {MessageAnswer::Yes, MessageAnswer::No};
    EXPECT_FALSE(editor.instance.applyAndClose(editor.platform));
    EXPECT_EQ(editor.drc.asked, (std::vector<int32_t>{2, 1, 0}));
    const ShownMessage question{stillInvalid, MessageButtons::YesNo, MessageIcon::Question};
    EXPECT_EQ(editor.platform.messages, (std::vector{question, question}));
    EXPECT_EQ(editor.window.calls, std::vector<std::string>{"commitPendingEdit"});

    editor.platform.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    EXPECT_TRUE(editor.instance.applyAndClose(editor.platform));
    EXPECT_EQ(editor.window.finishedApplied, true);
    EXPECT_EQ(editor.instance.window(), nullptr);

    // Without a rules checker Apply closes unchecked; a close function that throws does not stop it.
    CheckedEditor unchecked(2, throwingCloseProc, "ctx");
    unchecked.instance.setDrc(nullptr);
    EXPECT_TRUE(unchecked.instance.applyAndClose(unchecked.platform));
    EXPECT_TRUE(unchecked.drc.asked.empty() && unchecked.platform.messages.empty());
    EXPECT_EQ(unchecked.window.finishedApplied, true);
}

TEST(ClosePaths, CriticalFindingRefreshesThePictureThenRefuses)
{
    CheckedEditor editor(3);
    editor.drc.severityOfBoard = {0, 3, 2};
    editor.platform.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(editor.instance.applyAndClose(editor.platform));
    EXPECT_EQ(editor.drc.asked, (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(editor.log, (lm::test::EventLog{"commitPendingEdit", "message: " + stillInvalid, "refreshPicture",
                                               "message: " + critical}));
    EXPECT_EQ(editor.platform.messages.back(), (ShownMessage{critical, MessageButtons::Ok, MessageIcon::Exclamation}));
    EXPECT_NE(editor.instance.window(), nullptr);

    // Saving asks the same but never closes.
    editor.log.clear();
    editor.platform.answers = {MessageAnswer::Yes};
    editor.drc.severityOfBoard = {2, 0, 0};
    editor.instance.saveInstance(editor.platform);
    EXPECT_EQ(editor.log, (lm::test::EventLog{"commitPendingEdit", "message: " + stillInvalid}));
    EXPECT_NE(editor.instance.window(), nullptr);
}

TEST(ClosePaths, DiscardAsksOnlyAfterChangesAndKeepsTheEdits)
{
    CheckedEditor unchanged(1);
    EXPECT_TRUE(unchanged.instance.discardAndClose(unchanged.platform));
    EXPECT_TRUE(unchanged.platform.messages.empty());
    EXPECT_EQ(unchanged.log, (lm::test::EventLog{"commitPendingEdit", "prepareGridForClose", "finish(discarded)",
                                                  "takeColumnWidths", "capturePlacement"}));

    CheckedEditor edited(2);
    // The cell being edited is committed before the comparison sees it.
    edited.window.onCommit = [&] { lm::test::layersOf(edited.instance, 101)[0].dThickness = 1e-3; };
    edited.platform.answers = {MessageAnswer::No};
    EXPECT_FALSE(edited.instance.discardAndClose(edited.platform));
    EXPECT_EQ(edited.platform.messages,
              (std::vector<ShownMessage>{{changesLost, MessageButtons::YesNo, MessageIcon::Question}}));
    EXPECT_EQ(edited.window.count("prepareGridForClose"), 0);

    edited.platform.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(edited.instance.discardAndClose(edited.platform));
    EXPECT_EQ(edited.window.finishedApplied, false);
    EXPECT_EQ(edited.instance.getChanges(false), 0x1u);
    EXPECT_EQ(lm::test::layersOf(edited.instance, 101)[0].dThickness, 1e-3);
}
