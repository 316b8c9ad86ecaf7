#include "qt/QtTemplateControls.h"

#include "qt/QtConversions.h"
#include "ui/PropertyBarLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace lm::qt {
namespace {

QLabel* makeLabel(const res::TemplateItem& item, QWidget* parent, Qt::Alignment horizontal)
{
    auto* label = new QLabel(toQString(item.text), parent);
    label->setTextFormat(Qt::PlainText); // layer names in messages are never markup
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(true); // static texts wrap within their rectangle, as template statics do
    return label;
}

QWidget* makeControl(const res::TemplateItem& item, QWidget* parent)
{
    using res::ItemKind;
    switch (item.kind) {
    case ItemKind::PushButton:
    case ItemKind::DefPushButton: {
        auto* button = new QPushButton(toQString(item.text), parent);
        button->setDefault(item.kind == ItemKind::DefPushButton);
        return button;
    }
    case ItemKind::BitmapButton: return new QPushButton(parent);
    case ItemKind::CheckBox:
    case ItemKind::AutoCheckBox: return new QCheckBox(toQString(item.text), parent);
    case ItemKind::RadioButton: return new QRadioButton(toQString(item.text), parent);
    case ItemKind::StaticLeft: return makeLabel(item, parent, Qt::AlignLeft);
    case ItemKind::StaticRight: return makeLabel(item, parent, Qt::AlignRight);
    case ItemKind::StaticCentre: return makeLabel(item, parent, Qt::AlignHCenter);
    case ItemKind::Icon: return new QLabel(parent);
    case ItemKind::Edit: return new QLineEdit(parent);
    case ItemKind::DropDownList: {
        auto* list = new QComboBox(parent);
        for (std::string_view text : item.initialStrings)
            list->addItem(toQString(text));
        return list;
    }
    case ItemKind::GroupBox: return new QGroupBox(toQString(item.text), parent);
    case ItemKind::CheckList: return new QListWidget(parent);
    case ItemKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        return bar;
    }
    case ItemKind::ReadOnlyEdit: {
        auto* edit = new QLineEdit(parent);
        edit->setReadOnly(true);
        return edit;
    }
    case ItemKind::TabControl:
    case ItemKind::Custom: return nullptr;
    }
    return nullptr;
}

bool isLabel(res::ItemKind kind)
{
    return kind == res::ItemKind::StaticLeft || kind == res::ItemKind::StaticRight ||
           kind == res::ItemKind::StaticCentre;
}

} // namespace

BaseUnits baseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const auto width = [&metrics](std::string_view text) {
        return static_cast<int32_t>(metrics.horizontalAdvance(toQString(text)));
    };
    return measureBaseUnits(width, metrics.height());
}

std::vector<QWidget*> createTemplateControls(const res::DialogTemplate& dialog, QWidget* parent)
{
    std::vector<QWidget*> widgets;
    widgets.reserve(dialog.items.size());
    for (const res::TemplateItem& item : dialog.items) {
        QWidget* widget = makeControl(item, parent);
        widgets.push_back(widget);
        if (widget == nullptr)
            continue;
        widget->setObjectName(QString::number(item.id));
        // Explicitly, as a bar built while its pane shows would leave new children hidden.
        widget->setVisible(item.visible);
        if (item.kind == res::ItemKind::GroupBox)
            widget->lower();
    }
    for (std::size_t i = 0; i + 1 < widgets.size(); ++i)
        if (auto* label = qobject_cast<QLabel*>(widgets[i]); label && !isLabel(dialog.items[i + 1].kind))
            label->setBuddy(widgets[i + 1]);
    return widgets;
}

std::vector<QWidget*> buildTemplateDialog(const res::DialogTemplate& dialog, QWidget* dialogWidget)
{
    dialogWidget->setWindowTitle(toQString(dialog.title));
    const BaseUnits units = baseUnitsOf(dialogWidget->font());
    const std::vector<QWidget*> controls = createTemplateControls(dialog, dialogWidget);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const res::TemplateItem& item = dialog.items[i];
        if (controls[i] != nullptr)
            controls[i]->setGeometry(toQRect(dialogUnitsToPixels(item.x, item.y, item.cx, item.cy, units)));
    }
    dialogWidget->setFixedSize(toQRect(dialogUnitsToPixels(0, 0, dialog.width, dialog.height, units)).size());
    return controls;
}

} // namespace lm::qt
