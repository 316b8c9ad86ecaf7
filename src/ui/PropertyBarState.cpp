#include "ui/PropertyBarState.h"

#include "document/Board.h"
#include "model/TextTrim.h"
#include "model/Units.h"
#include "res/CommandIds.h"

#include <algorithm>
#include <charconv>

namespace lm {
namespace {

constexpr int32_t kSingleTrace = 0;
constexpr int32_t kDiffPair = 1;
constexpr int32_t kSolveForWidth = 1;
constexpr int32_t kSolveForBoth = 2;
constexpr int32_t kStrategyCount = 3;

ControlState shownIf(uint32_t id, bool shown)
{
    ControlState state;
    state.id = id;
    state.shown = shown;
    return state;
}

// The strategy list follows the planning mode: only a differential pair chooses.
ControlState strategyState(const LMEDITSETTINGS& settings)
{
    ControlState state;
    state.id = res::IDC_STRATEGY;
    state.enabled = plansForDiffPair(settings);
    state.selection = state.enabled ? settings.z0Strategy : kSolveForWidth;
    return state;
}

// Solving for both leaves no width to apply.
ControlState applyAsTestWidthState(const LMEDITSETTINGS& settings)
{
    ControlState state;
    state.id = res::IDC_APPLY_AS_TEST_WIDTH;
    state.enabled = !(plansForDiffPair(settings) && settings.z0Strategy == kSolveForBoth);
    return state;
}

std::string erFrequencyText(double hertz, char decimalPoint)
{
    // to_chars with precision 5 writes what "%.5g" writes in the C locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), hertz / 1e6, std::chars_format::general, 5);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), '.', decimalPoint);
    return text;
}

ControlStates allGridBarStates(const LMEDITSETTINGS& settings, char decimalPoint)
{
    const bool thicknessAsOffered = (settings.caps & kCapMetalThicknessAs) != 0;
    const bool erFrequencyOffered = (settings.caps & kCapErFrequency) != 0;
    const bool diffPairOffered = (settings.caps & kCapDiffPairPlanning) != 0;

    ControlStates states;
    ControlState units;
    units.id = res::IDC_UNITS;
    units.items.emplace();
    for (const LMUNIT& unit : settings.units)
        units.items->emplace_back(unitName(unit));
    units.selection = settings.unitIndex;
    states.push_back(std::move(units));

    ControlState thicknessAs = shownIf(res::IDC_METAL_THICKNESS_AS, thicknessAsOffered);
    thicknessAs.selection = settings.metalThicknessAs;
    states.push_back(std::move(thicknessAs));
    states.push_back(shownIf(res::IDC_METAL_THICKNESS_AS_LABEL, thicknessAsOffered));

    ControlState planFor;
    planFor.id = res::IDC_PLAN_FOR;
    planFor.enabled = diffPairOffered;
    planFor.selection = plansForDiffPair(settings) ? kDiffPair : kSingleTrace;
    states.push_back(std::move(planFor));
    states.push_back(strategyState(settings));
    states.push_back(applyAsTestWidthState(settings));

    ControlState erFrequency = shownIf(res::IDC_ER_FREQUENCY, erFrequencyOffered);
    erFrequency.text = erFrequencyText(settings.erFrequency, decimalPoint);
    states.push_back(std::move(erFrequency));
    states.push_back(shownIf(res::IDC_ER_FREQUENCY_LABEL, erFrequencyOffered));
    states.push_back(shownIf(res::IDC_MHZ_LABEL, erFrequencyOffered));

    ControlState autoEr;
    autoEr.id = res::IDC_AUTO_ER;
    autoEr.checked = settings.autoEr;
    states.push_back(std::move(autoEr));
    states.push_back(shownIf(res::IDC_FAB_COMPENSATION, false));
    return states;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

const ControlState* findControlState(const ControlStates& states, uint32_t controlId)
{
    const auto it = std::find_if(states.begin(), states.end(), [&](const ControlState& s) { return s.id == controlId; });
    return it == states.end() ? nullptr : &*it;
}

ControlStates gridBarStates(const res::DialogTemplate& bar, const LMEDITSETTINGS& settings, char decimalPoint)
{
    ControlStates states = allGridBarStates(settings, decimalPoint);
    std::erase_if(states, [&](const ControlState& s) { return bar.item(s.id) == nullptr; });
    return states;
}

GridBarEffect gridBarSelectionChanged(LMEDITSETTINGS& settings, uint32_t controlId, int32_t selection)
{
    // A list without selection reports -1; that changes nothing.
    GridBarEffect effect;
    switch (controlId) {
    case res::IDC_UNITS:
        if (selection < 0 || static_cast<std::size_t>(selection) >= settings.units.size())
            break;
        settings.unitIndex = selection;
        effect.reshowValues = true;
        break;
    case res::IDC_METAL_THICKNESS_AS:
        if (selection != kThicknessAsLength && selection != kThicknessAsWeight)
            break;
        settings.metalThicknessAs = selection;
        effect.reshowValues = true;
        break;
    case res::IDC_PLAN_FOR:
        if (selection < 0)
            break;
        settings.z0DiffPair = selection == kDiffPair;
        effect.planningChanged = true;
        effect.controls = {strategyState(settings), applyAsTestWidthState(settings)};
        break;
    case res::IDC_STRATEGY:
        if (selection < 0 || selection >= kStrategyCount)
            break;
        settings.z0Strategy = selection;
        effect.planningChanged = true;
        effect.controls = {applyAsTestWidthState(settings)};
        break;
    default: break;
    }
    return effect;
}

GridBarEffect gridBarCheckChanged(LMEDITSETTINGS& settings, uint32_t controlId, bool checked)
{
    GridBarEffect effect;
    if (controlId == res::IDC_AUTO_ER) {
        settings.autoEr = checked;
        effect.refreshGrid = true;
    }
    return effect;
}

CleanedText cleanErFrequencyText(std::string_view typed, char decimalPoint)
{
    const std::string_view trimmed = trimBlanksAndTabs(typed);

    CleanedText result;
    bool decimalPointKept = false;
    std::optional<std::size_t> firstRefused;
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (isDigit(c)) {
            result.text += c;
        } else if (c == decimalPoint && !decimalPointKept) {
            result.text += c;
            decimalPointKept = true;
        } else if (!firstRefused) {
            firstRefused = i; // everything before it was kept, so the index holds in the cleaned text too
        }
    }
    result.beeps = firstRefused ? 1 : 0;
    result.changed = result.text != typed;
    result.caret = firstRefused.value_or(result.text.size());
    return result;
}

ErFrequencyEdit erFrequencyEdited(LMEDITSETTINGS& settings, std::string_view typed, char decimalPoint)
{
    ErFrequencyEdit edit;
    edit.cleaned = cleanErFrequencyText(typed, decimalPoint);
    settings.erFrequency = readNumber(edit.cleaned.text, decimalPoint) * 1e6;
    if (settings.currentBoard != nullptr)
        for (LMLAYEREX& layer : settings.currentBoard->layers)
            layer.dErFrequency = settings.erFrequency;
    edit.effect.refreshGrid = true;
    return edit;
}

} // namespace lm
