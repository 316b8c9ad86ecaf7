#pragma once
// The layer grid on screen: a table view over the core's cells. It shows what
// the cells hold and hands every click, keystroke, edit and row drag to the
// layer grid; its selection and current cell only mirror the core's, and its
// columns follow the cells' visibility, order and widths.
#include "grid/LayerGridClipboard.h"
#include "sheet/CellGrid.h"

#include <QAbstractItemDelegate>
#include <QPointer>
#include <QTableView>

#include <functional>
#include <optional>

namespace lm {
class LayerGrid;
}

namespace lm::qt {

class GridCellDelegates;
class QtGridModel;
class QtGridRowHeader;

class QtGridView : public QTableView {
    Q_OBJECT

public:
    // The first view of a grid gives it the metrics of the grid font.
    QtGridView(LayerGrid& grid, QWidget* parent);
    ~QtGridView() override;

    LayerGrid& layerGrid() const { return grid_; }
    QtGridModel* gridModel() const { return model_; }

    // A tab's columns are on the grid. With `fit` they are fitted to their
    // contents and the widths go back into the cells; the first time once the
    // event loop comes round, as the window is then still being built.
    void tabPlaced(bool fit);
    void fitColumns();
    // The view's width that shows every column of the tab without scrolling,
    // at the widths a pending fit will give them.
    int widthShowingAllColumns();

    // The editor open on a cell; null when none is.
    QWidget* openEditor() const { return editor_; }
    // Ends the open edit as leaving the cell does: false when the value was
    // refused and the editor stays open with the typed text.
    bool finishOpenEdit();
    // Closes the open editor without taking its text (the window is going).
    void dropOpenEdit();

signals:
    // A command chosen from the right-button menu.
    void commandChosen(uint32_t id);

protected:
    // The cells' texts, and the widest answer the calculator may write there later.
    int sizeHintForColumn(int column) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The grid's right-button menu for that cell; nothing unless the core offers one.
    void showContextMenu(const QModelIndex& index, const QPoint& globalPos);
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void applyColumns();
    void mirrorSelection();
    // The open line edit's text and selection, for the clipboard commands.
    std::optional<EditBoxText> editBoxText() const;
    void columnResized(int column, int newSize);

    void editorCreated(const QModelIndex& index, QWidget* editor);
    // Opens the cell's editor with nothing selected and the caret after the text.
    void editAtEnd(const QModelIndex& index);
    void caretToEnd();
    void forgetEditor();
    // A left click on a cell that may be made current; `secondClick` when it
    // is the second of a double click.
    void clickCell(const QModelIndex& index, const QPoint& position, bool wasCurrent, bool secondClick);

    // --- row drag and drop, from the row header or from a selected row
    void rowPressed(int32_t row, Qt::KeyboardModifiers modifiers, const QPoint& globalPos);
    void dragMoved(const QPoint& globalPos);
    void dragReleased();
    int32_t dropRowAt(int viewportY) const;
    int dropLineY() const;

    void watchWindow();
    void updateWaitCursor();

    LayerGrid& grid_;
    QtGridModel* model_;
    GridCellDelegates* delegates_;
    QtGridRowHeader* rowHeader_;
    QPointer<QWidget> editor_;
    CellPos editing_;
    bool finishing_ = false;  // the layer grid is ending the edit (its message box may take the focus)
    bool mirroring_ = false;  // the selection model is being set from the core
    bool applyingColumns_ = false;
    bool doubleClicking_ = false; // the press being handled is the second of a double click
    bool forwardingKey_ = false; // a key sent to the grid is being handed to the editor
    uint64_t tabsPlaced_ = 0;
    bool fitPending_ = false; // the first tab's columns wait for the loop to be fitted
    QPointer<QWidget> watchedWindow_;
    bool windowBlocked_ = false;

    struct RowDrag {
        bool armed = false;    // the button went down where a drag may start
        bool dragging = false;
        QPoint start;          // global
        int32_t dropBefore = 0; // the rows go before this grid row; 0 where no drop would move them
        std::function<void()> clickOnRelease; // a press on a selected row clicks only when no drag follows
    };
    RowDrag drag_;
};

} // namespace lm::qt
