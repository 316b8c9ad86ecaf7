#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/GridStyles.h"
#include "grid/LayerColumnRules.h"
#include "grid/LayerRules.h"
#include "grid/StoreLayersCmd.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "model/TextTrim.h"
#include "model/Units.h"
#include "platform/Platform.h"

#include <algorithm>

namespace lm {
namespace {

constexpr std::size_t kMaxGridNameLength = 63;
constexpr int32_t kRefusingSeverity = 2; // errors and critical findings refuse a value

const std::string kNoText;

// The number a numeric column shows for the stored value.
double shownValue(const LMLAYEREX& layer, int32_t columnId, const LMUNIT& unit, int32_t thicknessMode)
{
    switch (columnId) {
    case kColThickness: return thicknessShown(layer, unit, thicknessMode);
    case kColTestWidth: return lengthShown(layer.dTestWidth, unit);
    case kColWidth: return lengthShown(layer.dWidth, unit);
    case kColGap: return lengthShown(layer.dGap, unit);
    case kColEr: return layer.dEr;
    case kColLossTangent: return layer.dLossTangent;
    case kColBulkR: return layer.dBulkResistivity;
    case kColTCoef: return layer.dTempCoef;
    case kColTargetZ0: return layer.dTargetZ0;
    default: return 0.0;
    }
}

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
    if (!isEditBox(style) || style.readOnly || textStandsForStored(pos.row, pos.col)) {
        forgetEdit();
        return true;
    }
    const int32_t columnId = columnIdAt(pos.col);
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
    recordEditStep();
    return true;
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
    std::vector<LMLAYEREX>& all = layers();
    const auto index = static_cast<std::size_t>(row - 1);
    const int32_t below = index + 1 < all.size() ? all[index + 1].nUsage : -1;
    const int32_t above = index > 0 ? all[index - 1].nUsage : -1;
    const bool rigidFlex = (settings().caps & kCapRigidFlex) != 0;
    const int32_t plainDielectric = rigidFlex ? kRigid : kSubstrate;

    int32_t usage = 0;
    if (below == -1 && above == -1) {
        usage = type == kDielectric ? plainDielectric : kSignal;
    } else {
        usage = mostSuitableUsage(below, above, rigidFlex);
        if (type == kDielectric && isMetalUsage(usage))
            usage = plainDielectric;
        if (type == kMetal && !isMetalUsage(usage))
            usage = kSignal;
    }

    // The layer starts again from its new usage's default; only its drill spans
    // (kept beside the record) and its loss tangent stay.
    LMLAYEREX& layer = all[index];
    const double lossTangent = layer.dLossTangent;
    const uint32_t spans = layer.pDrillSpans;
    layer = defaultLayer(usage);
    layer.dLossTangent = lossTangent;
    layer.pDrillSpans = spans;
    if (type == kMetal && usage != kPlating)
        layer.crColor = uniqueColor(all, index);
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
    // The layer takes the colour when the row is next stored.
    flags_.rowsModified = true;
    if (coloured.background != shown)
        recordEditStep();
    else
        forgetEdit();
}

void LayerGrid::viewButtonClicked([[maybe_unused]] int32_t row, [[maybe_unused]] int32_t columnId)
{
    if (!settings().z0Calculator)
        return; // without a calculator the buttons do nothing
    // The width-versus-separation and loss dialogs open here for layer row - 1.
}

// ------------------------------------------------------------------ rows and layers

bool LayerGrid::textStandsForStored(int32_t row, int32_t col) const
{
    if (!isLayerRow(row) || col < 1 || col >= cells_.colCount())
        return false;
    const LMLAYEREX& layer = layerOfRow(row);
    const std::string& text = cells_.text(row, col);
    const int32_t columnId = columnIdAt(col);
    switch (columnId) {
    case kColLayerName: return text == layerName(layer);
    case kColType: return catalogueValue(Catalogue::Type, text) == layer.nType;
    case kColUsage: return usageValue(text) == layer.nUsage;
    case kColTechnology: return catalogueValue(Catalogue::Technology, text) == layer.nTechnology;
    case kColMetal: return catalogueValue(Catalogue::Metal, text) == layer.nMetal;
    case kColPourDrawStyle: return catalogueValue(Catalogue::PourDrawStyle, text) == layer.nPourDrawStyle;
    default: break;
    }
    if (!isNumericColumn(columnId))
        return false;
    // Any unclean text counts as a change, whatever number it reads as.
    return isCleanForm(text, decimalPoint_) &&
           readNumber(text, decimalPoint_) == shownValue(layer, columnId, rowsUnit_, rowsThicknessMode_);
}

void LayerGrid::readRowInto(int32_t row, LMLAYEREX& layer) const
{
    if (row < 1 || row >= cells_.rowCount())
        throw LMInvalidArgument("no such grid row");
    setLayerName(layer, trimBlanksAndTabs(textAt(row, kColLayerName)).substr(0, kMaxGridNameLength));
    layer.nType = catalogueValue(Catalogue::Type, textAt(row, kColType));
    layer.nUsage = usageValue(textAt(row, kColUsage));
    layer.nMetal = catalogueValue(Catalogue::Metal, textAt(row, kColMetal));
    if (columnApplies(layer.nUsage, kColPourDrawStyle))
        layer.nPourDrawStyle = catalogueValue(Catalogue::PourDrawStyle, textAt(row, kColPourDrawStyle));

    // A shown value rounded from the stored one keeps the stored precision while unchanged.
    const double thickness = numberAt(row, kColThickness);
    if (thickness != thicknessShown(layer, rowsUnit_, rowsThicknessMode_))
        layer.dThickness = thicknessStored(thickness, layer, rowsUnit_, rowsThicknessMode_);

    const bool loss = lossColumnsOn(settings().caps);
    if (layer.nType == kDielectric) {
        if (hasTechnology(layer.nUsage))
            layer.nTechnology = catalogueValue(Catalogue::Technology, textAt(row, kColTechnology));
        layer.dEr = numberAt(row, kColEr);
        if (loss)
            layer.dLossTangent = numberAt(row, kColLossTangent);
    } else if (layer.nType == kMetal) {
        layer.dBulkResistivity = numberAt(row, kColBulkR);
        layer.dTempCoef = numberAt(row, kColTCoef);
        // With Auto Er the calculator sets a metal's Er and loss tangent; a
        // Plating row has neither cell.
        if (!settings().autoEr) {
            if (columnApplies(layer.nUsage, kColEr))
                layer.dEr = numberAt(row, kColEr);
            if (loss && columnApplies(layer.nUsage, kColLossTangent))
                layer.dLossTangent = numberAt(row, kColLossTangent);
        }
        if (layer.nUsage != kPlating) {
            layer.bVisible = textAt(row, kColVisible) == "1" ? 1 : 0;
            if (const int32_t col = colOf(kColColor); col > 0)
                layer.crColor = cells_.style(row, col).background;
        }
    }

    if (columnApplies(layer.nUsage, kColZ0)) {
        auto readLength = [&](int32_t columnId, double& field) {
            const double shown = numberAt(row, columnId);
            if (shown != lengthShown(field, rowsUnit_))
                field = lengthStored(shown, rowsUnit_);
        };
        readLength(kColTestWidth, layer.dTestWidth);
        layer.dTargetZ0 = numberAt(row, kColTargetZ0);
        // Computed widths and gaps live in the cells only.
        const int32_t entered = enteredPlanningColumn(settings());
        if (entered == kColWidth)
            readLength(kColWidth, layer.dWidth);
        else if (entered == kColGap)
            readLength(kColGap, layer.dGap);
    }
}

void LayerGrid::storeAllRows()
{
    if (!settings().currentBoard)
        return;
    std::vector<LMLAYEREX>& all = layers();
    for (auto row = std::min(static_cast<int32_t>(all.size()), cells_.rowCount() - 1); row >= 1; --row)
        readRowInto(row, all[static_cast<std::size_t>(row - 1)]);
}

void LayerGrid::commitIfModified()
{
    if (!flags_.rowsModified)
        return;
    flags_.rowsModified = false;
    storeAllRows();
    if (hooks_.updatePicture)
        hooks_.updatePicture();
}

void LayerGrid::flush()
{
    refreshComputedValues();
    storeAllRows();
}

// ------------------------------------------------------------------ layer kinds

void LayerGrid::layerKindPass(bool lookOnly)
{
    if (!settings().currentBoard)
        return;
    std::vector<LMLAYEREX>& all = layers();
    const auto rows = std::min(static_cast<int32_t>(all.size()), cells_.rowCount() - 1);
    const bool rigidFlex = (settings().caps & kCapRigidFlex) != 0;
    const bool sync = keptInSync();
    const int32_t usageCol = colOf(kColUsage);
    const int32_t technologyCol = colOf(kColTechnology);
    auto usageStyle = [&](GridStyle list) { return sync ? lockedVariant(namedStyle(list)) : namedStyle(list); };

    CellBatch batch(cells_);
    for (int32_t row = rows; row >= 1; --row) {
        LMLAYEREX& layer = all[static_cast<std::size_t>(row - 1)];
        if (layer.nType == kDielectric) {
            // Inner dielectrics of a rigid board are always Substrate; Solder
            // Mask can only be an outer layer.
            if (row != 1 && row != rows && !rigidFlex) {
                cells_.setStyle(row, usageCol, lockedVariant(namedStyle(GridStyle::DielectricUsageList)));
                if (!lookOnly && layer.nUsage != kSubstrate) {
                    layer.nUsage = kSubstrate;
                    cells_.setText(row, usageCol, usageText(kSubstrate));
                }
            }
            if (hasTechnology(layer.nUsage)) {
                if (!lookOnly && layer.nTechnology == kNoTechnology)
                    layer.nTechnology = kPrepreg;
                setStyleOf(row, technologyCol, GridStyle::TechnologyList);
                cells_.setText(row, technologyCol, std::string(catalogueText(Catalogue::Technology, layer.nTechnology)));
            }
        } else if (layer.nType == kMetal) {
            const bool platingAllowed = platingAllowedAt(all, static_cast<std::size_t>(row - 1));
            if (!lookOnly && layer.nUsage == kPlating && !platingAllowed) {
                setLayerName(layer, firstFreeAutomaticName(all));
                layer.nUsage = kSignal;
                layer.crColor = uniqueColor(all, static_cast<std::size_t>(row - 1));
                writeRow(row);
            }
            cells_.setStyle(row, usageCol,
                            usageStyle(platingAllowed ? GridStyle::MetalUsageList : GridStyle::MetalUsageListNoPlating));
        }
    }
    for (const int32_t row : {1, rows})
        if (row >= 1 && row <= rows && all[static_cast<std::size_t>(row - 1)].nType == kDielectric)
            cells_.setStyle(row, usageCol, usageStyle(GridStyle::DielectricUsageList));
    readOnlyPass();
}

} // namespace lm
