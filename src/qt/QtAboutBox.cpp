#include "qt/QtAboutBox.h"

#include "qt/QtTemplateControls.h"
#include "res/CommandIds.h"
#include "ui/AboutBox.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace lm::qt {
namespace {

// The product's mark: a small stackup of copper on green laminate.
QPixmap stackupIcon(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor copper(240, 100, 12), laminate(0, 160, 0);
    const int slabs = 5;
    const int slab = size.height() / slabs;
    for (int i = 0; i < slabs; ++i)
        painter.fillRect(0, i * slab, size.width(), (i % 2 == 0 ? slab / 2 : slab), i % 2 == 0 ? copper : laminate);
    return pixmap;
}

} // namespace

void showAboutBox(QWidget* parent)
{
    QDialog box(parent);
    const res::DialogTemplate& about = *res::findDialogTemplate(res::IDD_ABOUTBOX);
    const std::vector<QWidget*> controls = buildTemplateDialog(about, &box);
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (auto* icon = qobject_cast<QLabel*>(controls[i]); icon && about.items[i].kind == res::ItemKind::Icon)
            icon->setPixmap(stackupIcon(icon->size()));
    if (auto* version = box.findChild<QLabel*>(QString::number(res::IDC_VERSION)))
        version->setText(QString::fromStdString(aboutVersionLine()));
    if (auto* ok = box.findChild<QPushButton*>(QString::number(res::IDOK)))
        QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    box.exec();
}

} // namespace lm::qt
