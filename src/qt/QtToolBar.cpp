#include "qt/QtToolBar.h"

#include "qt/QtConversions.h"
#include "qt/QtResources.h"
#include "res/CommandIds.h"
#include "res/Menus.h"
#include "res/Strings.h"
#include "command/CommandRouting.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

namespace lm::qt {
namespace {

using namespace res;

const char* iconFile(uint32_t id)
{
    switch (id) {
    case ID_FILE_PRINT: return "print";
    case ID_FILE_PRINT_PICTURE: return "print-picture";
    case ID_SPLIT_VERTICAL: return "split-vertical";
    case ID_SPLIT_HORIZONTAL: return "split-horizontal";
    case ID_EDIT_UNDO: return "undo";
    case ID_EDIT_REDO: return "redo";
    case ID_EDIT_CUT: return "cut";
    case ID_EDIT_COPY: return "copy";
    case ID_COPY_MANUFACTURING_DOC: return "copy-manufacturing";
    case ID_EDIT_PASTE: return "paste";
    case ID_INSERT_ABOVE_MOST_SUITABLE: return "insert-above";
    case ID_INSERT_BELOW_MOST_SUITABLE: return "insert-below";
    case ID_APPLY_TO_SELECTION: return "apply-to-selection";
    case ID_KEEP_SELECTION: return "keep-selection";
    case ID_SELECT_ALL: return "select-all";
    case ID_SELECT_METAL: return "select-metal";
    case ID_SELECT_DIELECTRIC: return "select-dielectric";
    case ID_CLEAR_SELECTION: return "clear-selection";
    case ID_HELP_CONTENTS: return "help";
    default: return nullptr;
    }
}

// Tool bar buttons are 16 x 15 pixels.
constexpr QSize kButtonImage{16, 15};

} // namespace

QIcon toolBarIcon(uint32_t id)
{
    const char* file = iconFile(id);
    if (!file)
        return {};
    initResources();
    return QIcon(QStringLiteral(":/laminar/icons/%1.svg").arg(QLatin1String(file)));
}

QtToolBar::QtToolBar(const BoardListContents& boards, CommandSink command, BoardSink boardPicked, QWidget* parent)
    : QToolBar(parent), command_(std::move(command)), boardPicked_(std::move(boardPicked))
{
    setObjectName(QStringLiteral("toolBar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(kButtonImage);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (uint32_t id : toolBarTemplate()) {
        if (id == ID_SEPARATOR)
            addSeparator();
        else if (id == ID_BOARD_LIST)
            addBoardList(boards);
        else
            addCommandButton(id);
    }
}

void QtToolBar::addCommandButton(uint32_t id)
{
    QAction* action = addAction(toolBarIcon(id), toQString(toolTipText(id)));
    action->setData(QVariant::fromValue(id));
    action->setToolTip(toQString(toolTipText(id)));
    connect(action, &QAction::triggered, this, [this, id] { command_(id); });
    buttons_[id] = action;
}

void QtToolBar::addBoardList(const BoardListContents& boards)
{
    // Without names the placeholder is a separator of no width: nothing to show.
    if (boards.names.empty())
        return;
    const int width = fontMetrics().horizontalAdvance(toQString(kBoardListSizingText));
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(toQString(loadString(IDS_BOARD_LABEL)), holder);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFixedWidth(width);
    boardList_ = new QComboBox(holder);
    boardList_->setObjectName(QStringLiteral("boardList"));
    boardList_->setFixedWidth(width);
    for (const std::string& name : boards.names)
        boardList_->addItem(toQString(name));
    boardList_->setCurrentIndex(boards.selected);
    row->addWidget(label);
    row->addWidget(boardList_);
    addWidget(holder);
    connect(boardList_, &QComboBox::activated, this, [this](int index) { boardPicked_(index); });
}

void QtToolBar::applyStates(const CommandStates& states)
{
    for (const auto& [id, state] : states) {
        const auto button = buttons_.find(id);
        if (button == buttons_.end())
            continue;
        QAction* action = button->second;
        action->setEnabled(state.enabled);
        // Checkable only while checked, so that a click cannot check it behind the core's back.
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
}

} // namespace lm::qt
