#include "qt/QtDialogControls.h"

#include "qt/QtConversions.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalBlocker>

namespace lm::qt {

QWidget* QtDialogControls::control(uint32_t id) const
{
    if (QWidget* widget = named_.value(id))
        return widget;
    return dialog_.findChild<QWidget*>(QString::number(id));
}

void QtDialogControls::showControl(uint32_t id, bool shown)
{
    if (QWidget* widget = control(id))
        widget->setVisible(shown);
}

void QtDialogControls::enableControl(uint32_t id, bool enabled)
{
    if (QWidget* widget = control(id))
        widget->setEnabled(enabled);
}

void QtDialogControls::setControlText(uint32_t id, std::string_view text)
{
    QWidget* widget = control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(toQString(text));
        edit->setCursorPosition(0);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(toQString(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(toQString(text));
    }
}

std::string QtDialogControls::controlText(uint32_t id) const
{
    QWidget* widget = control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text().toStdString();
    return {};
}

bool QtDialogControls::isChecked(uint32_t id) const
{
    auto* button = qobject_cast<QAbstractButton*>(control(id));
    return button != nullptr && button->isChecked();
}

void QtDialogControls::setChecked(uint32_t id, bool checked)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control(id))) {
        const QSignalBlocker quiet(button); // the core sets what it already knows
        button->setChecked(checked);
    }
}

void QtDialogControls::setProgress(uint32_t id, int32_t position)
{
    if (auto* bar = qobject_cast<QProgressBar*>(control(id)))
        bar->setValue(position);
}

void QtDialogControls::setTitle(std::string_view title) { dialog_.setWindowTitle(toQString(title)); }

std::string QtDialogControls::title() const { return dialog_.windowTitle().toStdString(); }

void QtDialogControls::focusAndSelect(uint32_t id)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control(id))) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void QtDialogControls::endDialog() { dialog_.done(QDialog::Rejected); }

} // namespace lm::qt
