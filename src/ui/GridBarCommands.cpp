#include "ui/GridBarCommands.h"

#include "grid/LayerGrid.h"
#include "platform/Platform.h"
#include "res/CommandIds.h"

namespace lm {

namespace {

BarAnswer carryOut(LayerGrid& grid, GridBarEffect effect)
{
    if (effect.reshowValues)
        grid.unitsChanged();
    // The computed values follow with the grid's own refresh at the next idle pass.
    if (effect.planningChanged)
        grid.planningChanged();
    if (effect.refreshGrid)
        grid.computedInputsChanged();
    return {std::move(effect.controls), std::nullopt, 0};
}

} // namespace

BarAnswer gridBarCommand(LayerGrid& grid, Platform& platform, uint32_t id, uint32_t code,
                         const BarControlValue& value, char decimalPoint)
{
    LMEDITSETTINGS& settings = grid.settings();
    // Rows typed under the old unit, mode or Auto Er setting are read back under it.
    grid.commitIfModified();
    switch (id) {
    case res::IDC_UNITS:
    case res::IDC_METAL_THICKNESS_AS:
    case res::IDC_PLAN_FOR:
    case res::IDC_STRATEGY:
        if (code == kBarSelectionChange)
            return carryOut(grid, gridBarSelectionChanged(settings, id, value.selection));
        return {};
    case res::IDC_AUTO_ER:
        return carryOut(grid, gridBarCheckChanged(settings, id, value.checked));
    case res::IDC_ER_FREQUENCY: {
        if (code != kBarEditChange)
            return {};
        ErFrequencyEdit change = erFrequencyEdited(settings, value.text, decimalPoint);
        for (int32_t i = 0; i < change.cleaned.beeps; ++i)
            platform.beep();
        BarAnswer answer = carryOut(grid, std::move(change.effect));
        if (change.cleaned.changed) {
            answer.text = std::move(change.cleaned.text);
            answer.caret = change.cleaned.caret;
        }
        return answer;
    }
    default:
        return {};
    }
}

} // namespace lm
