#include "qt/QtGridView.h"

#include "grid/LayerGrid.h"
#include "grid/RowPresentation.h"
#include "qt/CoreCall.h"
#include "qt/QtConversions.h"
#include "qt/QtGridDelegates.h"
#include "qt/QtGridLook.h"
#include "qt/QtGridModel.h"
#include "qt/QtGridRowHeader.h"
#include "qt/QtMenus.h"
#include "qt/QtTemplateControls.h"
#include "qt/QtTextOffsets.h"
#include "ui/GridContextMenu.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QScopedValueRollback>

#include <algorithm>

namespace lm::qt {
namespace {

// Room for two digits and the header's margins.
constexpr const char* kRowNumberSample = "888";
constexpr int kRowPadding = 6;
constexpr int kHeaderPadding = 8;

QFont titleFont(const QFont& font)
{
    QFont title = font;
    title.setWeight(QFont::DemiBold);
    return title;
}

// The right-button menu with the core's states on every level.
void fillContextMenu(QMenu* menu, const std::vector<res::MenuItem>& items, const CommandStates& states)
{
    addMenuItems(
        menu, items, [](uint32_t) {},
        [&items, &states](QMenu* submenu, std::size_t i) { fillContextMenu(submenu, items[i].items, states); });
    applyCommandStates(menu, states);
}

// Keys the editor leaves alone that move the current cell when no edit is open.
bool movesCurrentCell(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return true;
    default: return false;
    }
}

} // namespace

QtGridView::QtGridView(LayerGrid& grid, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(new QtGridModel(grid.cells(), this)),
      delegates_(new GridCellDelegates(grid, this)), rowHeader_(new QtGridRowHeader(this))
{
    setObjectName(QStringLiteral("layerGrid"));
    const BaseUnits units = baseUnitsOf(font());
    if (grid_.averageCharWidth() != units.charWidth || grid_.charHeight() != units.charHeight)
        callCore([&] { grid_.setup(units.charWidth, units.charHeight); });

    setVerticalHeader(rowHeader_);
    setModel(model_);
    setItemDelegate(delegates_);
    delegates_->setEditorCreated([this](const QModelIndex& index, QWidget* editor) { editorCreated(index, editor); });
    // The core selects; Qt only shows it.
    setSelectionMode(QAbstractItemView::NoSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(look::kGridLine.name()));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(units.charWidth);
    // Two lines: the title and its unit.
    header->setMinimumHeight(2 * QFontMetrics(titleFont(font())).height() + kHeaderPadding);
    const int rowHeight = fontMetrics().height() + kRowPadding;
    rowHeader_->setMinimumSectionSize(rowHeight);
    rowHeader_->setDefaultSectionSize(rowHeight);

    connect(model_, &QtGridModel::gridColumnsChanged, this, &QtGridView::applyColumns);
    connect(model_, &QtGridModel::gridSelectionChanged, this, &QtGridView::mirrorSelection);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        // A reset took every editor away.
        if (editor_)
            forgetEditor();
    });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] {
        // Undo and redo give up the edit in the core: its editor goes too.
        if (editor_ && !finishing_ && qobject_cast<QLineEdit*>(editor_) && !grid_.editInProgress())
            dropOpenEdit();
    });
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { columnResized(column, size); });
    connect(rowHeader_, &QtGridRowHeader::rowPressed, this,
            [this](int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos) {
                if (button == Qt::LeftButton)
                    rowPressed(row + 1, modifiers, globalPos);
            });
    connect(rowHeader_, &QtGridRowHeader::mouseDragged, this, &QtGridView::dragMoved);
    connect(rowHeader_, &QtGridRowHeader::mouseReleased, this, [this] { dragReleased(); });

    grid_.setEditorTextDeleter([this](bool selectionOnly) {
        // QLineEdit::del reports the change like a keystroke, so the core hears it.
        if (auto* edit = qobject_cast<QLineEdit*>(editor_); edit && (!selectionOnly || edit->hasSelectedText()))
            edit->del();
    });
    grid_.clipboard().setEditBoxView({[this] { return editBoxText(); },
                                      [this](const std::string& text, int32_t caret) {
                                          if (auto* edit = qobject_cast<QLineEdit*>(editor_)) {
                                              edit->setText(toQString(text));
                                              edit->setCursorPosition(charsBefore(text, caret));
                                          }
                                      }});
    applyColumns();
    mirrorSelection();
}

std::optional<EditBoxText> QtGridView::editBoxText() const
{
    const auto* edit = qobject_cast<const QLineEdit*>(editor_.data());
    if (edit == nullptr)
        return std::nullopt;
    const QString text = edit->text();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int end = edit->hasSelectedText() ? edit->selectionEnd() : start;
    return EditBoxText{text.toStdString(), bytesBefore(text, start), bytesBefore(text, end)};
}

QtGridView::~QtGridView()
{
    grid_.setEditorTextDeleter({});
    grid_.clipboard().setEditBoxView({});
    delegates_->setEditorCreated({});
    if (editor_)
        callCore([&] { grid_.setEditorOpen(false); });
}

// ------------------------------------------------------------------ columns

void QtGridView::applyColumns()
{
    const CellGrid& cells = model_->cells();
    QHeaderView* header = horizontalHeader();
    const int count = std::min(model_->columnCount(), cells.colCount() - 1);
    const QScopedValueRollback<bool> quiet(applyingColumns_, true);
    for (int32_t position = 1; position <= count; ++position) {
        const int column = cells.visualColumn(position) - 1;
        if (column >= 0 && column < count)
            header->moveSection(header->visualIndex(column), position - 1);
    }
    for (int column = 0; column < count; ++column) {
        const bool hidden = cells.columnHidden(column + 1);
        header->setSectionHidden(column, hidden);
        if (!hidden)
            header->resizeSection(column, cells.columnWidth(column + 1));
    }
    rowHeader_->setFixedWidth(
        std::max(cells.columnWidth(0), fontMetrics().horizontalAdvance(QLatin1String(kRowNumberSample)) + kRowPadding));
}

void QtGridView::columnResized(int column, int newSize)
{
    // Hiding a column reports a width of 0; the cells keep the width it had.
    if (applyingColumns_ || newSize <= 0 || horizontalHeader()->isSectionHidden(column))
        return;
    callCore([&] { model_->cells().setColumnWidth(column + 1, newSize); });
}

void QtGridView::tabPlaced(bool fit)
{
    const bool first = tabsPlaced_ == 0;
    const uint64_t placing = ++tabsPlaced_;
    if (!fit)
        return;
    // The first tab arrives while the window is still being built; the fitting
    // waits for the loop, unless another tab came first.
    if (first) {
        fitPending_ = true;
        QMetaObject::invokeMethod(
            this, [this, placing] { if (placing == tabsPlaced_) fitColumns(); }, Qt::QueuedConnection);
    } else {
        fitColumns();
    }
}

int QtGridView::widthShowingAllColumns()
{
    ensurePolished();
    int width = 0;
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (horizontalHeader()->isSectionHidden(column))
            continue;
        width += fitPending_ ? std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column))
                             : columnWidth(column);
    }
    return width + rowHeader_->width() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

int QtGridView::sizeHintForColumn(int column) const
{
    const std::string answer = widestCalculatorText(grid_.columnIdAt(column + 1));
    if (answer.empty())
        return QTableView::sizeHintForColumn(column);
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    return std::max(QTableView::sizeHintForColumn(column),
                    fontMetrics().horizontalAdvance(toQString(answer)) + margins);
}

void QtGridView::fitColumns()
{
    fitPending_ = false;
    {
        const QScopedValueRollback<bool> quiet(applyingColumns_, true);
        resizeColumnsToContents();
    }
    CellGrid& cells = model_->cells();
    callCore([&] {
        CellBatch batch(cells);
        for (int column = 0; column < model_->columnCount(); ++column)
            if (!horizontalHeader()->isSectionHidden(column))
                cells.setColumnWidth(column + 1, columnWidth(column));
    });
}

// ------------------------------------------------------------------ selection

void QtGridView::mirrorSelection()
{
    const CellGrid& cells = model_->cells();
    if (editor_ && !finishing_ && cells.current() != editing_)
        dropOpenEdit(); // the core moved on (a command, the picture)

    QItemSelection rows;
    const int lastColumn = model_->columnCount() - 1;
    if (lastColumn >= 0)
        for (const int32_t row : cells.selectedRows())
            if (row - 1 < model_->rowCount())
                rows.select(model_->index(row - 1, 0), model_->index(row - 1, lastColumn));
    const QScopedValueRollback<bool> quiet(mirroring_, true);
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    const QModelIndex current = model_->indexOf(cells.current());
    if (current != currentIndex()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        if (current.isValid())
            scrollTo(current);
    }
    viewport()->update();
    rowHeader_->viewport()->update();
}

void QtGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    // Keys moved the current cell (arrows, Tab): the core hears it as a click.
    if (!mirroring_ && current.isValid())
        callCore([&] { grid_.cellClicked(QtGridModel::cellOf(current)); });
}

// ------------------------------------------------------------------ editing

void QtGridView::editorCreated(const QModelIndex& index, QWidget* editor)
{
    editor_ = editor;
    // A right-button click on the cell's control opens the grid's menu, not the control's own.
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this,
            [this, editor, index](const QPoint& pos) { showContextMenu(index, editor->mapToGlobal(pos)); });
    editing_ = QtGridModel::cellOf(index);
    callCore([&] {
        grid_.setEditorOpen(true);
        grid_.beginEdit(editing_);
    });
}

void QtGridView::forgetEditor()
{
    editor_ = nullptr;
    editing_ = {};
    callCore([&] { grid_.setEditorOpen(false); });
}

void QtGridView::commitData(QWidget*)
{
    // Nothing to take over: the cell has had every keystroke.
}

void QtGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == nullptr || editor != editor_) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    if (finishing_)
        return; // the refusal's message box took the focus
    const CellPos pos = editing_;
    const Cell* cell = pos.row < model_->cells().rowCount() && pos.col < model_->cells().colCount()
                           ? &model_->cells().cell(pos.row, pos.col)
                           : nullptr;
    bool finished = true;
    {
        const QScopedValueRollback<bool> busy(finishing_, true);
        if (hint == QAbstractItemDelegate::RevertModelCache)
            callCore([&] { grid_.cancelEdit(pos); });
        else if (cell != nullptr && cell->style.control == CellControl::Edit)
            callCore([&] { finished = grid_.finishEdit(pos); });
    }
    if (!finished) {
        // Refused: the message was shown; the editor keeps the typed text.
        if (editor_)
            editor_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Forgotten first: Tab opens the next cell's editor inside Qt's closing.
    forgetEditor();
    QTableView::closeEditor(editor, hint);
}

bool QtGridView::finishOpenEdit()
{
    if (!editor_)
        return true;
    closeEditor(editor_, QAbstractItemDelegate::NoHint);
    return !editor_;
}

void QtGridView::dropOpenEdit()
{
    if (!editor_)
        return;
    QWidget* editor = editor_;
    forgetEditor();
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// ------------------------------------------------------------------ mouse and keys

void QtGridView::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    drag_ = {};
    // Leaving the cell in edit comes first; a refused value keeps the click from going anywhere.
    if (!finishOpenEdit() || event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    if (!index.isValid() || !model_->flags(index).testFlag(Qt::ItemIsEnabled))
        return;
    const bool wasCurrent = index == currentIndex();
    if (event->modifiers() == Qt::NoModifier && model_->cells().rowSelected(QtGridModel::cellOf(index).row)) {
        // A selected row may be dragged away: its click waits for the release.
        drag_.armed = true;
        drag_.start = event->globalPosition().toPoint();
        drag_.clickOnRelease = [this, index = QPersistentModelIndex(index), position, wasCurrent,
                                second = doubleClicking_] {
            if (index.isValid())
                clickCell(index, position, wasCurrent, second);
        };
        return;
    }
    clickCell(index, position, wasCurrent, doubleClicking_);
}

void QtGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click: an edit cell opens with the caret
    // after its text, a check box flips again.
    const QScopedValueRollback<bool> second(doubleClicking_, true);
    mousePressEvent(event);
}

void QtGridView::editAtEnd(const QModelIndex& index)
{
    edit(index);
    caretToEnd();
}

void QtGridView::caretToEnd()
{
    if (auto* line = qobject_cast<QLineEdit*>(editor_.data())) {
        line->deselect();
        line->end(false);
    }
}

void QtGridView::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_.armed && event->buttons().testFlag(Qt::LeftButton)) {
        dragMoved(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    // A held button never drags Qt's own selection or current cell along.
    if (event->buttons() == Qt::NoButton)
        QTableView::mouseMoveEvent(event);
}

void QtGridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && drag_.armed)
        dragReleased();
    event->accept();
}

void QtGridView::clickCell(const QModelIndex& index, const QPoint& position, bool wasCurrent, bool secondClick)
{
    const bool doubleClick = secondClick && wasCurrent;
    const CellPos pos = QtGridModel::cellOf(index);
    if (!callCore([&] { grid_.cellClicked(pos); }))
        return;
    const Cell* cell = model_->cellAt(index);
    if (cell == nullptr)
        return;
    const QRect button = delegates_->delegateFor(index).buttonRect(visualRect(index));
    switch (cell->style.control) {
    case CellControl::CheckBox:
    case CellControl::ColourButton:
    case CellControl::PushButton:
        if (button.contains(position) && buttonWorks(cell->style))
            callCore([&] { grid_.cellButtonClicked(pos); });
        break;
    case CellControl::Edit:
        // As in a spreadsheet a single click only makes the cell current, so
        // that typing replaces its text; a double click edits at the end.
        if (doubleClick)
            editAtEnd(index);
        break;
    case CellControl::DropDown:
        if (wasCurrent || button.contains(position)) {
            edit(index);
            if (auto* list = qobject_cast<QComboBox*>(editor_.data()))
                list->showPopup();
        }
        break;
    default: break;
    }
}

void QtGridView::keyPressEvent(QKeyEvent* event)
{
    if (editor_) {
        if (forwardingKey_) {
            event->ignore(); // the editor left a key it was handed: it goes no further
            return;
        }
        if (!editor_->hasFocus()) {
            // Keys sent to the grid while a cell is in edit are the editor's.
            const QScopedValueRollback<bool> forwarding(forwardingKey_, true);
            QCoreApplication::sendEvent(editor_, event);
            return;
        }
        // Only a key that moves the current cell (Up, Down, Page Up) leaves the
        // cell; a lone Shift, Ctrl or Alt, which a real keyboard sends as a key
        // of its own before the character, never ends the edit.
        if (!movesCurrentCell(*event) || !finishOpenEdit()) {
            event->accept();
            return;
        }
    }
    const QModelIndex current = currentIndex();
    const Cell* cell = model_->cellAt(current);
    if (cell != nullptr && event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        buttonWorks(cell->style) && cell->style.control != CellControl::Edit &&
        cell->style.control != CellControl::DropDown) {
        callCore([&] { grid_.cellButtonClicked(QtGridModel::cellOf(current)); });
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_F2) {
        // Enter and F2 open the current cell with the caret after its text, as
        // spreadsheets do; Enter never reaches the window's default button.
        if (current.isValid())
            editAtEnd(current);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void QtGridView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    const QModelIndex index =
        event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos()) : currentIndex();
    showContextMenu(index, event->globalPos());
}

void QtGridView::showContextMenu(const QModelIndex& index, const QPoint& globalPos)
{
    if (!index.isValid())
        return;
    CommandStates states;
    std::vector<res::MenuItem> items;
    if (!callCore([&] { items = gridContextMenu(grid_, QtGridModel::cellOf(index), states); }) || items.empty())
        return;
    QMenu menu(this);
    fillContextMenu(&menu, items, states);
    const QPointer<QtGridView> alive(this);
    const QAction* chosen = menu.exec(globalPos);
    if (alive && chosen != nullptr)
        emit commandChosen(chosen->data().toUInt());
}

// ------------------------------------------------------------------ row drag and drop

void QtGridView::rowPressed(int32_t row, Qt::KeyboardModifiers modifiers, const QPoint& globalPos)
{
    drag_ = {};
    const CellGrid& cells = model_->cells();
    if (!finishOpenEdit() || row < 1 || row >= cells.rowCount())
        return;
    const bool extend = modifiers.testFlag(Qt::ShiftModifier);
    const bool toggle = modifiers.testFlag(Qt::ControlModifier);
    drag_.start = globalPos;
    if (!extend && !toggle && cells.rowSelected(row)) {
        // The selection may be dragged as it is; a plain click selects this row alone.
        drag_.armed = true;
        drag_.clickOnRelease = [this, row] { callCore([&] { grid_.rowHeaderClicked(row, false, false); }); };
        return;
    }
    callCore([&] { grid_.rowHeaderClicked(row, extend, toggle); });
    drag_.armed = !extend && !toggle;
}

void QtGridView::dragMoved(const QPoint& globalPos)
{
    if (!drag_.armed)
        return;
    if (!drag_.dragging) {
        if ((globalPos - drag_.start).manhattanLength() < QApplication::startDragDistance())
            return;
        bool allowed = false;
        callCore([&] { allowed = grid_.canDragSelection(); });
        if (!allowed) {
            drag_ = {};
            return;
        }
        drag_.dragging = true;
        drag_.clickOnRelease = nullptr;
    }
    // The line shows only where the drop would move the rows.
    const int32_t candidate = dropRowAt(viewport()->mapFromGlobal(globalPos).y());
    bool allowed = false;
    callCore([&] { allowed = grid_.dropAllowed(candidate); });
    drag_.dropBefore = allowed ? candidate : 0;
    rowHeader_->setDropLine(allowed ? dropLineY() : -1);
    viewport()->update();
}

void QtGridView::dragReleased()
{
    const RowDrag drag = std::exchange(drag_, {});
    rowHeader_->setDropLine(-1);
    viewport()->update();
    if (drag.dragging && drag.dropBefore > 0)
        callCore([&] { grid_.dropSelection(drag.dropBefore); });
    else if (drag.clickOnRelease)
        drag.clickOnRelease();
}

int32_t QtGridView::dropRowAt(int viewportY) const
{
    const int rows = model_->rowCount();
    const int row = rowAt(viewportY);
    if (row < 0)
        return viewportY < 0 ? 1 : rows + 1;
    const bool lowerHalf = viewportY >= rowViewportPosition(row) + rowHeight(row) / 2;
    return row + 1 + (lowerHalf ? 1 : 0);
}

int QtGridView::dropLineY() const
{
    const int rows = model_->rowCount();
    if (rows == 0)
        return 0;
    const int above = drag_.dropBefore - 1; // the model row the line runs above
    if (above < rows)
        return rowViewportPosition(std::max(above, 0));
    return rowViewportPosition(rows - 1) + rowHeight(rows - 1);
}

void QtGridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (!drag_.dragging || drag_.dropBefore == 0)
        return;
    QPainter painter(viewport());
    painter.fillRect(QRect(0, dropLineY() - 1, viewport()->width(), 3), look::kDropLine);
}

// ------------------------------------------------------------------ wait cursor

void QtGridView::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    watchWindow();
}

void QtGridView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateWaitCursor();
    else if (event->type() == QEvent::ParentChange)
        watchWindow();
}

void QtGridView::watchWindow()
{
    QWidget* top = window();
    if (top == watchedWindow_)
        return;
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    windowBlocked_ = false;
    top->installEventFilter(this);
    updateWaitCursor();
}

bool QtGridView::eventFilter(QObject* object, QEvent* event)
{
    const bool blocking = event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowUnblocked;
    if (object == watchedWindow_ && blocking) {
        // A modal child (a message box, a dialog) is up over the grid's window.
        windowBlocked_ = event->type() == QEvent::WindowBlocked;
        updateWaitCursor();
    }
    return QTableView::eventFilter(object, event);
}

void QtGridView::updateWaitCursor()
{
    if (windowBlocked_ || !window()->isEnabled())
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

} // namespace lm::qt
