#include "qt/QtGridView.h"

#include "qt/QtColor.h"

#include "api/Board.h"
#include "api/EditorInstance.h"
#include "grid/LayerTextTable.h"
#include "qt/QtTemplateControls.h"

#include <QHeaderView>

#include <algorithm>
#include <limits>

namespace lm::qt {
namespace {

QString textOf(const std::string& text) { return QString::fromStdString(text); }

int32_t columnIdAt(int column)
{
    const std::span<const int32_t> ids = gridColumnIds();
    return column >= 0 && static_cast<std::size_t>(column) < ids.size() ? ids[static_cast<std::size_t>(column)] : -1;
}

} // namespace

LayerTableModel::LayerTableModel(EditorInstance& instance, QObject* parent)
    : QAbstractTableModel(parent), instance_(instance)
{
    reload();
}

void LayerTableModel::reload()
{
    beginResetModel();
    const MBSTACKUPENTRY* board = instance_.settings().currentBoard;
    const std::size_t count = board != nullptr ? board->layers.size() : 0;
    rows_ = static_cast<int>(std::min<std::size_t>(count, static_cast<std::size_t>(std::numeric_limits<int>::max())));
    endResetModel();
}

void LayerTableModel::refresh()
{
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int LayerTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int LayerTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(gridColumnIds().size());
}

const LMLAYEREX* LayerTableModel::layerAt(int row) const
{
    const MBSTACKUPENTRY* board = instance_.settings().currentBoard;
    if (board == nullptr || row < 0 || row >= rows_ || static_cast<std::size_t>(row) >= board->layers.size())
        return nullptr;
    return &board->layers[static_cast<std::size_t>(row)];
}

QVariant LayerTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return {};
    const LMLAYEREX* layer = layerAt(index.row());
    if (layer == nullptr)
        return {};
    const LayerCell cell = layerCell(*layer, columnIdAt(index.column()), instance_.settings(), userDecimalPoint());
    switch (role) {
    case Qt::DisplayRole: return cell.look == CellLook::Check ? QVariant() : QVariant(textOf(cell.text));
    case Qt::CheckStateRole:
        return cell.look == CellLook::Check ? QVariant(cell.checked ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::BackgroundRole: return QBrush(colorOf(cell.background));
    case Qt::ForegroundRole: return QBrush(Qt::black); // on every background the grid gives
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (cell.alignLeft ? Qt::AlignLeft : Qt::AlignHCenter));
    default: return {};
    }
}

QVariant LayerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return textOf(columnHeaderText(columnIdAt(section), instance_.settings()));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignCenter);
        return {};
    }
    if (section < 0 || section >= rows_)
        return {};
    if (role == Qt::DisplayRole)
        return textOf(rowHeaderText(static_cast<std::size_t>(section) + 1));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags LayerTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    // Selectable for reading and copying by eye; nothing is editable in this first form.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QtGridView::QtGridView(EditorInstance& instance, QWidget* parent)
    : QTableView(parent), model_(new LayerTableModel(instance, this))
{
    setObjectName(QStringLiteral("layerGrid"));
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setAlternatingRowColors(false);
    setWordWrap(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    QHeaderView* header = horizontalHeader();
    QFont headerFont = font();
    headerFont.setBold(true);
    header->setFont(headerFont);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    // The title row is two character heights high: the title and its unit.
    header->setMinimumHeight(2 * QFontMetrics(headerFont).height() + 6);

    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->setDefaultAlignment(Qt::AlignCenter);
    // The row-header column is three average characters wide.
    rows->setFixedWidth(3 * averageCharWidth() + 8);

    for (int column = 0; column < model_->columnCount(); ++column)
        header->resizeSection(column, lm::columnPixelWidth(defaultColumnWidth(columnIdAt(column)), averageCharWidth()));
}

void QtGridView::refresh()
{
    model_->refresh();
    viewport()->update();
}

int32_t QtGridView::averageCharWidth() const { return baseUnitsOf(font()).charWidth; }

int32_t QtGridView::columnPixelWidth(int32_t columnId) const
{
    const int32_t column = gridColumnOf(columnId);
    return column < 0 ? 0 : horizontalHeader()->sectionSize(column);
}

void QtGridView::showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown)
{
    QHeaderView* header = horizontalHeader();
    setUpdatesEnabled(false);
    for (int column = 0; column < model_->columnCount(); ++column) {
        const int32_t id = columnIdAt(column);
        const bool listed =
            std::any_of(columns.begin(), columns.end(), [id](const LMGRIDCOLDESCR& c) { return c.columnId == id; });
        header->setSectionHidden(column, !listed);
    }
    const int32_t perChar = averageCharWidth();
    const int lastPosition = model_->columnCount() - 1;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const int32_t column = gridColumnOf(columns[k].columnId);
        if (column < 0)
            continue; // a host's column id the grid has no column for
        const int position = static_cast<int>(std::min<std::size_t>(k, static_cast<std::size_t>(lastPosition)));
        header->moveSection(header->visualIndex(column), position);
        header->resizeSection(column, std::max(0, lm::columnPixelWidth(columns[k].width, perChar)));
    }
    setUpdatesEnabled(true);

    const bool firstTab = tabsShown_ == 0;
    const uint64_t showing = ++tabsShown_;
    tabShown_ = tabId;
    if (!widthsKnown) {
        // The first tab arrives while the window is still being built; the
        // fitting waits for the loop, unless another tab came first.
        if (firstTab)
            QMetaObject::invokeMethod(
                this, [this, showing] { if (showing == tabsShown_) fitColumns(); }, Qt::QueuedConnection);
        else
            fitColumns();
    }
    viewport()->update();
}

void QtGridView::fitColumns()
{
    horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
}

} // namespace lm::qt
