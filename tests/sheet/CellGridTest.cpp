#include "sheet/CellGrid.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using lm::CellGrid;

namespace {

class Recorder : public lm::CellGridObserver {
public:
    void gridReshaped() override { heard.push_back("reshaped"); }
    void cellsChanged(int32_t top, int32_t left, int32_t bottom, int32_t right) override
    {
        heard.push_back("cells " + std::to_string(top) + "," + std::to_string(left) + "-"
                        + std::to_string(bottom) + "," + std::to_string(right));
    }
    void columnsChanged() override { heard.push_back("columns"); }
    void selectionChanged() override { heard.push_back("selection"); }
    std::vector<std::string> heard;
};

// Rows 1..n tagged with their number in column 1, so moves can be followed.
void fill(CellGrid& grid, int32_t dataRows)
{
    grid.setColCount(3);
    grid.setRowCount(dataRows + 1);
    for (int32_t r = 1; r <= dataRows; ++r)
        grid.setText(r, 1, std::to_string(r));
}

std::string tags(const CellGrid& grid)
{
    std::string out;
    for (int32_t r = 1; r < grid.rowCount(); ++r)
        out += grid.text(r, 1).empty() ? "_" : grid.text(r, 1);
    return out;
}

} // namespace

TEST(CellGrid, ShapeKeepsCellsAndRefusesOutOfRange)
{
    CellGrid grid;
    fill(grid, 2);
    grid.setRowCount(4);
    EXPECT_EQ(tags(grid), "12_");
    EXPECT_EQ(grid.cell(3, 2).text, "");
    grid.setRowCount(2);
    EXPECT_EQ(tags(grid), "1");
    EXPECT_THROW(grid.cell(2, 0), std::out_of_range);
    EXPECT_THROW(grid.setText(0, 3, "x"), std::out_of_range);
    EXPECT_THROW(grid.cell(-1, 0), std::out_of_range);
}

TEST(CellGrid, BatchNotifiesOnceWithUnionOfTouchedCells)
{
    CellGrid grid;
    fill(grid, 4);
    Recorder rec;
    grid.setObserver(&rec);
    {
        lm::CellBatch outer(grid);
        grid.setText(2, 1, "a");
        {
            lm::CellBatch inner(grid);
            grid.setText(4, 0, "b");
        }
        EXPECT_TRUE(rec.heard.empty());
        lm::CellStyle editable;
        editable.editable = true;
        grid.setStyle(3, 2, editable);
        grid.setText(1, 1, "1"); // unchanged: not touched
        grid.selectRow(1);
    }
    EXPECT_EQ(rec.heard, (std::vector<std::string>{"cells 2,0-4,2", "selection"}));

    rec.heard.clear();
    {
        lm::CellBatch batch(grid);
        grid.setText(1, 1, "x");
        grid.insertRows(1, 1);
    }
    EXPECT_EQ(rec.heard, (std::vector<std::string>{"reshaped", "selection"}));

    rec.heard.clear();
    grid.setText(1, 1, "y"); // no batch open: heard at once
    EXPECT_EQ(rec.heard, std::vector<std::string>{"cells 1,1-1,1"});
}

TEST(CellGrid, ColumnsFindAndReorder)
{
    CellGrid grid;
    grid.setColCount(4);
    grid.setColumnId(1, 7);
    grid.setColumnId(3, 7);
    EXPECT_EQ(grid.columnOf(7), 3);
    EXPECT_EQ(grid.columnOf(9), -1);

    grid.moveColumn(3, 1);
    EXPECT_EQ(std::pair(grid.visualColumn(1), grid.positionOf(1)), std::pair(3, 2));
    EXPECT_EQ(grid.columnOf(7), 3); // ids stay on grid columns
    grid.moveColumn(1, 0);          // the row header keeps place 0
    grid.moveColumn(0, 3);
    EXPECT_EQ(std::pair(grid.visualColumn(0), grid.positionOf(0)), std::pair(0, 0));
}
