#pragma once
// One delegate per kind of cell control, and the delegate the grid view
// installs, which hands every cell to the delegate of its control. They paint
// from the cells and pass what the user types or chooses to the layer grid;
// whether and how a value is taken is the layer grid's business.
#include "sheet/CellGrid.h"

#include <QStyledItemDelegate>

#include <array>
#include <functional>

namespace lm {
class LayerGrid;
}

namespace lm::qt {

// The look every cell shares: its background, the row selection over it, its
// content, and the frame of the current cell.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    CellDelegate(LayerGrid& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The text with the margins it is painted with, so that fitted columns show it whole.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The part of the cell that is its button or check box; empty when it has none.
    virtual QRect buttonRect(const QRect& cell) const;

protected:
    // The cell's own content over the background.
    virtual void paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const;
    void paintText(QPainter* painter, const QRect& rect, const QStyleOptionViewItem& option, const Cell& cell) const;
    LayerGrid& grid() const { return grid_; }

private:
    LayerGrid& grid_;
};

// Static text and the read-only edit box show their text only.
class StaticCellDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;
};

class ReadOnlyEditDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;
};

// The edit box: every keystroke goes to the layer grid at once, which may
// answer with a cleaned text and caret.
class EditCellDelegate : public CellDelegate {
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
};

// The drop-down list: choosing an entry sets the cell at once and ends the edit.
class DropDownCellDelegate : public CellDelegate {
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QRect buttonRect(const QRect& cell) const override; // the arrow

protected:
    void paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const override;
};

// The three-dimensional check box, centred.
class CheckCellDelegate : public CellDelegate {
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QRect buttonRect(const QRect& cell) const override;

protected:
    void paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const override;
};

// The colour well: the layer's colour with a small button at its right side.
class ColourCellDelegate : public CellDelegate {
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QRect buttonRect(const QRect& cell) const override;

protected:
    void paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const override;
};

// A push button filling the cell ("View...").
class PushButtonCellDelegate : public CellDelegate {
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QRect buttonRect(const QRect& cell) const override;

protected:
    void paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const override;
};

// The grid view's delegate: each cell goes to the delegate of its control.
// It also decides which keys and focus changes end an edit, so that the view
// hears of every end in closeEditor.
class GridCellDelegates : public QStyledItemDelegate {
    Q_OBJECT

public:
    GridCellDelegates(LayerGrid& grid, QObject* parent);

    CellDelegate& delegateFor(const QModelIndex& index) const;
    // Told whenever an editor was made for a cell.
    void setEditorCreated(std::function<void(const QModelIndex&, QWidget*)> created)
    {
        editorCreated_ = std::move(created);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    std::array<CellDelegate*, 7> delegates_{}; // by CellControl, children of this
    std::function<void(const QModelIndex&, QWidget*)> editorCreated_;
};

} // namespace lm::qt
