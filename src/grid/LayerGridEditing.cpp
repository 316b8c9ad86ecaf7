#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/GridStyles.h"
#include "grid/LayerColumnRules.h"
#include "grid/RowPresentation.h"
#include "grid/LayerRules.h"
#include "grid/StoreLayersCmd.h"
#include "model/BuiltInRulesCheck.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "model/TextTrim.h"
#include "model/Units.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cstring>

namespace lm {
namespace {

constexpr int32_t kRefusingSeverity = DRC_ERROR; // errors and critical findings refuse a value

const std::string kNoText;

bool isEditBox(const CellStyle& style)
{
    return style.control == CellControl::Edit || style.control == CellControl::ReadOnlyEdit;
}

} // namespace

const std::string& LayerGrid::textAt(int32_t row, int32_t columnId) const
{
    const int32_t col = colOf(columnId);
    return col > 0 ? cells_.text(row, col) : kNoText;
}

double LayerGrid::numberAt(int32_t row, int32_t columnId) const
{
    return readNumber(textAt(row, columnId), decimalPoint_);
}

// ------------------------------------------------------------------ one edit

void LayerGrid::forgetEdit()
{
    editing_ = {};
    textBeforeEdit_.clear();
    layersBeforeEdit_.reset();
}

void LayerGrid::keepLayersBeforeChange()
{
    forgetEdit();
    storeAllRows();
    layersBeforeEdit_ = std::make_unique<CStoreLayers>(settings());
}

void LayerGrid::beginEdit(CellPos pos)
{
    forgetEdit();
    if (!isLayerRow(pos.row) || pos.col < 1 || pos.col >= cells_.colCount())
        return;
    keepLayersBeforeChange();
    editing_ = pos;
    textBeforeEdit_ = cells_.text(pos.row, pos.col);
}

TypedText LayerGrid::textTyped(CellPos pos, std::string_view text, int32_t caret)
{
    cells_.setText(pos.row, pos.col, std::string(text));
    TypedText typed{std::string(text), caret, false};
    if (!isLayerRow(pos.row) || !isNumericColumn(columnIdAt(pos.col)) || textStandsForStored(pos.row, pos.col))
        return typed;
    // Only digits, one decimal point and an exponent can be typed into a number.
    const std::string_view kept = trimBlanksAndTabs(text);
    if (isCleanForm(kept, decimalPoint_))
        return typed;
    platform_.beep();
    typed.text = cleanNumberText(kept, decimalPoint_);
    typed.caret = std::clamp(caret - 1, 0, static_cast<int32_t>(typed.text.size()));
    typed.changed = true;
    cells_.setText(pos.row, pos.col, typed.text);
    return typed;
}

bool LayerGrid::finishEdit(CellPos pos)
{
    if (editing_ != pos)
        forgetEdit(); // no snapshot of this cell: the step takes the records as they are
    if (!isLayerRow(pos.row) || pos.col < 1 || pos.col >= cells_.colCount()) {
        forgetEdit();
        return true;
    }
    const CellStyle& style = cells_.style(pos.row, pos.col);
    const int32_t columnId = columnIdAt(pos.col);
    if (!isEditBox(style) || style.readOnly || textStandsForStored(pos.row, pos.col)) {
        // "2e1" over a stored 20 is no change, but the cell shows it as "20".
        if (style.control == CellControl::Edit && !style.readOnly && isNumericColumn(columnId))
            cells_.setText(pos.row, pos.col, valueText(layerOfRow(pos.row), columnId));
        forgetEdit();
        return true;
    }
    if (IDRC* drc = settings().drc) {
        LMLAYEREX candidate{};
        readRowInto(pos.row, candidate);
        const char* message = nullptr;
        if (drc->CheckValue(columnId, &candidate, &message) >= kRefusingSeverity) {
            platform_.messageBox(message ? message : "", MessageButtons::Ok, MessageIcon::Exclamation);
            return false; // the edit stays open with the typed text
        }
    }
    flags_.rowsModified = true;
    flags_.valuesChanged = isNumericColumn(columnId);
    if (!layersBeforeEdit_)
        layersBeforeEdit_ = std::make_unique<CStoreLayers>(settings());
    if (isNumericColumn(columnId))
        showStoredForm(pos);
    recordEditStep();
    return true;
}

void LayerGrid::showStoredForm(CellPos pos)
{
    // The row is stored at once, so that a value shown rounded ("12.3" for a
    // typed 12.34) keeps what was typed; a number the record does not take
    // (a computed width) keeps its text.
    LMLAYEREX& layer = layerOfRow(pos.row);
    const LMLAYEREX before = layer;
    readRowInto(pos.row, layer);
    if (std::memcmp(&before, &layer, sizeof layer) != 0)
        cells_.setText(pos.row, pos.col, valueText(layer, columnIdAt(pos.col)));
}

void LayerGrid::cancelEdit(CellPos pos)
{
    if (editing_ == pos && isLayerRow(pos.row))
        cells_.setText(pos.row, pos.col, textBeforeEdit_);
    forgetEdit();
}

void LayerGrid::recordEditStep()
{
    std::unique_ptr<UndoableCommand> before = std::move(layersBeforeEdit_);
    if (!before)
        before = std::make_unique<CStoreLayers>(settings());
    forgetEdit();
    history_.record(std::move(before), CommandType::Do); // a step of its own
}

// ------------------------------------------------------------------ drop-down choices

void LayerGrid::choose(CellPos pos, std::string_view text)
{
    if (!isLayerRow(pos.row) || pos.col < 1 || pos.col >= cells_.colCount())
        return;
    const CellStyle& style = cells_.style(pos.row, pos.col);
    if (!acceptsInput(style) || !isChoice(style, text))
        return;
    // The layers before the choice, stored while the cell still shows the old text.
    if (editing_ != pos || !layersBeforeEdit_)
        beginEdit(pos);
    cells_.setText(pos.row, pos.col, std::string(text));
    if (textStandsForStored(pos.row, pos.col))
        return;
    const int32_t columnId = columnIdAt(pos.col);
    {
        CellBatch batch(cells_);
        switch (columnId) {
        case kColType: typeChanged(pos.row); break;
        case kColUsage: usageChanged(pos.row); break;
        case kColMetal: metalChanged(pos.row); break;
        default:
            // Technology and pour style are taken by the next store; the
            // computed values do not depend on them.
            flags_.rowsModified = true;
            recordEditStep();
            return;
        }
    }
    flags_.markAllChanged();
    recordEditStep();
}

void LayerGrid::typeChanged(int32_t row)
{
    const int32_t type = catalogueValue(Catalogue::Type, textAt(row, kColType));
    if (type != kMetal && type != kDielectric)
        return;
    restartLayerAsType(layers(), static_cast<std::size_t>(row - 1), type, (settings().caps & kCapRigidFlex) != 0);
    writeRow(row);
    layerKindPass(false);
}

void LayerGrid::usageChanged(int32_t row)
{
    const int32_t usage = usageValue(textAt(row, kColUsage));
    if (usage < 0)
        return;
    layerOfRow(row).nUsage = usage;
    writeRow(row);
    layerKindPass(false);
}

void LayerGrid::metalChanged(int32_t row)
{
    const int32_t metal = catalogueValue(Catalogue::Metal, textAt(row, kColMetal));
    if (metal < 0)
        return;
    layerOfRow(row).nMetal = metal;
    // A catalogue metal shows its table values read-only; <Custom> keeps what the cells show.
    writeMetalDependentCells(row, metal);
    readOnlyRow(row);
}

// ------------------------------------------------------------------ buttons

void LayerGrid::cellButtonClicked(CellPos pos)
{
    if (!isLayerRow(pos.row) || pos.col < 1 || pos.col >= cells_.colCount())
        return;
    const CellStyle& style = cells_.style(pos.row, pos.col);
    if (!style.enabled)
        return;
    switch (style.control) {
    case CellControl::CheckBox:
        if (acceptsInput(style))
            toggleVisible(pos.row, pos.col);
        break;
    case CellControl::ColourButton: chooseColour(pos.row, pos.col); break;
    case CellControl::PushButton: viewButtonClicked(pos.row, columnIdAt(pos.col)); break;
    default: break;
    }
}

void LayerGrid::toggleVisible(int32_t row, int32_t col)
{
    keepLayersBeforeChange();
    LMLAYEREX& layer = layerOfRow(row);
    const uint8_t wasVisible = layer.bVisible;
    cells_.setText(row, col, cells_.text(row, col) == "1" ? "0" : "1");
    readRowInto(row, layer);
    flags_.rowsModified = true; // the picture follows at the next idle pass
    if (layer.bVisible != wasVisible)
        recordEditStep();
    else
        forgetEdit();
}

void LayerGrid::chooseColour(int32_t row, int32_t col)
{
    const uint32_t shown = cells_.style(row, col).background;
    const std::optional<uint32_t> chosen = platform_.chooseColour(shown);
    if (!chosen)
        return;
    keepLayersBeforeChange();
    CellStyle coloured = cells_.style(row, col);
    coloured.background = *chosen & 0xFFFFFFu;
    cells_.setStyle(row, col, coloured);
    flags_.rowsModified = true;
    if (coloured.background != shown)
        recordEditStep();
    else
        forgetEdit();
    // The picture shows the colour at once, not at the next pass of the idle loop.
    commitIfModified();
}

// ------------------------------------------------------------------ layer kinds

void LayerGrid::layerKindPass(bool lookOnly)
{
    if (!settings().currentBoard)
        return;
    std::vector<LMLAYEREX>& all = layers();
    const auto rows = std::min(static_cast<int32_t>(all.size()), cells_.rowCount() - 1);
    const std::vector<LayerKind> kinds =
        applyLayerKindRules(all, static_cast<std::size_t>(std::max(rows, 0)), (settings().caps & kCapRigidFlex) != 0,
                            lookOnly);
    const bool sync = keptInSync();
    const int32_t usageCol = colOf(kColUsage);
    const int32_t technologyCol = colOf(kColTechnology);
    auto usageStyle = [&](GridStyle list) { return sync ? lockedVariant(namedStyle(list)) : namedStyle(list); };

    CellBatch batch(cells_);
    for (int32_t row = rows; row >= 1; --row) {
        const LMLAYEREX& layer = all[static_cast<std::size_t>(row - 1)];
        const LayerKind& kind = kinds[static_cast<std::size_t>(row - 1)];
        if (layer.nType == kDielectric) {
            if (kind.innerDielectric)
                cells_.setStyle(row, usageCol, lockedVariant(namedStyle(GridStyle::DielectricUsageList)));
            if (kind.usageSet)
                cells_.setText(row, usageCol, usageText(kSubstrate));
            if (kind.technologyShown) {
                setStyleOf(row, technologyCol, GridStyle::TechnologyList);
                cells_.setText(row, technologyCol, std::string(catalogueText(Catalogue::Technology, layer.nTechnology)));
            }
        } else if (layer.nType == kMetal) {
            if (kind.rewritten)
                writeRow(row);
            cells_.setStyle(row, usageCol,
                            usageStyle(kind.platingAllowed ? GridStyle::MetalUsageList : GridStyle::MetalUsageListNoPlating));
        }
    }
    for (const int32_t row : {1, rows})
        if (row >= 1 && row <= rows && all[static_cast<std::size_t>(row - 1)].nType == kDielectric)
            cells_.setStyle(row, usageCol, usageStyle(GridStyle::DielectricUsageList));
    readOnlyPass();
}

} // namespace lm
