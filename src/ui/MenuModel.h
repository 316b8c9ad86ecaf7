#pragma once
// What the editor window does to its copy of menu bar 1001. Each operation
// reports whether the tree changed, so the Qt front end rebuilds its menus
// only then.
#include <laminar/laminar.h>

#include "res/Menus.h"

#include <vector>

namespace lm {

using res::MenuItem;

// The first item with that command id, searching submenus depth first; null
// when there is none.
const MenuItem* findMenuItem(const std::vector<MenuItem>& items, uint32_t id);
// Removes the first item with that command id, searching submenus depth first.
bool removeMenuItem(std::vector<MenuItem>& items, uint32_t id);

// Opening the window: Split-Mixed and Flooded Signal leave both Insert menus.
bool removeUnofferedInsertItems(std::vector<MenuItem>& menuBar);

// A popup opens: rigid-flex boards (capability bit 0x800) insert Rigid,
// Flexible, Adhesive, Cover Layer and Stiffener, other boards Substrate; the
// other choices leave the popup and its submenus.
bool removeInsertItemsForBoardKind(std::vector<MenuItem>& popup, uint32_t caps);

// Offers in the File menu exactly the archive commands the callback supports
// (none without a callback): a missing one is appended with its text from menu
// bar 1001, the first appended after a separator unless the menu already ends
// with one; an unsupported one is removed; trailing separators are dropped.
// Asks IsSupported once per operation. Runs again whenever the callback changes.
bool rebuildFileMenu(std::vector<MenuItem>& fileMenu, ILMArchiveCallback* callback);

} // namespace lm
