#pragma once
// The editor window's tool bar "toolBar", built from tool bar 1002: a button
// per command with its drawn icon and its tool tip, separators, and in the
// board-list placeholder the label "Board:" with the drop-down list
// "boardList". Every button's QAction carries its command id in data().
#include "command/CommandUi.h"
#include "ui/EditorDialog.h"

#include <QToolBar>

#include <functional>
#include <map>

class QAction;
class QComboBox;

namespace lm::qt {

class QtToolBar : public QToolBar {
    Q_OBJECT

public:
    // Called with a button's command id when it is clicked.
    using CommandSink = std::function<void(uint32_t id)>;
    // Called with the index of the board the user picked.
    using BoardSink = std::function<void(int32_t index)>;

    QtToolBar(const BoardListContents& boards, CommandSink command, BoardSink boardPicked, QWidget* parent);

    // The states the idle update wrote; buttons without a state keep theirs.
    void applyStates(const CommandStates& states);
    // Null without board names.
    QComboBox* boardList() const { return boardList_; }

private:
    void addCommandButton(uint32_t id);
    void addBoardList(const BoardListContents& boards);

    CommandSink command_;
    BoardSink boardPicked_;
    std::map<uint32_t, QAction*> buttons_;
    QComboBox* boardList_ = nullptr;
};

// The drawn icon of a tool bar command; a null icon for an id without one.
QIcon toolBarIcon(uint32_t id);

} // namespace lm::qt
