#include "QtArchiveUi.h"

#include "EditorWidgets.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QString>

namespace lmhost {
namespace {

const QString kFilter = QStringLiteral("Stackup files (*.json);;All files (*)");

QString qtPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path stdPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

} // namespace

std::filesystem::path QtArchiveUi::askSavePath(const std::filesystem::path& current)
{
    return stdPath(QFileDialog::getSaveFileName(parentForHostDialogs(), QStringLiteral("Save Stackup As"),
                                                qtPath(current), kFilter));
}

std::filesystem::path QtArchiveUi::askLoadPath(const std::filesystem::path& current)
{
    return stdPath(QFileDialog::getOpenFileName(parentForHostDialogs(), QStringLiteral("Load Stackup"),
                                                qtPath(current.parent_path()), kFilter));
}

void QtArchiveUi::showError(const std::string& message)
{
    QMessageBox::warning(parentForHostDialogs(), QStringLiteral("Laminar"), QString::fromStdString(message));
}

// Ending a run hides the dialog at once; the event loop then lets it go.
bool QtArchiveUi::editorStillOpen() { return visibleEditorDialog() != nullptr; }

} // namespace lmhost
