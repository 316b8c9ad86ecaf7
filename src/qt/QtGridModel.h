#pragma once
// The core's cell grid as a Qt table: data rows 1..N are model rows 0..N-1,
// grid columns 1..20 model columns 0..19; the header row gives the column
// headers, the row-header column the row headers. Texts, looks and flags all
// come from the cells; edits never go through setData, the view hands them to
// the layer grid, and what changes comes back through the observer.
#include "sheet/CellGrid.h"

#include <QAbstractTableModel>

namespace lm::qt {

class QtGridModel : public QAbstractTableModel, private CellGridObserver {
    Q_OBJECT

public:
    // The model observes `cells` from now until it goes (one model at a time).
    QtGridModel(CellGrid& cells, QObject* parent);
    ~QtGridModel() override;

    CellGrid& cells() const { return cells_; }
    // The grid cell of a model index and back; an index outside the table has no cell.
    static CellPos cellOf(const QModelIndex& index) { return {index.row() + 1, index.column() + 1}; }
    QModelIndex indexOf(CellPos pos) const;
    // The cell behind a model index; null outside the rows and columns the views know.
    const Cell* cellAt(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Column visibility, order or widths changed (also after every reset).
    void gridColumnsChanged();
    // The row selection or the current cell changed (also after every reset).
    void gridSelectionChanged();

private:
    // --- CellGridObserver
    void gridReshaped() override;
    void cellsChanged(int32_t top, int32_t left, int32_t bottom, int32_t right) override;
    void columnsChanged() override;
    void selectionChanged() override;

    bool inTable(int32_t row, int32_t col) const;

    CellGrid& cells_;
    // The shape the views were last told; the cells may have grown or shrunk
    // inside a batch that has not ended yet.
    int rows_ = 0;
    int columns_ = 0;
};

} // namespace lm::qt
