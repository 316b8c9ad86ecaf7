#pragma once
// Whatever carries out commands: the layer grid, the editor dialog, the
// application object, a pane. CommandMap is the ready-made message map.
#include "command/CommandUi.h"

#include <functional>
#include <initializer_list>
#include <map>

namespace lm {

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Carries out the command; false when this target has no handler for it.
    virtual bool onCommand(uint32_t id) = 0;
    // Whether onCommand would handle the id, asked when enabling without doing it.
    virtual bool hasCommandHandler(uint32_t id) const = 0;
    // Runs the update handler of ui.id(); false when this target has none.
    virtual bool updateCommand(CommandUi& ui) = 0;
};

// Handlers registered by command id; a later registration replaces an earlier one.
class CommandMap : public CommandTarget {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CommandUi&)>;

    void add(uint32_t id, Handler handler) { handlers_[id] = std::move(handler); }
    void add(std::initializer_list<uint32_t> ids, const Handler& handler);
    void addUpdate(uint32_t id, UpdateHandler handler) { updates_[id] = std::move(handler); }

    bool onCommand(uint32_t id) override;
    bool hasCommandHandler(uint32_t id) const override { return handlers_.count(id) != 0; }
    bool updateCommand(CommandUi& ui) override;

private:
    std::map<uint32_t, Handler> handlers_;
    std::map<uint32_t, UpdateHandler> updates_;
};

} // namespace lm
