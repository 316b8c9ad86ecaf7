#include "qt/QtAboutBox.h"

#include "qt/QtConversions.h"
#include "qt/QtResources.h"
#include "qt/QtTemplateControls.h"
#include "res/CommandIds.h"
#include "ui/AboutBox.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace lm::qt {

void showAboutBox(QWidget* parent)
{
    QDialog box(parent);
    const res::DialogTemplate& about = *res::findDialogTemplate(res::IDD_ABOUTBOX);
    const std::vector<QWidget*> controls = buildTemplateDialog(about, &box);
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (auto* icon = qobject_cast<QLabel*>(controls[i]); icon && about.items[i].kind == res::ItemKind::Icon)
            icon->setPixmap(editorIcon().pixmap(icon->size()));
    if (auto* version = box.findChild<QLabel*>(QString::number(res::IDC_VERSION)))
        version->setText(toQString(aboutVersionLine()));
    if (auto* ok = box.findChild<QPushButton*>(QString::number(res::IDOK)))
        QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    box.exec();
}

} // namespace lm::qt
