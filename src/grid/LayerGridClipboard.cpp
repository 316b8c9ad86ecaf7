#include "grid/LayerGridClipboard.h"

#include "document/Board.h"
#include "grid/CopiedRowsText.h"
#include "grid/GridCommandRules.h"
#include "grid/InsertLayer.h"
#include "grid/LayerGrid.h"
#include "grid/LayerRowsBlock.h"
#include "grid/StoreLayersCmd.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "platform/Platform.h"

#include <algorithm>

namespace lm {
namespace {

// An edit box holds one line: a spreadsheet's cell comes with a line end.
std::string firstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The first `characters` characters of `text`, never cutting one apart.
std::string leadingCharacters(std::string_view text, std::size_t characters)
{
    std::size_t end = 0;
    for (std::size_t seen = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == characters)
            break;
    }
    return std::string(text.substr(0, end));
}

// A pasted layer is a new layer of this board: no host id, not permanent, and
// a metal other than plating gets a name and a colour no other layer has.
void makeNewLayer(std::vector<LMLAYEREX>& layers, std::size_t index)
{
    LMLAYEREX& layer = layers[index];
    layer.nId = 0;
    layer.bPermanent = 0;
    layer.pDrillSpans = 0;
    if (layer.nType != kMetal || layer.nUsage == kPlating)
        return;
    setLayerName(layer, uniqueName(layers, index));
    layer.crColor = uniqueColor(layers, index);
}

} // namespace

GridCommandState LayerGridClipboard::state(bool withClipboard) const
{
    GridCommandState state = commandStateOf(grid_);
    const CellPos current = grid_.cells().current();
    if (state.currentRow > 0 && current.col >= 1 && current.col < grid_.cells().colCount()) {
        const CellStyle& style = grid_.cells().style(current.row, current.col);
        state.currentTakesText = style.control == CellControl::Edit && acceptsInput(style);
    }
    if (const std::optional<EditBoxText> box = openEditBox())
        state.editorTextSelected = box->selectionStart != box->selectionEnd;
    if (withClipboard)
        state.clipboard = platform_.clipboardFormats();
    return state;
}

std::optional<EditBoxText> LayerGridClipboard::openEditBox() const
{
    if (!grid_.editorOpen() || !editBox_.read)
        return std::nullopt;
    std::optional<EditBoxText> box = editBox_.read();
    if (box) {
        const auto size = static_cast<int32_t>(box->text.size());
        // A selection made leftwards ends before it starts.
        const int32_t first = std::min(box->selectionStart, box->selectionEnd);
        const int32_t last = std::max(box->selectionStart, box->selectionEnd);
        box->selectionStart = std::clamp(first, 0, size);
        box->selectionEnd = std::clamp(last, 0, size);
    }
    return box;
}

bool LayerGridClipboard::copyEnabled() const { return lm::copyEnabled(state(false)); }
bool LayerGridClipboard::cutEnabled() const { return lm::cutEnabled(state(false)); }
bool LayerGridClipboard::pasteEnabled() const { return lm::pasteEnabled(state(true)); }

// ---------------------------------------------------------------- copy and cut

bool LayerGridClipboard::copy()
{
    if (grid_.cells().anySelected())
        return copyRows();
    if (!copyEnabled())
        return false;
    const std::optional<EditBoxText> box = openEditBox();
    const auto start = static_cast<std::size_t>(box->selectionStart);
    const auto length = static_cast<std::size_t>(box->selectionEnd - box->selectionStart);
    return platform_.writeClipboard({box->text.substr(start, length), {}, {}});
}

bool LayerGridClipboard::copyRows()
{
    // The rows are the working copy: the records take them first.
    grid_.storeAllRows();
    std::vector<int32_t> rows = grid_.cells().selectedRows();
    std::erase_if(rows, [this](int32_t row) { return !grid_.isLayerRow(row); });
    const std::span<const LMLAYEREX> layers = currentLayers(grid_.settings());
    std::vector<LMLAYEREX> records;
    records.reserve(rows.size());
    for (const int32_t row : rows)
        records.push_back(layers[static_cast<std::size_t>(row) - 1]);
    const TextTable table = copiedTexts(grid_.cells(), rows);
    return platform_.writeClipboard({tabSeparatedText(table), htmlTable(table), encodeLayerRows(records)});
}

bool LayerGridClipboard::cut()
{
    if (!cutEnabled() || !copy())
        return false;
    if (grid_.cells().anySelected())
        return grid_.deleteSelectedRows();
    return replaceEditBoxSelection({});
}

// ---------------------------------------------------------------- paste

bool LayerGridClipboard::paste()
{
    const GridCommandState now = state(true);
    if (now.currentRow == 0 || !now.clipboard)
        return false;
    if (now.clipboard->layerRows) {
        if (!(now.caps & kCapChangeStructure))
            return false;
        const std::optional<ClipboardData> data = platform_.readClipboard();
        return data && pasteRows(decodeLayerRows(data->layerRows));
    }
    if (!now.clipboard->text || !now.currentTakesText)
        return false;
    const std::optional<ClipboardData> data = platform_.readClipboard();
    if (!data)
        return false;
    const std::string text = firstLine(data->text);
    return openEditBox() ? replaceEditBoxSelection(text) : enterIntoCell(text);
}

bool LayerGridClipboard::pasteRows(const std::vector<LMLAYEREX>& records)
{
    MBSTACKUPENTRY* board = grid_.settings().currentBoard;
    // A block too short for one whole record holds nothing to paste, and deletes nothing either.
    if (!board || records.empty())
        return false;
    CellGrid& cells = grid_.cells();
    CellBatch batch(cells);
    grid_.storeAllRows();
    const bool done = recordStructuralEdit(grid_.history(), grid_.settings(), grid_.flags(), [&] {
        int32_t first = cells.current().row;
        if (cells.anySelected()) {
            first = cells.selectedRows().front();
            if (!grid_.deleteSelectedRows())
                return false;
        }
        for (std::size_t i = 0; i < records.size(); ++i) {
            const int32_t row = first + static_cast<int32_t>(i);
            const auto index = static_cast<std::size_t>(row) - 1;
            // Placed first, so that its spans come from its new neighbours and its name is judged among them.
            placeLayer(*board, index, records[i]);
            makeNewLayer(board->layers, index);
            cells.insertRows(row, 1);
            grid_.writeRow(row);
        }
        grid_.renumberRows();
        grid_.layerKindPass(false);
        return true;
    });
    grid_.readOnlyPass();
    return done;
}

bool LayerGridClipboard::replaceEditBoxSelection(const std::string& text)
{
    const std::optional<EditBoxText> box = openEditBox();
    if (!box)
        return false;
    const CellPos pos = grid_.cells().current();
    const std::string_view whole = box->text;
    const std::string_view before = whole.substr(0, static_cast<std::size_t>(box->selectionStart));
    const std::string_view after = whole.substr(static_cast<std::size_t>(box->selectionEnd));
    std::string inserted = text;
    // The box's length limit holds for pasted text as for typed text.
    if (const int32_t limit = grid_.cells().style(pos.row, pos.col).maxLength; limit > 0) {
        const std::size_t kept = characterCount(before) + characterCount(after);
        const auto room = static_cast<std::size_t>(limit) > kept ? static_cast<std::size_t>(limit) - kept : 0;
        inserted = leadingCharacters(inserted, room);
    }
    const std::string result = std::string(before) + inserted + std::string(after);
    const auto caret = static_cast<int32_t>(before.size() + inserted.size());
    const TypedText typed = grid_.textTyped(pos, result, caret);
    if (editBox_.show)
        editBox_.show(typed.text, typed.caret);
    return true;
}

bool LayerGridClipboard::enterIntoCell(const std::string& text)
{
    const CellPos pos = grid_.cells().current();
    std::string typed = text;
    if (const int32_t limit = grid_.cells().style(pos.row, pos.col).maxLength; limit > 0)
        typed = leadingCharacters(typed, static_cast<std::size_t>(limit));
    grid_.beginEdit(pos);
    grid_.textTyped(pos, typed, static_cast<int32_t>(typed.size()));
    if (grid_.finishEdit(pos))
        return true;
    // Refused with its message: the cell shows its value again; the text is still on the clipboard.
    grid_.cancelEdit(pos);
    return false;
}

} // namespace lm
