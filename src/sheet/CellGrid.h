#pragma once
// The spreadsheet grid the layer grid is built on, without a toolkit: rows and
// columns of cells, each with its own style (control, editable, enabled,
// read-only, background, alignment, choices, length limit) and text; a header
// row 0 and a row-header column 0; columns that can be hidden, reordered and
// sized, each carrying a hidden id on its header cell; row selection with a
// current cell; and batches of changes that observers see once.
//
// The Qt front end shows it through a table model; tests drive it directly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lm {

enum class CellControl : uint8_t {
    Static,       // text only, never edited
    Edit,         // edit box (length limit in maxLength)
    ReadOnlyEdit, // edit box that shows but refuses changes
    DropDown,     // drop-down list of `choices`
    CheckBox,     // three-dimensional check box: text "1" checked, "0" unchecked
    ColourButton, // read-only text with a small button at its side (the colour cell)
    PushButton,   // a button showing the text
};

enum class CellAlign : uint8_t { Left, Centre };

struct CellStyle {
    CellControl control = CellControl::Static;
    bool editable = false;
    bool enabled = true;
    bool readOnly = false;
    uint32_t background = 0xFFFFFFu; // 0x00BBGGRR
    CellAlign align = CellAlign::Centre;
    bool verticalCentre = false;
    std::string choices;             // drop-down texts joined by '\n'
    int32_t maxLength = 0;           // 0: no limit
    bool operator==(const CellStyle&) const = default;
};

// The cell accepts typing or choosing: editable, enabled and not read-only.
bool acceptsInput(const CellStyle& style);
// A check box, colour button or push button of that style reacts to a click;
// the colour well's text is read-only, its button works all the same.
bool buttonWorks(const CellStyle& style);
// The drop-down texts of a style, in order.
std::vector<std::string_view> choiceTexts(const CellStyle& style);
bool isChoice(const CellStyle& style, std::string_view text);

struct Cell {
    CellStyle style;
    std::string text;
};

struct CellPos {
    int32_t row = -1;
    int32_t col = -1;
    bool valid() const { return row >= 0 && col >= 0; }
    bool operator==(const CellPos&) const = default;
};

// What a batch changed, reported when the outermost batch ends.
class CellGridObserver {
public:
    // Rows were inserted, removed or moved, or columns changed shape: show everything anew.
    virtual void gridReshaped() = 0;
    // Cells inside this rectangle (inclusive, grid coordinates) changed text or style.
    virtual void cellsChanged(int32_t top, int32_t left, int32_t bottom, int32_t right) = 0;
    // Column visibility, order or widths changed.
    virtual void columnsChanged() = 0;
    // Row selection or the current cell changed.
    virtual void selectionChanged() = 0;

protected:
    ~CellGridObserver() = default;
};

class CellGrid {
public:
    CellGrid() = default;
    CellGrid(const CellGrid&) = delete;
    CellGrid& operator=(const CellGrid&) = delete;

    void setObserver(CellGridObserver* observer) { observer_ = observer; }
    CellGridObserver* observer() const { return observer_; }

    // --- shape. Row 0 is the header row, column 0 the row-header column; both
    // always exist. Counts include them.
    int32_t rowCount() const { return static_cast<int32_t>(rows_.size()); }
    int32_t colCount() const { return static_cast<int32_t>(columns_.size()); }
    // The row count, header row included (at least 1): data rows are 1..rows-1.
    // Existing rows keep their cells; new rows get colCount() default cells.
    void setRowCount(int32_t rows);
    // Inserts `count` empty rows so that the first is row `at` (1..rowCount()).
    void insertRows(int32_t at, int32_t count);
    void removeRows(int32_t at, int32_t count);
    // Moves rows [first, first+count) so that they stand before what is row
    // `before` now (before may be rowCount()); selection moves with them.
    void moveRows(int32_t first, int32_t count, int32_t before);
    // Columns are created once; each new column is visible.
    void setColCount(int32_t cols);

    // --- cells; out of range is an invalid argument (std::out_of_range).
    const Cell& cell(int32_t row, int32_t col) const;
    void setStyle(int32_t row, int32_t col, CellStyle style);
    void setText(int32_t row, int32_t col, std::string text);
    const std::string& text(int32_t row, int32_t col) const { return cell(row, col).text; }
    const CellStyle& style(int32_t row, int32_t col) const { return cell(row, col).style; }

    // --- columns (by grid column index, 0 = row header)
    // The hidden attribute on the header cell.
    void setColumnId(int32_t col, int32_t id);
    int32_t columnId(int32_t col) const;
    // The grid column of an id, scanning from the last column to the first; -1 none.
    int32_t columnOf(int32_t id) const;
    void setColumnHidden(int32_t col, bool hidden);
    bool columnHidden(int32_t col) const;
    void setColumnWidth(int32_t col, int32_t pixels);
    int32_t columnWidth(int32_t col) const;
    // Display order: visualColumn(k) is the grid column shown k-th (k = 0 is the
    // row header, which never moves). moveColumn puts grid column `col` k-th.
    void moveColumn(int32_t col, int32_t position);
    int32_t visualColumn(int32_t position) const;
    int32_t positionOf(int32_t col) const;
    void setRowHeight(int32_t row, int32_t pixels);
    int32_t rowHeight(int32_t row) const;

    // --- selection of whole rows and the current cell
    CellPos current() const { return current_; }
    void setCurrent(CellPos pos);
    bool rowSelected(int32_t row) const;
    void selectRow(int32_t row, bool selected = true);
    void clearSelection();
    // Data rows selected, ascending.
    std::vector<int32_t> selectedRows() const;
    bool anySelected() const;
    // The selection is one block of adjacent rows.
    bool selectionContiguous() const;

    // --- batches: observers hear once, when the outermost batch ends.
    void beginBatch() { ++batchDepth_; }
    void endBatch();
    bool inBatch() const { return batchDepth_ > 0; }

private:
    struct Column {
        int32_t id = -1;
        bool hidden = false;
        int32_t width = 64;
    };
    struct Row {
        std::vector<Cell> cells;
        bool selected = false;
        int32_t height = 20;
    };
    void checkCell(int32_t row, int32_t col) const;
    void touch(int32_t row, int32_t col);
    void reshaped();
    void columnsTouched();
    void selectionTouched();
    void notifyIfIdle();

    std::vector<Row> rows_{Row{}};
    std::vector<Column> columns_{Column{}};
    std::vector<int32_t> order_{0}; // display order of grid columns
    CellPos current_;
    CellGridObserver* observer_ = nullptr;
    int32_t batchDepth_ = 0;
    // Pending notifications of the open batch.
    bool reshaped_ = false, columns_changed_ = false, selection_changed_ = false;
    int32_t dirtyTop_ = -1, dirtyLeft_ = -1, dirtyBottom_ = -1, dirtyRight_ = -1;
};

// Opens a batch for a scope.
class CellBatch {
public:
    explicit CellBatch(CellGrid& grid) : grid_(grid) { grid_.beginBatch(); }
    ~CellBatch() { grid_.endBatch(); }
    CellBatch(const CellBatch&) = delete;
    CellBatch& operator=(const CellBatch&) = delete;

private:
    CellGrid& grid_;
};

} // namespace lm
