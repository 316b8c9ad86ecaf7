#pragma once
// The editor window's menu bar, built from the core's copy of menu bar 1001,
// and its accelerators from table 1014. Every QAction carries its command id
// in data(). A popup asks the core for its items' states as it opens, and is
// rebuilt when the core changed its items.
#include "res/Menus.h"
#include "command/CommandRouting.h"
#include "command/CommandUi.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;

namespace lm {
class EditorDialog;
}

namespace lm::qt {

// A key press as the accelerator table reads it; none for keys it never uses.
std::optional<res::KeyChord> keyChordOf(const QKeyEvent& event);

class QtMenus : public QObject {
    Q_OBJECT

public:
    // Called with a command id and its notification code (0 menu, 1 accelerator).
    using CommandSink = std::function<void(uint32_t id, uint32_t code)>;
    // Where the keyboard focus is (Delete deletes layers only on the grid itself).
    using FocusKind = std::function<KeyFocus()>;

    // The menu bar goes to `window`; key presses anywhere in it are translated.
    QtMenus(EditorDialog& dialog, QWidget* window, CommandSink command, FocusKind focusKind);

    QMenuBar* menuBar() const { return menuBar_; }
    // Builds the whole menu bar from the core's tree.
    void showMenuBar(const std::vector<res::MenuItem>& menuBar);
    // The core rebuilt its File menu.
    void showFileMenu(const std::vector<res::MenuItem>& fileMenu);
    // Starts translating key presses with the accelerator table.
    void loadAccelerators();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillMenu(QMenu* menu, const std::vector<res::MenuItem>& items, const std::vector<std::size_t>& path);
    void popupOpening(QMenu* menu, const std::vector<std::size_t>& path);
    const std::vector<res::MenuItem>* itemsAt(const std::vector<std::size_t>& path) const;
    bool translateKey(QObject* receiver, const QKeyEvent& event);

    EditorDialog& dialog_;
    QPointer<QWidget> window_;
    CommandSink command_;
    FocusKind focusKind_;
    QMenuBar* menuBar_;
    std::vector<QMenu*> topMenus_;
    bool acceleratorsLoaded_ = false;
};

// The state the core gave each of the menu's own command items.
void applyCommandStates(QMenu* menu, const CommandStates& states);

// Fills `menu` with the items: separators, actions that carry their command id
// in data() and report it to `command` when triggered, and submenus, each
// handed to `fillSubmenu` with the index of its item.
void addMenuItems(QMenu* menu, const std::vector<res::MenuItem>& items, const std::function<void(uint32_t)>& command,
                  const std::function<void(QMenu*, std::size_t)>& fillSubmenu);

} // namespace lm::qt
