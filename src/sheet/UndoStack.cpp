#include "sheet/UndoStack.h"

#include <utility>

namespace lm {

void UndoStack::openGroup() { groupStarts_.push_back(openGroup_.size()); }

void UndoStack::closeGroup()
{
    if (!groupOpen())
        return;
    groupStarts_.pop_back();
    if (groupStarts_.empty() && !openGroup_.empty()) {
        undoList_.push_back(std::move(openGroup_));
        openGroup_.clear();
    }
}

void UndoStack::discardGroup()
{
    if (!groupOpen())
        return;
    const std::size_t start = groupStarts_.back();
    groupStarts_.pop_back();
    Group discarded;
    for (std::size_t i = start; i < openGroup_.size(); ++i)
        discarded.push_back(std::move(openGroup_[i]));
    openGroup_.resize(start);
    if (!discarded.empty())
        applyGroup(std::move(discarded), CommandType::Discard, redoList_);
}

void UndoStack::record(std::unique_ptr<UndoableCommand> command, CommandType type)
{
    if (!command)
        return;
    if (type == CommandType::Do) {
        redoList_.clear();
        if (groupOpen())
            openGroup_.push_back(std::move(command));
        else
            undoList_.emplace_back().push_back(std::move(command));
        return;
    }
    std::vector<Group>& list = type == CommandType::Redo ? undoList_ : redoList_;
    if (counterparts_ && counterpartList_ == &list)
        counterparts_->push_back(std::move(command));
    else
        list.emplace_back().push_back(std::move(command));
}

bool UndoStack::undo()
{
    if (undoList_.empty() || groupOpen() || counterparts_)
        return false;
    Group group = std::move(undoList_.back());
    undoList_.pop_back();
    return applyGroup(std::move(group), CommandType::Undo, redoList_);
}

bool UndoStack::redo()
{
    if (redoList_.empty() || groupOpen() || counterparts_)
        return false;
    Group group = std::move(redoList_.back());
    redoList_.pop_back();
    return applyGroup(std::move(group), CommandType::Redo, undoList_);
}

bool UndoStack::applyGroup(Group group, CommandType type, std::vector<Group>& counterpartList)
{
    Group collected;
    Group* const outerCounterparts = std::exchange(counterparts_, &collected);
    std::vector<Group>* const outerList = std::exchange(counterpartList_, &counterpartList);
    // Whatever was applied before a failure still has its counterpart filed.
    auto fileCollected = [&] {
        counterparts_ = outerCounterparts;
        counterpartList_ = outerList;
        if (!collected.empty())
            counterpartList.push_back(std::move(collected));
    };
    bool ok = true;
    try {
        for (std::size_t i = group.size(); i-- > 0;)
            ok = group[i]->ApplyCommand(*this, type) && ok;
    } catch (...) {
        fileCollected();
        throw;
    }
    fileCollected();
    return ok;
}

void UndoStack::clear()
{
    undoList_.clear();
    redoList_.clear();
    openGroup_.clear();
    groupStarts_.clear();
}

void UndoStack::followBoard(int32_t boardId)
{
    if (boardKnown_ && boardId != boardId_)
        clear();
    boardKnown_ = true;
    boardId_ = boardId;
}

} // namespace lm
