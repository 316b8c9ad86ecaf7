#pragma once
// Copy, Cut and Paste of the layer grid. Selected rows go to the clipboard as
// tab-separated text, as an HTML table and as the layer-rows block; a paste of
// the block inserts its layers before the current row as one undo step; text
// goes into the current edit cell. The selected text of an open edit box is
// copied and cut as text.
#include <laminar/laminar.h>

#include "command/CommandUi.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lm {

class LayerGrid;
class Platform;
struct GridCommandState;

// The edit box open on the current cell, as the view shows it; offsets are
// UTF-8 bytes into `text`, the selection is [selectionStart, selectionEnd).
struct EditBoxText {
    std::string text;
    int32_t selectionStart = 0;
    int32_t selectionEnd = 0; // equal to selectionStart: no selection, the caret stands there
};

// What the clipboard commands ask of the view that shows the edit box.
struct EditBoxView {
    // Nothing when no edit box is open (a list may be).
    std::function<std::optional<EditBoxText>()> read;
    // The box shows a text the grid has already taken, the caret at that byte.
    std::function<void(const std::string& text, int32_t caret)> show;
};

class LayerGridClipboard {
public:
    LayerGridClipboard(LayerGrid& grid, Platform& platform) : grid_(grid), platform_(platform) {}

    void setEditBoxView(EditBoxView view) { editBox_ = std::move(view); }

    bool copyEnabled() const;
    bool cutEnabled() const;
    bool pasteEnabled() const;

    // Each reports whether something was put on the clipboard or changed.
    bool copy();
    // Copy, then the selected rows are deleted (or the edit box's selected text removed).
    bool cut();
    bool paste();

private:
    GridCommandState state(bool withClipboard) const;
    std::optional<EditBoxText> openEditBox() const;
    bool copyRows();
    bool pasteRows(const std::vector<LMLAYEREX>& records);
    // The text replaces the edit box's selection, or goes in at its caret.
    bool replaceEditBoxSelection(const std::string& text);
    // A cell not in edit takes the text as if typed over it, and is left.
    bool enterIntoCell(const std::string& text);

    LayerGrid& grid_;
    Platform& platform_;
    EditBoxView editBox_;
};

} // namespace lm
