#include "grid/TabChangeCmd.h"
#include "sheet/UndoStack.h"
#include "document/TabDescr.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using lm::CommandType;
using lm::UndoStack;
using Log = std::vector<std::string>;

namespace {

// Notes each application and records its twin, as real commands do; "!" fails, "*" throws.
class NoteCmd : public lm::UndoableCommand {
public:
    NoteCmd(Log& log, std::string name) : log_(log), name_(std::move(name)) {}
    bool ApplyCommand(UndoStack& history, CommandType type) override
    {
        static const char* const kTypes[] = {"do", "discard", "undo", "redo"};
        if (name_ == "*")
            throw std::invalid_argument("index");
        log_.push_back(name_ + ":" + kTypes[static_cast<int>(type)]);
        history.record(std::make_unique<NoteCmd>(log_, name_), type);
        return name_ != "!";
    }

private:
    Log& log_;
    std::string name_;
};

struct History {
    Log log;
    UndoStack stack;
    void doCmd(const std::string& name) { stack.record(std::make_unique<NoteCmd>(log, name), CommandType::Do); }
    Log taken() { return std::exchange(log, {}); }
};

} // namespace

TEST(UndoStack, GroupUndoesLastFirstAndAlternatesWithRedo)
{
    History h;
    h.doCmd("X");
    h.stack.openGroup();
    h.doCmd("A");
    h.doCmd("B");
    EXPECT_FALSE(h.stack.undo()) << "nothing is undone while a group is open";
    h.stack.closeGroup();
    ASSERT_EQ(h.stack.undoDepth(), 2u);

    EXPECT_TRUE(h.stack.undo());
    EXPECT_EQ(h.taken(), (Log{"B:undo", "A:undo"}));
    ASSERT_EQ(h.stack.redoDepth(), 1u) << "the counterparts of one group form one redo step";
    EXPECT_TRUE(h.stack.redo());
    EXPECT_EQ(h.taken(), (Log{"A:redo", "B:redo"}));
    EXPECT_TRUE(h.stack.undo());
    EXPECT_EQ(h.taken(), (Log{"B:undo", "A:undo"}));
}

TEST(UndoStack, DoEmptiesRedoButRedoneCounterpartsDoNot)
{
    History h;
    h.stack.followBoard(7);
    h.doCmd("A");
    h.doCmd("B");
    h.stack.undo();
    h.doCmd("C");
    EXPECT_EQ(h.stack.redoDepth(), 0u);
    h.stack.undo(); // C
    h.stack.undo(); // A
    h.stack.redo(); // A: its counterpart goes on the undo list without emptying the redo list
    EXPECT_EQ(std::pair(h.stack.undoDepth(), h.stack.redoDepth()), std::pair(std::size_t{1}, std::size_t{1}));

    h.stack.followBoard(7);
    EXPECT_TRUE(h.stack.canUndo()) << "reloading the same board keeps the history";
    h.stack.followBoard(8);
    EXPECT_FALSE(h.stack.canUndo() || h.stack.canRedo());
}

TEST(UndoStack, DiscardingUndoesOnlyTheOpenGroup)
{
    History h;
    h.doCmd("X");
    h.stack.openGroup();
    h.doCmd("A");
    h.stack.openGroup();
    h.doCmd("B");
    h.stack.discardGroup(); // the inner group only
    EXPECT_EQ(h.taken(), (Log{"B:discard"}));
    h.stack.discardGroup();
    EXPECT_EQ(h.taken(), (Log{"A:discard"}));
    EXPECT_FALSE(h.stack.groupOpen());
    // The step before the group stays; discarded commands file their counterparts for redo.
    EXPECT_EQ(std::pair(h.stack.undoDepth(), h.stack.redoDepth()), std::pair(std::size_t{1}, std::size_t{2}));
}

TEST(UndoStack, FailuresKeepTheHistoryUsable)
{
    History h;
    h.stack.openGroup();
    h.doCmd("A");
    h.doCmd("!");
    h.stack.closeGroup();
    EXPECT_FALSE(h.stack.undo()) << "a failed command makes the step fail";
    EXPECT_EQ(h.taken(), (Log{"!:undo", "A:undo"})) << "the rest of the group is still applied";

    h.doCmd("C");
    h.doCmd("*");
    EXPECT_THROW(h.stack.undo(), std::invalid_argument);
    EXPECT_TRUE(h.stack.undo()) << "an application that threw does not block the next";
    EXPECT_EQ(h.taken(), (Log{"C:undo"}));
}

namespace {

struct FakeGrid : lm::TabSwitchTarget {
    std::vector<int32_t> tabs;
    bool selectTabById(int32_t tabId) override { return tabs.push_back(tabId), true; }
};

} // namespace

TEST(TabChangeCmd, UndoAndRedoReturnToTheTabOfTheEdits)
{
    FakeGrid grid;
    UndoStack history;
    EXPECT_EQ(lm::CTabChangeCmd::forSwitch(&grid, -1, lm::kTabMetal), nullptr) << "first tab of a grid";
    EXPECT_EQ(lm::CTabChangeCmd::forSwitch(&grid, lm::kTabMetal, lm::kTabMetal), nullptr);

    history.record(lm::CTabChangeCmd::forSwitch(&grid, lm::kTabBasic, lm::kTabMetal), CommandType::Do);
    history.undo();
    history.redo();
    history.undo();
    history.openGroup();
    history.record(lm::CTabChangeCmd::forSwitch(&grid, lm::kTabMetal, lm::kTabZ0Planning), CommandType::Do);
    history.discardGroup(); // discarding selects the new tab
    EXPECT_EQ(grid.tabs, (std::vector<int32_t>{lm::kTabBasic, lm::kTabMetal, lm::kTabBasic, lm::kTabZ0Planning}));
}
