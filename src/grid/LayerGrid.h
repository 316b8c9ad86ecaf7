#pragma once
// The layer grid: the spreadsheet of the current board's layers, one row per
// layer (row 1 the top layer), the 20 columns plus the row header. It owns the
// cells (the working copy of the layers while the user edits), the undo history
// and the two edit flags, and carries the commands on whole layers. The Qt
// front end shows its cells and forwards every click, keystroke and drop here.
//
// Its jobs: RowPresentation (row styles, value texts), GridFrameTexts (headers),
// LayerGridRows.cpp (rows read back), LayerRules (stackup rules of the edits),
// LayerGridEditing.cpp (cell edits), LayerInsert, LayerDelete, ApplyToSelection
// and LayerMoves (layer commands), LayerGridCommands.cpp (routing, selection, undo),
// LayerGridPlanning.cpp (Z0 planning: the refresh of computed values through the
// host's impedance calculator, planning changes, Apply as Test Width, the View... buttons);
// the clipboard commands are LayerGridClipboard's.
#include <laminar/laminar.h>

#include "sheet/CellGrid.h"
#include "grid/GridUndo.h"
#include "grid/LayerGridClipboard.h"
#include "sheet/UndoStack.h"
#include "command/CommandTarget.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lm {

class Platform;
class TabSwitchTarget;
class Z0Calls;
struct LMEDITSETTINGS;

// Named cell styles of the grid, built once at set-up.
enum class GridStyle : uint8_t {
    Name, Number, LockedText, TypeList, MetalUsageList, MetalUsageListNoPlating, DielectricUsageList,
    TechnologyList, MetalList, PourStyleList, VisibleCheck, Colour, Result, ViewButton, NotApplicable,
};

// What the grid asks of the editor window.
struct LayerGridHooks {
    std::function<void()> updatePicture{};       // the picture pane's UpdateView
    TabSwitchTarget* tabs = nullptr;           // makes a tab current for undo and redo of tab switches
    // The refresh computed Z0: one value per layer of the board shown, for the
    // picture's Z0 labels; empty without a calculator.
    std::function<void(std::span<const double> z0)> z0Computed{};
    // A View... button of a layer row (zero-based layer index), called only while
    // a calculator is set: the width-versus-separation and the loss dialogs.
    std::function<void(int32_t layerIndex)> openZ0Curve{};
    std::function<void(int32_t layerIndex)> openLossCurve{};
};

// A keystroke's outcome in an edit cell: the text the editor must show and where the caret goes.
struct TypedText {
    std::string text;
    int32_t caret = 0;
    bool changed = false; // the editor must take `text` and `caret`
};

class LayerGrid : public CommandTarget, private GridScreenUpdates {
public:
    // Both must outlive the grid. The grid works on the board the settings
    // show, read each time; it keeps no pointer into the layer array.
    LayerGrid(LMEDITSETTINGS& settings, Platform& platform);
    ~LayerGrid() override;
    LayerGrid(const LayerGrid&) = delete;
    LayerGrid& operator=(const LayerGrid&) = delete;

    void setHooks(LayerGridHooks hooks) { hooks_ = std::move(hooks); }

    CellGrid& cells() { return cells_; }
    const CellGrid& cells() const { return cells_; }
    UndoStack& history() { return history_; }
    GridEditFlags& flags() { return flags_; }
    const GridEditFlags& flags() const { return flags_; }
    LayerGridClipboard& clipboard() { return clipboard_; }

    // ================================================= LayerGrid.cpp: set-up, rows, tabs
    // Creates the 21 columns with titles, ids and widths and builds the styles
    // (the dielectric-usage list by the rigid-flex bit now). Font metrics are the
    // grid font's, in pixels.
    void setup(int32_t averageCharWidth, int32_t charHeight);
    int32_t averageCharWidth() const { return averageCharWidth_; }
    int32_t charHeight() const { return charHeight_; }
    const CellStyle& namedStyle(GridStyle style) const;

    // Every row anew from the current board's layers; the history follows the board.
    void reload();
    // Values re-shown in the current unit and the unit headers rewritten.
    void unitsChanged();
    // Styles and values of every row again from the layer records (Keep in Sync off).
    void rewriteAllRows();
    // Styles, then values, of row r (1..N) from layer r-1.
    void writeRow(int32_t row);
    void applyRowStyles(int32_t row);
    void writeRowValues(int32_t row);
    // Bulk R, T coef, Er and Loss Tangent of a metal row for the metal its record holds.
    void writeMetalDependentCells(int32_t row, int32_t metal);
    void readOnlyPass();
    // The header texts (title, newline, unit) of every column.
    void writeHeaders();

    // Tab: hide, order and size the columns; record the switch for undo.
    // Returns true when the caller must fit the columns to their contents.
    bool showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown);
    int32_t tabShown() const { return tabShown_; }
    // Pixel width of the column showing that id; 0 when none does.
    int32_t columnPixelWidth(int32_t columnId) const;

    // The picture's double click: row index+1 becomes current and alone selected.
    void selectLayer(int32_t index);
    // Current cell moved by the user: the row selection is cleared unless Keep Selection is on.
    void cellClicked(CellPos pos);
    // The row header was clicked: with `extend` the rows from the current row to
    // this one are selected, with `toggle` this row flips, otherwise it alone is selected.
    void rowHeaderClicked(int32_t row, bool extend, bool toggle);

    // Idle: commit-if-modified, then the refresh of computed values.
    void idleRefresh();

    // ================================================= Z0 planning (LayerGridPlanning.cpp)
    // The planning mode or strategy changed: the Target Z0 header, the roles of
    // the Width, Gap and Z0 Curve cells and the entered widths and gaps follow;
    // the computed values follow at the next refresh.
    void planningChanged();
    // Auto Er or the Er frequency changed: every row is written again from the
    // records (a metal's Er shows "<Auto>" or its number) and values-changed is set.
    void computedInputsChanged();
    // The Width of every row that shows a positive number becomes its test width; one undo step.
    void applyAsTestWidth();

    // Grid coordinates of a column id; -1 none (scanning from the last column).
    int32_t colOf(int32_t columnId) const { return cells_.columnOf(columnId); }
    int32_t columnIdAt(int32_t col) const { return cells_.columnId(col); }
    int32_t layerCount() const; // rows 1..N stand for these layers
    bool isLayerRow(int32_t row) const;
    LMEDITSETTINGS& settings() { return settings_; }
    const LMEDITSETTINGS& settings() const { return settings_; }

    // ================================================= edits (LayerGridEditing.cpp, LayerGridRows.cpp)
    // An editor opens on a cell: the rows are stored and the layers kept for the
    // undo step the edit may become.
    void beginEdit(CellPos pos);
    // A keystroke changed an edit cell's text (caret after the change): numeric
    // cells are cleaned live (with a beep); the cell takes the text.
    TypedText textTyped(CellPos pos, std::string_view text, int32_t caret);
    // The user leaves an edited edit cell: false when the rules refuse the value
    // (the message was shown; the cell keeps the typed text and stays in edit).
    bool finishEdit(CellPos pos);
    // Escape: the cell gets back the text it had when the edit began.
    void cancelEdit(CellPos pos);
    // A drop-down cell was set to one of its choices (Type, Usage and Metal
    // rebuild the layer; each is one undo step).
    void choose(CellPos pos, std::string_view text);
    // The Visible check box, the colour button and the View... buttons.
    void cellButtonClicked(CellPos pos);

    // Whether the cell's text stands for the stored value of its layer.
    bool textStandsForStored(int32_t row, int32_t col) const;
    // Row r read over `layer` (validation: a zeroed record; storing: the live one).
    void readRowInto(int32_t row, LMLAYEREX& layer) const;
    void storeAllRows();
    void commitIfModified();
    // Before the window closes or the stackup is checked for saving.
    void flush();
    // After Type and Usage changes, the commands and (look only) every reload;
    // it ends with the read-only pass.
    void layerKindPass(bool lookOnly);

    // ================================================= commands (LayerGridCommands.cpp and the command files)
    bool onCommand(uint32_t id) override;
    bool hasCommandHandler(uint32_t id) const override;
    bool updateCommand(CommandUi& ui) override;

    // Insert a layer of usage u above or below the current row; false when refused.
    bool insertLayer(int32_t usage, bool above);
    bool insertMostSuitable(bool above);
    // Delete (the selected rows) and Cut's delete half; false when refused.
    bool deleteSelectedRows();
    void applyToSelection();
    void selectAll();
    void clearSelection();
    void selectByType(int32_t type);
    bool undo();
    bool redo();

    // Row drag: whether the selected rows may start moving, and the drop of them
    // before what is row `beforeRow` now (1..N+1). One undo step.
    bool canDragSelection() const;
    // Whether a drop before `beforeRow` would move the rows: not back onto
    // themselves and not where the drill pairs forbid it.
    bool dropAllowed(int32_t beforeRow) const;
    bool dropSelection(int32_t beforeRow);
    // The picture's drag: layer `from` goes to index `to` (both zero-based); one undo step.
    bool moveLayer(int32_t from, int32_t to);
    // The drill-pair move check for layers [first, first+count) landing before index `target` (-1: no target).
    bool moveAllowed(int32_t first, int32_t count, int32_t target) const;

    // What Delete and Cut do to the text of an open edit box: with
    // `selectionOnly` the selected text goes, otherwise the selection or the
    // character after the caret. The view that shows the editor sets it.
    void setEditorTextDeleter(std::function<void(bool selectionOnly)> deleter) { editorTextDeleter_ = std::move(deleter); }
    // Whether an editor is open on the current cell (Delete then works on its text).
    void setEditorOpen(bool open) { editorOpen_ = open; }
    bool editorOpen() const { return editorOpen_; }
    // The core still follows an edit begun with beginEdit (undo and redo drop it).
    bool editInProgress() const { return editing_.valid(); }

private:
    friend class LayerGridClipboard; // a paste inserts and renumbers rows as the commands here do

    // --- GridScreenUpdates: undo and redo rewrite every row from the layers.
    bool lockScreenUpdates(bool lock) override;
    void redrawAllCells() override;
    void repaintNow() override;

    // --- LayerGrid.cpp private helpers
    void buildStyles();
    void setStyleOf(int32_t row, int32_t col, GridStyle style);
    // The style a cell of that column takes for the layer (row styles, step by step).
    CellStyle rowStyleFor(const LMLAYEREX& layer, int32_t columnId) const;
    // The cell's text for the layer, in the units the rows show.
    std::string valueText(const LMLAYEREX& layer, int32_t columnId) const;
    void readOnlyRow(int32_t row);
    void writeRowNumber(int32_t row);
    // Row count, numbers, styles and values of every row from the layers, then the look-only kind pass.
    void writeAllRows();
    bool keptInSync() const;
    std::vector<LMLAYEREX>& layers();
    const std::vector<LMLAYEREX>& layers() const;
    LMLAYEREX& layerOfRow(int32_t row);
    const LMLAYEREX& layerOfRow(int32_t row) const;
    std::string number(double value) const;
    std::string length(double metres) const;
    // The rows show their numbers in the unit taken at the last reload or units change.
    void takeUnitsFromSettings();
    // Auto Er, Z0 and the solved widths or gaps through the impedance
    // calculator; only when values-changed is set, which it clears.
    void refreshComputedValues();
    void refreshZ0Column(int32_t col, const Z0Calls& calls);
    void refreshPlanningColumn(int32_t col, const Z0Calls& calls);
    // The grid column showing that id, when the current tab shows it; else 0.
    int32_t shownColumnOf(int32_t columnId) const;
    // Row r's values; a computed Width or Gap keeps its result when `computedToo` is false.
    void writeRowValues(int32_t row, bool computedToo);
    int32_t firstVisibleDataColumn() const;

    // --- private helpers of the edits
    void typeChanged(int32_t row);
    void usageChanged(int32_t row);
    void metalChanged(int32_t row);
    // Files the layers kept at the start of the edit as one undo step.
    void recordEditStep();
    // An accepted number: the row is stored and the cell shows the stored value's shown form.
    void showStoredForm(CellPos pos);
    void forgetEdit();
    // Stores the rows and keeps the layers as they are now for the undo step a change may become.
    void keepLayersBeforeChange();
    void toggleVisible(int32_t row, int32_t col);
    void chooseColour(int32_t row, int32_t col);
    // A View... button: the chart dialog of that layer, through the hooks.
    void viewButtonClicked(int32_t row, int32_t columnId);
    const std::string& textAt(int32_t row, int32_t columnId) const;
    double numberAt(int32_t row, int32_t columnId) const;

    // --- private helpers of the commands
    // The row an insert works at: the current layer row, row 1 of an empty grid, else 0.
    int32_t insertionRow() const;
    // Inserts at current row `row` as one undo step; `firstChange` runs inside that step first.
    bool insertAt(int32_t usage, bool above, int32_t row, const std::function<void()>& firstChange);
    // The record goes to index row-1 and gets grid row `row`, styled and written.
    void placeRow(int32_t row, const LMLAYEREX& layer);
    void renumberRows();
    bool applyToRow(int32_t row, int32_t col, const std::string& text, int32_t usage, int32_t metal);
    // Rows [first, first+count) with their layers go before row `beforeRow`; one undo step.
    bool moveRowsBefore(int32_t first, int32_t count, int32_t beforeRow);

    LMEDITSETTINGS& settings_;
    Platform& platform_;
    LayerGridClipboard clipboard_{*this, platform_};
    LayerGridHooks hooks_;
    CellGrid cells_;
    UndoStack history_;
    GridEditFlags flags_;
    std::vector<CellStyle> styles_; // by GridStyle
    int32_t averageCharWidth_ = 7;
    int32_t charHeight_ = 16;
    int32_t tabShown_ = -1;
    bool editorOpen_ = false;
    std::function<void(bool)> editorTextDeleter_;
    bool screenLocked_ = false;
    // The calculator the last refresh of computed values asked (or found missing).
    IZ0Calculator* calculatorAsked_ = nullptr;
    // The edit in progress: where, its text before, and the layers before it.
    CellPos editing_;
    std::string textBeforeEdit_;
    std::unique_ptr<UndoableCommand> layersBeforeEdit_;
    // The unit and thickness mode the rows' numbers are written in, and the decimal point.
    LMUNIT rowsUnit_{};
    int32_t rowsThicknessMode_ = 0;
    char decimalPoint_ = '.';
};

} // namespace lm
