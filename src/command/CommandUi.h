#pragma once
// The state of a menu item or tool bar button as update handlers set it.
#include <cstdint>
#include <map>

namespace lm {

struct CommandUiState {
    bool enabled = true;
    bool checked = false;
    bool indeterminate = false; // a disabled tool bar button is drawn greyed-out this way
    bool operator==(const CommandUiState&) const = default;
};

// Per command id; the menu item and the tool bar button of one command share it.
using CommandStates = std::map<uint32_t, CommandUiState>;

// What an update handler writes through. Enabling clears the indeterminate
// state and disabling sets it, as tool bar buttons show it; a menu item
// ignores it. The state is written only when it changes.
class CommandUi {
public:
    CommandUi(uint32_t id, CommandUiState& state) : id_(id), state_(state) {}

    uint32_t id() const { return id_; }
    const CommandUiState& state() const { return state_; }

    void enable(bool on = true);
    void setCheck(bool checked = true);

    // An update handler chose enabled or disabled.
    bool enableCalled() const { return enableCalled_; }
    // Something was written: the widget must show the new state.
    bool changed() const { return changed_; }

private:
    void write(const CommandUiState& next);

    uint32_t id_;
    CommandUiState& state_;
    bool enableCalled_ = false;
    bool changed_ = false;
};

} // namespace lm
