#include "qt/QtPane.h"

#include "qt/QtConversions.h"
#include "qt/QtTemplateControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

namespace lm::qt {

QtPane::QtPane(EditorInstance& instance, QWidget* parent) : QWidget(parent), instance_(instance) {}

QtPane::~QtPane() = default;

void QtPane::setView(QWidget* view)
{
    view_ = view;
    layoutPane();
}

void QtPane::setPropertyBar(int32_t templateId)
{
    // A bar control may be the very sender of the command that changes the bar:
    // it goes once its signal has returned, nameless so that nothing finds it meanwhile.
    for (QWidget* control : controls_)
        if (control != nullptr) {
            control->disconnect(this);
            control->hide();
            control->setObjectName(QString());
            control->deleteLater();
        }
    controls_.clear();
    barTemplateId_ = templateId;
    const res::DialogTemplate& bar = propertyBarTemplate(templateId);
    controls_ = createTemplateControls(bar, this);
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] != nullptr) {
            connectControl(controls_[i], bar.items[i]);
            // In a pane no button is a dialog's default: Return stays with the focused control.
            if (auto* button = qobject_cast<QPushButton*>(controls_[i]))
                button->setAutoDefault(false);
        }
    layoutPane();
    barCreated();
    update();
}

QWidget* QtPane::control(uint32_t id) const
{
    const res::DialogTemplate& bar = propertyBarTemplate(barTemplateId_);
    for (std::size_t i = 0; i < controls_.size() && i < bar.items.size(); ++i)
        if (bar.items[i].id == id && controls_[i] != nullptr)
            return controls_[i];
    return nullptr;
}

void QtPane::updateView() { redrawView(); }

void QtPane::redrawView()
{
    if (view_ != nullptr)
        view_->update();
}

void QtPane::connectControl(QWidget* widget, const res::TemplateItem& item)
{
    const uint32_t id = item.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        connect(button, &QAbstractButton::clicked, this, [this, id] { barCommand(id, kClicked); });
    else if (auto* list = qobject_cast<QComboBox*>(widget))
        connect(list, &QComboBox::activated, this, [this, id] { barCommand(id, kSelectionChange); });
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        connect(edit, &QLineEdit::textEdited, this, [this, id] { barCommand(id, kEditChange); });
}

void QtPane::barCommand(uint32_t id, uint32_t code)
{
    if (commandOffer_ && commandOffer_(id, code))
        return;
    handleBarCommand(id, code);
}

void QtPane::handleBarCommand(uint32_t, uint32_t) {}

BaseUnits QtPane::baseUnits() const { return baseUnitsOf(font()); }

void QtPane::layoutPane()
{
    const res::DialogTemplate& bar = propertyBarTemplate(barTemplateId_);
    const QFontMetrics metrics(font());
    layout_ = lm::layoutPane(bar, {width(), height()}, baseUnits(), [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(toQString(text));
    });
    if (view_ != nullptr)
        view_->setGeometry(toQRect(layout_.view));
    for (std::size_t i = 0; i < controls_.size() && i < layout_.controls.size(); ++i)
        if (controls_[i] != nullptr)
            controls_[i]->setGeometry(toQRect(layout_.controls[i].rect));
    barLaidOut();
}

void QtPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPane();
}

void QtPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    painter.fillRect(rect(), face);
    // Group boxes leave their inside to whatever lies behind them.
    for (const Rect& box : layout_.groupBoxes)
        painter.fillRect(toQRect(box), face);
    painter.setPen(palette().color(QPalette::WindowText));
    // The row left free between the view and the bar.
    const int lineY = layout_.bar.top - 1;
    painter.drawLine(0, lineY, width(), lineY);
}

} // namespace lm::qt
