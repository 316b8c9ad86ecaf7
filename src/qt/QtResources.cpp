#include "qt/QtResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function in the global namespace.
static void registerIcons()
{
#ifdef LAMINAR_QT_RESOURCES
    Q_INIT_RESOURCE(icons);
#endif
}

namespace lm::qt {

void initResources()
{
    static const bool registered = (registerIcons(), true);
    (void)registered;
}

QIcon editorIcon()
{
    initResources();
    return QIcon(QStringLiteral(":/laminar/icons/laminar.svg"));
}

} // namespace lm::qt
