#include "command/CommandRouting.h"

#include "res/CommandIds.h"
#include "res/Strings.h"

namespace lm {

bool CommandRouter::route(uint32_t id, uint32_t code)
{
    if ((code == kCodeMenuOrClick || code == kCodeAccelerator) && grid_ && grid_->onCommand(id))
        return true;
    if (dialog_ && dialog_->onCommand(id))
        return true;
    return application_ && application_->onCommand(id);
}

bool CommandRouter::routeFromPane(uint32_t id, uint32_t code, CommandTarget& pane)
{
    return route(id, code) || pane.onCommand(id);
}

bool CommandRouter::routeAccelerator(uint32_t id)
{
    CommandUiState state;
    CommandUi ui(id, state);
    update(ui);
    return state.enabled && route(id, kCodeAccelerator);
}

bool CommandRouter::anyHandles(uint32_t id) const
{
    for (const CommandTarget* target : {grid_, dialog_, application_})
        if (target && target->hasCommandHandler(id))
            return true;
    return false;
}

void CommandRouter::update(CommandUi& ui)
{
    if (!(grid_ && grid_->updateCommand(ui)) && dialog_)
        dialog_->updateCommand(ui);
    if (!ui.enableCalled())
        ui.enable(anyHandles(ui.id()));
}

void CommandRouter::updateMenuPopup(const std::vector<res::MenuItem>& popup, CommandStates& states)
{
    for (auto it = popup.rbegin(); it != popup.rend(); ++it) {
        if (!it->isCommand())
            continue;
        CommandUi ui(it->id, states[it->id]);
        update(ui);
    }
}

void CommandRouter::updateToolBar(CommandStates& states)
{
    const auto buttons = res::toolBarTemplate();
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        // The board list is a control in a separator's place, not a button.
        if (*it == res::ID_SEPARATOR || *it == res::ID_BOARD_LIST)
            continue;
        CommandUi ui(*it, states[*it]);
        update(ui);
    }
    if (gridIdleRefresh_)
        gridIdleRefresh_();
}

std::string_view toolTipText(uint32_t id) { return toolTipOfPrompt(res::loadString(id)); }

std::string_view toolTipOfPrompt(std::string_view prompt)
{
    constexpr std::size_t kMaxToolTip = 80;
    const std::string_view text = prompt.substr(0, prompt.find('\n'));
    if (text.size() <= kMaxToolTip)
        return text;
    // Cut before a UTF-8 continuation byte rather than inside a character.
    std::size_t end = kMaxToolTip;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

uint32_t commandForKey(res::KeyChord chord, KeyFocus focus)
{
    if (chord.key == res::Key::Delete && focus != KeyFocus::Grid)
        return 0;
    const uint32_t id = res::acceleratorCommand(chord);
    const bool clipboardKey = id == res::ID_EDIT_COPY || id == res::ID_EDIT_CUT || id == res::ID_EDIT_PASTE;
    return clipboardKey && focus == KeyFocus::TextField ? 0 : id;
}

} // namespace lm
