#include "ui/MenuModel.h"

#include "document/EditSettings.h"
#include "res/CommandIds.h"

namespace lm {

using namespace res;

const MenuItem* findMenuItem(const std::vector<MenuItem>& items, uint32_t id)
{
    for (const MenuItem& item : items) {
        if (item.isCommand() && item.id == id)
            return &item;
        if (const MenuItem* inner = findMenuItem(item.items, id))
            return inner;
    }
    return nullptr;
}

bool removeMenuItem(std::vector<MenuItem>& items, uint32_t id)
{
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (it->isCommand() && it->id == id) {
            items.erase(it);
            return true;
        }
        if (removeMenuItem(it->items, id))
            return true;
    }
    return false;
}

namespace {

template <std::size_t N>
bool removeAll(std::vector<MenuItem>& items, const uint32_t (&ids)[N])
{
    bool changed = false;
    for (uint32_t id : ids)
        changed = removeMenuItem(items, id) || changed;
    return changed;
}

bool endsWithSeparator(const std::vector<MenuItem>& menu) { return !menu.empty() && menu.back().isSeparator(); }

} // namespace

bool removeUnofferedInsertItems(std::vector<MenuItem>& menuBar)
{
    constexpr uint32_t kUnoffered[] = {ID_INSERT_ABOVE_SPLIT_MIXED, ID_INSERT_BELOW_SPLIT_MIXED,
                                       ID_INSERT_ABOVE_FLOODED_SIGNAL, ID_INSERT_BELOW_FLOODED_SIGNAL};
    return removeAll(menuBar, kUnoffered);
}

bool removeInsertItemsForBoardKind(std::vector<MenuItem>& popup, uint32_t caps)
{
    constexpr uint32_t kRigidOnly[] = {ID_INSERT_ABOVE_SUBSTRATE, ID_INSERT_BELOW_SUBSTRATE};
    constexpr uint32_t kRigidFlexOnly[] = {
        ID_INSERT_ABOVE_RIGID,       ID_INSERT_BELOW_RIGID,
        ID_INSERT_ABOVE_FLEXIBLE,    ID_INSERT_BELOW_FLEXIBLE,
        ID_INSERT_ABOVE_ADHESIVE,    ID_INSERT_BELOW_ADHESIVE,
        ID_INSERT_ABOVE_COVER_LAYER, ID_INSERT_BELOW_COVER_LAYER,
        ID_INSERT_ABOVE_STIFFENER,   ID_INSERT_BELOW_STIFFENER,
    };
    return (caps & kCapRigidFlex) ? removeAll(popup, kRigidOnly) : removeAll(popup, kRigidFlexOnly);
}

bool rebuildFileMenu(std::vector<MenuItem>& fileMenu, ILMArchiveCallback* callback)
{
    bool changed = false;
    bool appendedAny = false;
    for (const ArchiveCommand& command : kArchiveCommands) {
        const bool supported = callback && callback->IsSupported(command.operation);
        if (!supported) {
            changed = removeMenuItem(fileMenu, command.commandId) || changed;
            continue;
        }
        if (findMenuItem(fileMenu, command.commandId))
            continue;
        if (!appendedAny && !endsWithSeparator(fileMenu))
            fileMenu.emplace_back();
        fileMenu.push_back(*findMenuItem(mainMenuTemplate(), command.commandId));
        appendedAny = changed = true;
    }
    // After removals two separators can end the menu (Load, separator, Save
    // losing both): none may stay at the end.
    while (endsWithSeparator(fileMenu)) {
        fileMenu.pop_back();
        changed = true;
    }
    return changed;
}

} // namespace lm
