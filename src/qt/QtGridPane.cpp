#include "qt/QtGridPane.h"

#include "api/EditorInstance.h"
#include "qt/QtConversions.h"
#include "ui/GridBarCommands.h"
#include "grid/LayerGrid.h"
#include "model/Units.h"
#include "qt/CoreCall.h"
#include "platform/Platform.h"
#include "qt/QtGridView.h"
#include "res/CommandIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace lm::qt {
namespace {

void applyState(QWidget* widget, const ControlState& state)
{
    const QSignalBlocker quiet(widget);
    widget->setVisible(state.shown);
    widget->setEnabled(state.enabled);
    if (auto* check = qobject_cast<QCheckBox*>(widget); check && state.checked)
        check->setChecked(*state.checked);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        if (state.items) {
            list->clear();
            for (const std::string& item : *state.items)
                list->addItem(toQString(item));
        }
        if (state.selection)
            list->setCurrentIndex(*state.selection < list->count() ? *state.selection : -1);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && state.text)
        edit->setText(toQString(*state.text));
}

} // namespace

QtGridPane::QtGridPane(EditorInstance& instance, Platform& platform, LayerGrid& grid, QWidget* parent)
    : QtPane(instance, parent), platform_(platform), layers_(grid), grid_(new QtGridView(grid, this))
{
    setView(grid_);
    setPropertyBar(res::IDD_GRID_BAR_ALL);
    // The right-button menu's commands go the way of the bar's: the window first.
    connect(grid_, &QtGridView::commandChosen, this, [this](uint32_t id) { barCommand(id, kClicked); });
}

int32_t QtGridPane::averageCharWidth() const { return layers_.averageCharWidth(); }

int32_t QtGridPane::columnPixelWidth(int32_t columnId) const { return layers_.columnPixelWidth(columnId); }

void QtGridPane::showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown)
{
    bool fit = false;
    callCore([&] { fit = layers_.showTab(tabId, columns, widthsKnown); });
    grid_->tabPlaced(fit);
}

void QtGridPane::redrawView()
{
    grid_->viewport()->update();
    // The host may have replaced the unit list meanwhile.
    for (const ControlState& state : gridBarStates(propertyBarTemplate(propertyBarId()), instance().settings(), decimalPoint()))
        if (state.id == res::IDC_UNITS)
            applyControlStates({state});
}

void QtGridPane::barCreated()
{
    applyControlStates(gridBarStates(propertyBarTemplate(propertyBarId()), instance().settings(), decimalPoint()));
}

void QtGridPane::applyControlStates(const ControlStates& states)
{
    for (const ControlState& state : states)
        if (QWidget* widget = control(state.id))
            applyState(widget, state);
}

void QtGridPane::handleBarCommand(uint32_t id, uint32_t code)
{
    QWidget* widget = control(id);
    if (widget == nullptr)
        return;
    BarControlValue value;
    if (auto* list = qobject_cast<QComboBox*>(widget))
        value.selection = list->currentIndex();
    else if (auto* check = qobject_cast<QCheckBox*>(widget))
        value.checked = check->isChecked();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        value.text = edit->text().toStdString();
    BarAnswer answer;
    if (!callCore([&] { answer = gridBarCommand(layers_, platform_, id, code, value, decimalPoint()); }))
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && answer.text) {
        const QSignalBlocker quiet(edit);
        const QString cleaned = toQString(*answer.text);
        edit->setText(cleaned);
        edit->setCursorPosition(static_cast<int>(std::min<std::size_t>(answer.caret, cleaned.size())));
    }
    applyControlStates(answer.controls);
}

char QtGridPane::decimalPoint() const { return userDecimalPoint(); }

} // namespace lm::qt
