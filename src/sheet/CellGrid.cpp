#include "sheet/CellGrid.h"

#include <algorithm>
#include <stdexcept>

namespace lm {

bool acceptsInput(const CellStyle& style)
{
    return style.editable && style.enabled && !style.readOnly;
}

bool buttonWorks(const CellStyle& style)
{
    return style.editable && style.enabled && (style.control == CellControl::ColourButton || !style.readOnly);
}

std::vector<std::string_view> choiceTexts(const CellStyle& style)
{
    std::vector<std::string_view> texts;
    if (style.choices.empty())
        return texts;
    std::string_view rest = style.choices;
    for (;;) {
        const std::size_t end = rest.find('\n');
        texts.push_back(rest.substr(0, end));
        if (end == std::string_view::npos)
            return texts;
        rest.remove_prefix(end + 1);
    }
}

bool isChoice(const CellStyle& style, std::string_view text)
{
    const auto texts = choiceTexts(style);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

namespace {

[[noreturn]] void outOfRange(const char* what)
{
    throw std::out_of_range(what);
}

// A current row beyond the last row moves to the last data row, or away when none is left.
void clampCurrentRow(CellPos& current, int32_t rowCount)
{
    if (current.valid() && current.row >= rowCount)
        current = rowCount > 1 ? CellPos{rowCount - 1, current.col} : CellPos{};
}

} // namespace

// --- shape

void CellGrid::setRowCount(int32_t rows)
{
    if (rows < 1)
        outOfRange("CellGrid::setRowCount: the header row always exists");
    if (rows == rowCount())
        return;
    if (rows < rowCount()) {
        for (auto r = rows_.begin() + rows; r != rows_.end(); ++r)
            if (r->selected)
                selection_changed_ = true;
        rows_.resize(static_cast<std::size_t>(rows));
    } else {
        Row fresh;
        fresh.cells.resize(columns_.size());
        rows_.resize(static_cast<std::size_t>(rows), fresh);
    }
    const CellPos before = current_;
    clampCurrentRow(current_, rowCount());
    if (current_ != before)
        selection_changed_ = true;
    reshaped();
    notifyIfIdle();
}

void CellGrid::insertRows(int32_t at, int32_t count)
{
    if (at < 1 || at > rowCount() || count < 0)
        outOfRange("CellGrid::insertRows");
    if (count == 0)
        return;
    for (auto r = rows_.begin() + at; r != rows_.end(); ++r)
        if (r->selected)
            selection_changed_ = true; // selected rows change number
    Row fresh;
    fresh.cells.resize(columns_.size());
    rows_.insert(rows_.begin() + at, static_cast<std::size_t>(count), fresh);
    if (current_.valid() && current_.row >= at) {
        current_.row += count;
        selection_changed_ = true;
    }
    reshaped();
    notifyIfIdle();
}

void CellGrid::removeRows(int32_t at, int32_t count)
{
    if (at < 1 || count < 0 || at > rowCount() - count)
        outOfRange("CellGrid::removeRows");
    if (count == 0)
        return;
    for (auto r = rows_.begin() + at; r != rows_.end(); ++r)
        if (r->selected)
            selection_changed_ = true;
    rows_.erase(rows_.begin() + at, rows_.begin() + at + count);
    const CellPos before = current_;
    if (current_.valid() && current_.row >= at + count)
        current_.row -= count;
    else if (current_.valid() && current_.row >= at)
        current_.row = at; // the row after the removed ones, clamped below
    clampCurrentRow(current_, rowCount());
    if (current_ != before)
        selection_changed_ = true;
    reshaped();
    notifyIfIdle();
}

void CellGrid::moveRows(int32_t first, int32_t count, int32_t before)
{
    if (first < 1 || count < 0 || first > rowCount() - count || before < 1 || before > rowCount())
        outOfRange("CellGrid::moveRows");
    if (count == 0 || (before >= first && before <= first + count))
        return; // lands where it stands
    const int32_t lo = std::min(first, before);
    const int32_t hi = std::max(first + count, before);
    // Where row i stands after the move.
    auto newIndex = [&](int32_t i) {
        if (i < lo || i >= hi)
            return i;
        if (before < first)
            return i >= first ? before + (i - first) : i + count;
        return i < first + count ? before - count + (i - first) : i - count;
    };
    for (int32_t i = lo; i < hi; ++i)
        if (rows_[static_cast<std::size_t>(i)].selected)
            selection_changed_ = true;
    if (before < first)
        std::rotate(rows_.begin() + before, rows_.begin() + first, rows_.begin() + first + count);
    else
        std::rotate(rows_.begin() + first, rows_.begin() + first + count, rows_.begin() + before);
    if (current_.valid()) {
        const int32_t row = newIndex(current_.row);
        if (row != current_.row) {
            current_.row = row;
            selection_changed_ = true;
        }
    }
    reshaped();
    notifyIfIdle();
}

void CellGrid::setColCount(int32_t cols)
{
    if (cols < 1)
        outOfRange("CellGrid::setColCount: the row-header column always exists");
    if (cols == colCount())
        return;
    const auto n = static_cast<std::size_t>(cols);
    columns_.resize(n);
    for (Row& row : rows_)
        row.cells.resize(n);
    std::erase_if(order_, [cols](int32_t c) { return c >= cols; });
    for (int32_t c = static_cast<int32_t>(order_.size()); c < cols; ++c)
        order_.push_back(c);
    if (current_.valid() && current_.col >= cols) {
        current_.col = cols - 1;
        selection_changed_ = true;
    }
    reshaped();
    columnsTouched();
    notifyIfIdle();
}

// --- cells

void CellGrid::checkCell(int32_t row, int32_t col) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount())
        outOfRange("CellGrid: cell out of range");
}

const Cell& CellGrid::cell(int32_t row, int32_t col) const
{
    checkCell(row, col);
    return rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
}

void CellGrid::setStyle(int32_t row, int32_t col, CellStyle style)
{
    checkCell(row, col);
    CellStyle& target = rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)].style;
    if (target == style)
        return;
    target = std::move(style);
    touch(row, col);
    notifyIfIdle();
}

void CellGrid::setText(int32_t row, int32_t col, std::string text)
{
    checkCell(row, col);
    std::string& target = rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)].text;
    if (target == text)
        return;
    target = std::move(text);
    touch(row, col);
    notifyIfIdle();
}

// --- columns

namespace {

void checkColumn(int32_t col, int32_t colCount)
{
    if (col < 0 || col >= colCount)
        outOfRange("CellGrid: column out of range");
}

} // namespace

void CellGrid::setColumnId(int32_t col, int32_t id)
{
    checkColumn(col, colCount());
    columns_[static_cast<std::size_t>(col)].id = id;
}

int32_t CellGrid::columnId(int32_t col) const
{
    checkColumn(col, colCount());
    return columns_[static_cast<std::size_t>(col)].id;
}

int32_t CellGrid::columnOf(int32_t id) const
{
    for (int32_t c = colCount() - 1; c >= 0; --c)
        if (columns_[static_cast<std::size_t>(c)].id == id)
            return c;
    return -1;
}

void CellGrid::setColumnHidden(int32_t col, bool hidden)
{
    checkColumn(col, colCount());
    bool& target = columns_[static_cast<std::size_t>(col)].hidden;
    if (target == hidden)
        return;
    target = hidden;
    columnsTouched();
    notifyIfIdle();
}

bool CellGrid::columnHidden(int32_t col) const
{
    checkColumn(col, colCount());
    return columns_[static_cast<std::size_t>(col)].hidden;
}

void CellGrid::setColumnWidth(int32_t col, int32_t pixels)
{
    checkColumn(col, colCount());
    int32_t& target = columns_[static_cast<std::size_t>(col)].width;
    pixels = std::max(pixels, 0);
    if (target == pixels)
        return;
    target = pixels;
    columnsTouched();
    notifyIfIdle();
}

int32_t CellGrid::columnWidth(int32_t col) const
{
    checkColumn(col, colCount());
    return columns_[static_cast<std::size_t>(col)].width;
}

void CellGrid::moveColumn(int32_t col, int32_t position)
{
    checkColumn(col, colCount());
    checkColumn(position, colCount());
    if (col == 0)
        return; // the row header stays first
    position = std::max(position, 1);
    const auto from = static_cast<int32_t>(std::find(order_.begin(), order_.end(), col) - order_.begin());
    if (from == position)
        return;
    order_.erase(order_.begin() + from);
    order_.insert(order_.begin() + position, col);
    columnsTouched();
    notifyIfIdle();
}

int32_t CellGrid::visualColumn(int32_t position) const
{
    checkColumn(position, colCount());
    return order_[static_cast<std::size_t>(position)];
}

int32_t CellGrid::positionOf(int32_t col) const
{
    checkColumn(col, colCount());
    return static_cast<int32_t>(std::find(order_.begin(), order_.end(), col) - order_.begin());
}

void CellGrid::setRowHeight(int32_t row, int32_t pixels)
{
    checkCell(row, 0);
    int32_t& target = rows_[static_cast<std::size_t>(row)].height;
    pixels = std::max(pixels, 0);
    if (target == pixels)
        return;
    target = pixels;
    reshaped();
    notifyIfIdle();
}

int32_t CellGrid::rowHeight(int32_t row) const
{
    checkCell(row, 0);
    return rows_[static_cast<std::size_t>(row)].height;
}

// --- selection

void CellGrid::setCurrent(CellPos pos)
{
    if (pos.valid())
        checkCell(pos.row, pos.col);
    else
        pos = CellPos{};
    if (pos == current_)
        return;
    current_ = pos;
    selectionTouched();
    notifyIfIdle();
}

bool CellGrid::rowSelected(int32_t row) const
{
    checkCell(row, 0);
    return rows_[static_cast<std::size_t>(row)].selected;
}

void CellGrid::selectRow(int32_t row, bool selected)
{
    if (row < 1 || row >= rowCount())
        outOfRange("CellGrid::selectRow: only data rows are selected");
    bool& target = rows_[static_cast<std::size_t>(row)].selected;
    if (target == selected)
        return;
    target = selected;
    selectionTouched();
    notifyIfIdle();
}

void CellGrid::clearSelection()
{
    for (Row& row : rows_) {
        if (row.selected) {
            row.selected = false;
            selectionTouched();
        }
    }
    notifyIfIdle();
}

std::vector<int32_t> CellGrid::selectedRows() const
{
    std::vector<int32_t> rows;
    for (int32_t r = 1; r < rowCount(); ++r)
        if (rows_[static_cast<std::size_t>(r)].selected)
            rows.push_back(r);
    return rows;
}

bool CellGrid::anySelected() const
{
    return std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.selected; });
}

bool CellGrid::selectionContiguous() const
{
    const auto rows = selectedRows();
    return !rows.empty() && rows.back() - rows.front() + 1 == static_cast<int32_t>(rows.size());
}

// --- notifications

void CellGrid::touch(int32_t row, int32_t col)
{
    if (dirtyTop_ < 0) {
        dirtyTop_ = dirtyBottom_ = row;
        dirtyLeft_ = dirtyRight_ = col;
        return;
    }
    dirtyTop_ = std::min(dirtyTop_, row);
    dirtyBottom_ = std::max(dirtyBottom_, row);
    dirtyLeft_ = std::min(dirtyLeft_, col);
    dirtyRight_ = std::max(dirtyRight_, col);
}

void CellGrid::reshaped() { reshaped_ = true; }
void CellGrid::columnsTouched() { columns_changed_ = true; }
void CellGrid::selectionTouched() { selection_changed_ = true; }

void CellGrid::endBatch()
{
    if (batchDepth_ > 0)
        --batchDepth_;
    notifyIfIdle();
}

void CellGrid::notifyIfIdle()
{
    if (batchDepth_ > 0)
        return;
    // Taken out first: an observer may change the grid again while it hears.
    const bool reshaped = reshaped_, columns = columns_changed_, selection = selection_changed_;
    const int32_t top = dirtyTop_, left = dirtyLeft_, bottom = dirtyBottom_, right = dirtyRight_;
    reshaped_ = columns_changed_ = selection_changed_ = false;
    dirtyTop_ = dirtyLeft_ = dirtyBottom_ = dirtyRight_ = -1;
    if (observer_ == nullptr)
        return;
    if (reshaped)
        observer_->gridReshaped();
    else if (top >= 0)
        observer_->cellsChanged(top, left, bottom, right);
    if (columns)
        observer_->columnsChanged();
    if (selection)
        observer_->selectionChanged();
}

} // namespace lm
