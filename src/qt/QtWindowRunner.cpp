#include "qt/QtWindowRunner.h"

#include "api/EditorInstance.h"
#include "qt/QtApplication.h"
#include "qt/QtEditorDialog.h"

#include <QPointer>

#include <string_view>

namespace lm::qt {

bool runEditorWindow(EditorInstance& instance, RunMode mode, LMCLOSEPROC closeProc, const char* context)
{
    if (!ensureQtApplication())
        return false;
    auto* dialog = new QtEditorDialog(instance, mode);
    instance.openedWindow(dialog->core(), dialog->platform(), mode == RunMode::Modeless ? closeProc : nullptr,
                          mode == RunMode::Modeless && context ? std::string_view(context) : std::string_view());
    if (mode == RunMode::Modeless) {
        dialog->show();
        return true;
    }
    // The host may free the instance from inside the loop; afterwards only the
    // dialog's own record of the outcome is read.
    const QPointer<QtEditorDialog> alive(dialog);
    dialog->exec();
    const bool applied = alive && alive->applied();
    delete alive.data();
    return applied;
}

} // namespace lm::qt
