#pragma once
// The layer grid as a read-only table: one row per layer of the current board,
// the 20 columns in grid order with the row numbers in the vertical header.
// Every text and look comes from the core's layer cells; cell editing is not
// offered yet.
#include "ui/TabControl.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace lm {
class EditorInstance;
}

namespace lm::qt {

// The current board's layers through the core's layer cells. The row count is
// taken at reload; a layer array that shrank since shows empty cells until then.
class LayerTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    LayerTableModel(EditorInstance& instance, QObject* parent);

    // Re-reads the board: every row and header anew.
    void reload();
    // The same rows with fresh texts (units, modes, planning changed).
    void refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const LMLAYEREX* layerAt(int row) const;

    EditorInstance& instance_;
    int rows_ = 0;
};

class QtGridView : public QTableView {
    Q_OBJECT

public:
    QtGridView(EditorInstance& instance, QWidget* parent);

    LayerTableModel* layerModel() const { return model_; }
    void reload() { model_->reload(); }
    void refresh();

    // The grid font's average character width (the dialogs' rule).
    int32_t averageCharWidth() const;
    // Pixel width of the column showing that id; 0 when none does.
    int32_t columnPixelWidth(int32_t columnId) const;
    // Shows the tab's columns in its order and widths and hides the others; with
    // unknown widths the columns are fitted to their contents, the first time
    // once the event loop comes round, as the grid is then still being set up.
    void showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown);
    // The tab shown; -1 before the first.
    int32_t tabShown() const { return tabShown_; }

private:
    void fitColumns();

    LayerTableModel* model_;
    int32_t tabShown_ = -1;
    uint64_t tabsShown_ = 0; // how many times a tab was put on the grid
};

} // namespace lm::qt
