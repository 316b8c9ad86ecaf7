#include "EditorWidgets.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace lmhost {

QWidget* visibleEditorDialog()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("Quorvex Laminar") && widget->isVisible()) return widget;
    return nullptr;
}

QWidget* parentForHostDialogs()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return visibleEditorDialog();
}

void processEventsFor(int milliseconds)
{
    if (!QCoreApplication::instance()) return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace lmhost
