#include "qt/QtMenus.h"

#include "command/CommandRouting.h"
#include "qt/QtConversions.h"
#include "ui/EditorDialog.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace lm::qt {
namespace {

using res::Key;

std::optional<Key> keyOf(int key)
{
    switch (key) {
    case Qt::Key_C: return Key::C;
    case Qt::Key_X: return Key::X;
    case Qt::Key_V: return Key::V;
    case Qt::Key_Z: return Key::Z;
    case Qt::Key_Y: return Key::Y;
    case Qt::Key_O: return Key::O;
    case Qt::Key_S: return Key::S;
    case Qt::Key_Insert: return Key::Insert;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_F4: return Key::F4;
    default: return std::nullopt;
    }
}

uint32_t commandIdOf(const QAction* action)
{
    bool ok = false;
    const uint32_t id = action->data().toUInt(&ok);
    return ok ? id : 0;
}

} // namespace

std::optional<res::KeyChord> keyChordOf(const QKeyEvent& event)
{
    const std::optional<Key> key = keyOf(event.key());
    if (!key)
        return std::nullopt;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    uint8_t bits = res::kNoModifier;
    if (modifiers & Qt::ControlModifier)
        bits |= res::kCtrl;
    if (modifiers & Qt::ShiftModifier)
        bits |= res::kShift;
    if (modifiers & Qt::AltModifier)
        bits |= res::kAlt;
    return res::KeyChord{*key, bits};
}

void applyCommandStates(QMenu* menu, const CommandStates& states)
{
    for (QAction* action : menu->actions()) {
        const auto state = states.find(commandIdOf(action));
        if (action->menu() || state == states.end())
            continue;
        action->setEnabled(state->second.enabled);
        action->setCheckable(state->second.checked);
        action->setChecked(state->second.checked);
    }
}

QtMenus::QtMenus(EditorDialog& dialog, QWidget* window, CommandSink command, FocusKind focusKind)
    : QObject(window), dialog_(dialog), window_(window), command_(std::move(command)),
      focusKind_(std::move(focusKind)), menuBar_(new QMenuBar(window))
{
}

void QtMenus::showMenuBar(const std::vector<res::MenuItem>& menuBar)
{
    menuBar_->clear();
    topMenus_.clear();
    for (std::size_t i = 0; i < menuBar.size(); ++i) {
        QMenu* menu = menuBar_->addMenu(toQString(menuBar[i].text));
        topMenus_.push_back(menu);
        fillMenu(menu, menuBar[i].items, {i});
    }
}

void QtMenus::showFileMenu(const std::vector<res::MenuItem>& fileMenu)
{
    if (topMenus_.size() <= res::kFileMenu)
        return;
    QMenu* menu = topMenus_[res::kFileMenu];
    menu->clear();
    fillMenu(menu, fileMenu, {res::kFileMenu});
}

void QtMenus::fillMenu(QMenu* menu, const std::vector<res::MenuItem>& items, const std::vector<std::size_t>& path)
{
    // Submenus are children of their menu, which clear() leaves alive.
    for (QMenu* old : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        old->deleteLater();
    menu->clear();
    disconnect(menu, &QMenu::aboutToShow, this, nullptr);
    connect(menu, &QMenu::aboutToShow, this, [this, menu, path] { popupOpening(menu, path); });
    addMenuItems(
        menu, items, [this](uint32_t id) { command_(id, kCodeMenuOrClick); },
        [this, &items, &path](QMenu* submenu, std::size_t i) {
            std::vector<std::size_t> inner = path;
            inner.push_back(i);
            fillMenu(submenu, items[i].items, inner);
        });
}

void addMenuItems(QMenu* menu, const std::vector<res::MenuItem>& items, const std::function<void(uint32_t)>& command,
                  const std::function<void(QMenu*, std::size_t)>& fillSubmenu)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const res::MenuItem& item = items[i];
        if (item.isPopup()) {
            fillSubmenu(menu->addMenu(toQString(item.text)), i);
        } else if (item.isSeparator()) {
            menu->addSeparator();
        } else {
            // The text after the tab shows as the shortcut column.
            QAction* action = menu->addAction(toQString(item.text));
            const uint32_t id = item.id;
            action->setData(QVariant::fromValue(id));
            QObject::connect(action, &QAction::triggered, menu, [command, id] { command(id); });
        }
    }
}

const std::vector<res::MenuItem>* QtMenus::itemsAt(const std::vector<std::size_t>& path) const
{
    const std::vector<res::MenuItem>* items = &dialog_.menuBar();
    for (std::size_t index : path) {
        if (index >= items->size())
            return nullptr;
        items = &(*items)[index].items;
    }
    return items;
}

void QtMenus::popupOpening(QMenu* menu, const std::vector<std::size_t>& path)
{
    CommandStates states;
    if (dialog_.popupOpening(path, states))
        if (const std::vector<res::MenuItem>* items = itemsAt(path))
            fillMenu(menu, *items, path);
    applyCommandStates(menu, states);
}

void QtMenus::loadAccelerators()
{
    if (acceleratorsLoaded_)
        return;
    acceleratorsLoaded_ = true;
    // Keys reach the focused child first; the application sees them before any of them.
    qApp->installEventFilter(this);
}

bool QtMenus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    return translateKey(watched, static_cast<const QKeyEvent&>(*event));
}

bool QtMenus::translateKey(QObject* receiver, const QKeyEvent& event)
{
    // Only keys meant for the editor window itself; its message boxes and dialogs keep theirs.
    const auto* widget = static_cast<const QWidget*>(receiver);
    if (!window_ || widget->window() != window_.data())
        return false;
    const std::optional<res::KeyChord> chord = keyChordOf(event);
    if (!chord)
        return false;
    const uint32_t id = commandForKey(*chord, focusKind_ ? focusKind_() : KeyFocus::Other);
    if (id == 0)
        return false;
    command_(id, kCodeAccelerator);
    return true;
}

} // namespace lm::qt
