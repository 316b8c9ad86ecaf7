#include "qt/QtGridModel.h"

#include "qt/QtColor.h"
#include "qt/QtConversions.h"
#include "qt/QtGridLook.h"

#include <QBrush>
#include <QFont>

#include <algorithm>

namespace lm::qt {

QtGridModel::QtGridModel(CellGrid& cells, QObject* parent)
    : QAbstractTableModel(parent), cells_(cells), rows_(std::max(0, cells.rowCount() - 1)),
      columns_(std::max(0, cells.colCount() - 1))
{
    cells_.setObserver(this);
}

QtGridModel::~QtGridModel()
{
    if (cells_.observer() == this)
        cells_.setObserver(nullptr);
}

QModelIndex QtGridModel::indexOf(CellPos pos) const
{
    return pos.row >= 1 && pos.col >= 1 && inTable(pos.row, pos.col) ? index(pos.row - 1, pos.col - 1) : QModelIndex();
}

bool QtGridModel::inTable(int32_t row, int32_t col) const
{
    return row >= 0 && row <= rows_ && row < cells_.rowCount() && col >= 0 && col <= columns_ &&
           col < cells_.colCount();
}

const Cell* QtGridModel::cellAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const CellPos pos = cellOf(index);
    return inTable(pos.row, pos.col) ? &cells_.cell(pos.row, pos.col) : nullptr;
}

int QtGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int QtGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant QtGridModel::data(const QModelIndex& index, int role) const
{
    const Cell* cell = cellAt(index);
    if (cell == nullptr)
        return {};
    const CellStyle& style = cell->style;
    const bool check = style.control == CellControl::CheckBox;
    switch (role) {
    case Qt::DisplayRole: return check ? QVariant() : QVariant(toQString(cell->text));
    case Qt::EditRole: return toQString(cell->text);
    case Qt::BackgroundRole: return QBrush(colorOf(style.background));
    case Qt::ForegroundRole: return QBrush(style.enabled ? look::kText : look::kDisabledText);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (style.align == CellAlign::Left ? Qt::AlignLeft : Qt::AlignHCenter));
    case Qt::CheckStateRole:
        return check ? QVariant(static_cast<int>(cell->text == "1" ? Qt::Checked : Qt::Unchecked)) : QVariant();
    default: return {};
    }
}

QVariant QtGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool horizontal = orientation == Qt::Horizontal;
    if (section < 0 || section >= (horizontal ? columns_ : rows_))
        return {};
    const int32_t row = horizontal ? 0 : section + 1;
    const int32_t col = horizontal ? section + 1 : 0;
    if (!inTable(row, col))
        return {};
    switch (role) {
    case Qt::DisplayRole: return toQString(cells_.text(row, col));
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignCenter);
    case Qt::FontRole:
        if (horizontal) {
            // Titles a shade heavier than the cells, the row numbers plain.
            QFont title;
            title.setWeight(QFont::DemiBold);
            return title;
        }
        return {};
    default: return {};
    }
}

Qt::ItemFlags QtGridModel::flags(const QModelIndex& index) const
{
    const Cell* cell = cellAt(index);
    if (cell == nullptr)
        return Qt::NoItemFlags;
    const CellStyle& style = cell->style;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (style.enabled)
        flags |= Qt::ItemIsEnabled;
    if (acceptsInput(style) && (style.control == CellControl::Edit || style.control == CellControl::DropDown))
        flags |= Qt::ItemIsEditable;
    if (acceptsInput(style) && style.control == CellControl::CheckBox)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

// ------------------------------------------------------------------ CellGridObserver

void QtGridModel::gridReshaped()
{
    beginResetModel();
    rows_ = std::max(0, cells_.rowCount() - 1);
    columns_ = std::max(0, cells_.colCount() - 1);
    endResetModel();
    // A reset leaves the views' sections and selection to be set again.
    emit gridColumnsChanged();
    emit gridSelectionChanged();
}

void QtGridModel::cellsChanged(int32_t top, int32_t left, int32_t bottom, int32_t right)
{
    const int firstCol = std::max(left, 1) - 1;
    const int lastCol = std::min(right, columns_) - 1;
    const int firstRow = std::max(top, 1) - 1;
    const int lastRow = std::min(bottom, rows_) - 1;
    if (top == 0 && firstCol <= lastCol)
        emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
    if (left == 0 && firstRow <= lastRow)
        emit headerDataChanged(Qt::Vertical, firstRow, lastRow);
    if (firstRow <= lastRow && firstCol <= lastCol)
        emit dataChanged(index(firstRow, firstCol), index(lastRow, lastCol));
}

void QtGridModel::columnsChanged() { emit gridColumnsChanged(); }

void QtGridModel::selectionChanged() { emit gridSelectionChanged(); }

} // namespace lm::qt
