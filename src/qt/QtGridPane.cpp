#include "qt/QtGridPane.h"

#include "api/EditorInstance.h"
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

QString textOf(const std::string& text) { return QString::fromStdString(text); }

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
                list->addItem(textOf(item));
        }
        if (state.selection)
            list->setCurrentIndex(*state.selection < list->count() ? *state.selection : -1);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && state.text)
        edit->setText(textOf(*state.text));
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

void QtGridPane::applyEffect(const GridBarEffect& effect)
{
    applyControlStates(effect.controls);
    if (effect.reshowValues)
        callCore([&] { layers_.unitsChanged(); });
    // Planning modes restyle rows; the computed values follow with the grid's own refresh.
    if (effect.refreshGrid)
        callCore([&] { layers_.rewriteAllRows(); });
}

void QtGridPane::handleBarCommand(uint32_t id, uint32_t code)
{
    LMEDITSETTINGS& settings = instance().settings();
    switch (id) {
    case res::IDC_UNITS:
    case res::IDC_METAL_THICKNESS_AS:
    case res::IDC_PLAN_FOR:
    case res::IDC_STRATEGY:
        if (auto* list = qobject_cast<QComboBox*>(control(id)); list && code == kSelectionChange)
            applyEffect(gridBarSelectionChanged(settings, id, list->currentIndex()));
        break;
    case res::IDC_AUTO_ER:
        if (auto* check = qobject_cast<QCheckBox*>(control(id)))
            applyEffect(gridBarCheckChanged(settings, id, check->isChecked()));
        break;
    case res::IDC_ER_FREQUENCY:
        if (code == kEditChange)
            erFrequencyChanged();
        break;
    default:
        // Apply as Test Width waits for the Z0 planning; Customize... is the
        // editor window's (offered to it first).
        break;
    }
}

void QtGridPane::erFrequencyChanged()
{
    auto* edit = qobject_cast<QLineEdit*>(control(res::IDC_ER_FREQUENCY));
    if (edit == nullptr)
        return;
    const ErFrequencyEdit change = erFrequencyEdited(instance().settings(), edit->text().toStdString(), decimalPoint());
    if (change.cleaned.changed) {
        const QSignalBlocker quiet(edit);
        const QString cleaned = textOf(change.cleaned.text);
        edit->setText(cleaned);
        edit->setCursorPosition(static_cast<int>(std::min<std::size_t>(change.cleaned.caret, cleaned.size())));
    }
    for (int32_t i = 0; i < change.cleaned.beeps; ++i)
        platform_.beep();
    applyEffect(change.effect);
}

char QtGridPane::decimalPoint() const { return userDecimalPoint(); }

} // namespace lm::qt
