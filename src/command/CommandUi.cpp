#include "command/CommandUi.h"

namespace lm {

void CommandUi::enable(bool on)
{
    enableCalled_ = true;
    CommandUiState next = state_;
    next.enabled = on;
    next.indeterminate = !on;
    write(next);
}

void CommandUi::setCheck(bool checked)
{
    CommandUiState next = state_;
    next.checked = checked;
    write(next);
}

void CommandUi::write(const CommandUiState& next)
{
    if (next == state_)
        return;
    state_ = next;
    changed_ = true;
}

} // namespace lm
