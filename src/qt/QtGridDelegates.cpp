#include "qt/QtGridDelegates.h"

#include "grid/LayerGrid.h"
#include "qt/CoreCall.h"
#include "qt/QtColor.h"
#include "qt/QtConversions.h"
#include "qt/QtGridLook.h"
#include "qt/QtGridModel.h"
#include "qt/QtTextOffsets.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace lm::qt {
namespace {

constexpr int kTextMargin = 4;
constexpr int kSideButtonWidth = 16;
const QString kSideButtonText = QStringLiteral("\u2026");

const Cell* cellOf(const QModelIndex& index)
{
    const auto* model = qobject_cast<const QtGridModel*>(index.model());
    return model != nullptr ? model->cellAt(index) : nullptr;
}

const QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget != nullptr ? option.widget->style() : QApplication::style();
}

Qt::Alignment alignmentOf(const CellStyle& style)
{
    return Qt::AlignVCenter | (style.align == CellAlign::Left ? Qt::AlignLeft : Qt::AlignHCenter);
}

void drawButton(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect, const QString& text,
                bool enabled)
{
    QStyleOptionButton button;
    button.rect = rect;
    button.text = text;
    button.fontMetrics = option.fontMetrics;
    button.palette = option.palette;
    button.state = QStyle::State_Raised | (enabled ? QStyle::State_Enabled : QStyle::State_None);
    styleOf(option)->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
}

} // namespace

// ------------------------------------------------------------------ the shared look

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* model = qobject_cast<const QtGridModel*>(index.model());
    const Cell* cell = model != nullptr ? model->cellAt(index) : nullptr;
    if (cell == nullptr)
        return;
    const CellPos pos = QtGridModel::cellOf(index);
    const CellGrid& cells = model->cells();
    painter->save();
    painter->fillRect(option.rect, colorOf(cell->style.background));
    if (cells.rowSelected(pos.row))
        painter->fillRect(option.rect, look::kSelectionTint);
    QStyleOptionViewItem content = option;
    content.state.setFlag(QStyle::State_HasFocus, cells.current() == pos);
    paintContent(painter, content, *cell);
    if (cells.current() == pos) {
        painter->setPen(QPen(look::kCurrentFrame, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const Cell* cell = cellOf(index);
    const int text = cell != nullptr ? option.fontMetrics.horizontalAdvance(toQString(cell->text)) : 0;
    return {text + 2 * kTextMargin + 2, option.fontMetrics.height() + 2};
}

QRect CellDelegate::buttonRect(const QRect&) const { return {}; }

void CellDelegate::paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const
{
    paintText(painter, option.rect, option, cell);
}

void CellDelegate::paintText(QPainter* painter, const QRect& rect, const QStyleOptionViewItem& option,
                             const Cell& cell) const
{
    if (cell.text.empty())
        return;
    const QRect area = rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QString text = option.fontMetrics.elidedText(toQString(cell.text), Qt::ElideRight, area.width());
    painter->setFont(option.font);
    painter->setPen(cell.style.enabled ? look::kText : look::kDisabledText);
    painter->drawText(area, static_cast<int>(alignmentOf(cell.style)), text);
}

// ------------------------------------------------------------------ edit box

QWidget* EditCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    // The text stays where the cell shows it (a frameless line edit keeps 2 pixels itself).
    edit->setTextMargins(kTextMargin - 2, 0, kTextMargin - 2, 0);
    // The right button opens the grid's menu, not the edit box's own.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    if (const Cell* cell = cellOf(index)) {
        if (cell->style.maxLength > 0)
            edit->setMaxLength(cell->style.maxLength);
        edit->setAlignment(alignmentOf(cell->style));
    }
    const CellPos pos = QtGridModel::cellOf(index);
    LayerGrid& layers = grid();
    connect(edit, &QLineEdit::textEdited, edit, [edit, pos, &layers](const QString& text) {
        callCore([&] {
            const int32_t caret = bytesBefore(text, edit->cursorPosition());
            const TypedText typed = layers.textTyped(pos, text.toStdString(), caret);
            if (!typed.changed)
                return;
            edit->setText(toQString(typed.text));
            edit->setCursorPosition(charsBefore(typed.text, typed.caret));
        });
    });
    return edit;
}

void EditCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    const Cell* cell = cellOf(index);
    if (edit == nullptr || cell == nullptr)
        return;
    // The cell takes every keystroke; writing the same text back would move the caret.
    const QString text = toQString(cell->text);
    if (edit->text() != text)
        edit->setText(text);
}

// ------------------------------------------------------------------ drop-down list

QWidget* DropDownCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const
{
    auto* list = new QComboBox(parent);
    list->setFrame(false);
    list->setContextMenuPolicy(Qt::NoContextMenu);
    if (const Cell* cell = cellOf(index))
        for (const std::string_view choice : choiceTexts(cell->style))
            list->addItem(toQString(choice));
    const CellPos pos = QtGridModel::cellOf(index);
    // Signals are not const; the delegate itself is unchanged by emitting them.
    auto* self = const_cast<DropDownCellDelegate*>(this);
    connect(list, &QComboBox::activated, self, [self, list, pos](int item) {
        const QPointer<QComboBox> alive(list);
        const std::string text = list->itemText(item).toStdString();
        callCore([&] { self->grid().choose(pos, text); });
        if (alive)
            emit self->closeEditor(list, QAbstractItemDelegate::NoHint);
    });
    return list;
}

void DropDownCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* list = qobject_cast<QComboBox*>(editor);
    const Cell* cell = cellOf(index);
    if (list != nullptr && cell != nullptr)
        list->setCurrentIndex(list->findText(toQString(cell->text)));
}

QSize DropDownCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Room for the arrow the current cell shows beside its text.
    const Cell* cell = cellOf(index);
    const QSize text = CellDelegate::sizeHint(option, index);
    return cell != nullptr && acceptsInput(cell->style) ? text + QSize(kSideButtonWidth, 0) : text;
}

QRect DropDownCellDelegate::buttonRect(const QRect& cell) const
{
    return QRect(cell.right() - kSideButtonWidth + 1, cell.top(), kSideButtonWidth, cell.height());
}

void DropDownCellDelegate::paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const
{
    // The current cell shows its arrow; the others keep their text centred in the whole cell.
    if (!option.state.testFlag(QStyle::State_HasFocus) || !acceptsInput(cell.style)) {
        paintText(painter, option.rect, option, cell);
        return;
    }
    const QRect arrow = buttonRect(option.rect);
    paintText(painter, option.rect.adjusted(0, 0, -arrow.width(), 0), option, cell);
    QStyleOption indicator;
    indicator.rect = arrow.adjusted(3, 0, -3, 0);
    indicator.palette = option.palette;
    indicator.state = QStyle::State_Enabled;
    styleOf(option)->drawPrimitive(QStyle::PE_IndicatorArrowDown, &indicator, painter, option.widget);
}

// ------------------------------------------------------------------ check box

QSize CheckCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const QStyle* style = styleOf(option);
    return {style->pixelMetric(QStyle::PM_IndicatorWidth) + 2 * kTextMargin,
            style->pixelMetric(QStyle::PM_IndicatorHeight) + 2};
}

QRect CheckCellDelegate::buttonRect(const QRect& cell) const
{
    const QStyle* style = QApplication::style();
    QRect box(0, 0, style->pixelMetric(QStyle::PM_IndicatorWidth), style->pixelMetric(QStyle::PM_IndicatorHeight));
    box.moveCenter(cell.center());
    return box;
}

void CheckCellDelegate::paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const
{
    QStyleOptionButton box;
    box.rect = buttonRect(option.rect);
    box.palette = option.palette;
    box.state = (cell.text == "1" ? QStyle::State_On : QStyle::State_Off) |
                (buttonWorks(cell.style) ? QStyle::State_Enabled : QStyle::State_None);
    styleOf(option)->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
}

// ------------------------------------------------------------------ colour well

QSize ColourCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {3 * kSideButtonWidth, option.fontMetrics.height() + 2};
}

QRect ColourCellDelegate::buttonRect(const QRect& cell) const
{
    return QRect(cell.right() - kSideButtonWidth, cell.top() + 1, kSideButtonWidth, cell.height() - 2);
}

void ColourCellDelegate::paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const
{
    const QRect button = buttonRect(option.rect);
    paintText(painter, option.rect.adjusted(0, 0, -button.width(), 0), option, cell);
    drawButton(painter, option, button, kSideButtonText, buttonWorks(cell.style));
}

// ------------------------------------------------------------------ push button

QSize PushButtonCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const Cell* cell = cellOf(index);
    const int text = cell != nullptr ? option.fontMetrics.horizontalAdvance(toQString(cell->text)) : 0;
    return {text + 4 * kTextMargin, option.fontMetrics.height() + 4};
}

QRect PushButtonCellDelegate::buttonRect(const QRect& cell) const { return cell.adjusted(2, 2, -2, -2); }

void PushButtonCellDelegate::paintContent(QPainter* painter, const QStyleOptionViewItem& option, const Cell& cell) const
{
    const QString text = toQString(cell.text);
    drawButton(painter, option, buttonRect(option.rect), text, buttonWorks(cell.style));
}

// ------------------------------------------------------------------ the view's delegate

GridCellDelegates::GridCellDelegates(LayerGrid& grid, QObject* parent) : QStyledItemDelegate(parent)
{
    auto slot = [this](CellControl control) -> CellDelegate*& { return delegates_[static_cast<std::size_t>(control)]; };
    slot(CellControl::Static) = new StaticCellDelegate(grid, this);
    slot(CellControl::Edit) = new EditCellDelegate(grid, this);
    slot(CellControl::ReadOnlyEdit) = new ReadOnlyEditDelegate(grid, this);
    slot(CellControl::DropDown) = new DropDownCellDelegate(grid, this);
    slot(CellControl::CheckBox) = new CheckCellDelegate(grid, this);
    slot(CellControl::ColourButton) = new ColourCellDelegate(grid, this);
    slot(CellControl::PushButton) = new PushButtonCellDelegate(grid, this);
    // The view hears every end of an edit from here.
    for (CellDelegate* delegate : delegates_) {
        connect(delegate, &QAbstractItemDelegate::commitData, this, &QAbstractItemDelegate::commitData);
        connect(delegate, &QAbstractItemDelegate::closeEditor, this, &QAbstractItemDelegate::closeEditor);
    }
}

CellDelegate& GridCellDelegates::delegateFor(const QModelIndex& index) const
{
    const Cell* cell = cellOf(index);
    const CellControl control = cell != nullptr ? cell->style.control : CellControl::Static;
    const auto slot = static_cast<std::size_t>(control);
    return *delegates_[slot < delegates_.size() ? slot : 0];
}

void GridCellDelegates::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    delegateFor(index).paint(painter, option, index);
}

QSize GridCellDelegates::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return delegateFor(index).sizeHint(option, index);
}

QWidget* GridCellDelegates::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    QWidget* editor = delegateFor(index).createEditor(parent, option, index);
    if (editor != nullptr && editorCreated_)
        editorCreated_(index, editor);
    return editor;
}

void GridCellDelegates::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    delegateFor(index).setEditorData(editor, index);
}

void GridCellDelegates::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    delegateFor(index).setModelData(editor, model, index);
}

void GridCellDelegates::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const
{
    delegateFor(index).updateEditorGeometry(editor, option, index);
}

bool GridCellDelegates::editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&)
{
    // Check boxes and buttons are clicked through the view, which asks the layer grid.
    return false;
}

bool GridCellDelegates::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor == nullptr)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // At once: Qt's own handling waits for the event loop.
            emit closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Another window coming up (the message box of a refused value, the
        // colour dialog) or a menu leaves the edit open; a click into the grid
        // ends it through the grid's own mouse handling.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        const QWidget* focus = QApplication::focusWidget();
        const QWidget* viewport = editor->parentWidget();
        if (focus != nullptr && viewport != nullptr && (focus == viewport || focus == viewport->parentWidget()))
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace lm::qt
