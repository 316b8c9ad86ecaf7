#include "qt/QtPlatform.h"

#include "qt/QtColor.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace lm {
namespace {

// Message boxes carry the product's name, as the editor window's own title does.
constexpr char kMessageTitle[] = "Laminar";

bool widgetsAvailable()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// What the user did when no button names an answer: closing the box equals
// its escape button, and an OK box has nothing else to say.
MessageAnswer escapeAnswer(MessageButtons buttons)
{
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

} // namespace

MessageAnswer QtPlatform::messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    if (!widgetsAvailable())
        return escapeAnswer(buttons);
    const bool yesNo = buttons == MessageButtons::YesNo;
    QWidget* parent = editorWindow_ ? editorWindow_.data() : QApplication::activeWindow();
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kMessageTitle),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return escapeAnswer(buttons);
    }
}

void QtPlatform::beep()
{
    if (widgetsAvailable())
        QApplication::beep();
}

void QtPlatform::showHelp(std::string_view helpFile, uint32_t)
{
    const QString path = QFile::decodeName(QByteArray(helpFile.data(), static_cast<qsizetype>(helpFile.size())));
    const QFileInfo file(path);
    // Nothing to show is answered like any refused action: with the beep.
    if (path.isEmpty() || !file.isFile() || !QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
        beep();
}

std::optional<uint32_t> QtPlatform::chooseColour(uint32_t initial)
{
    const QColor chosen = QColorDialog::getColor(qt::colorOf(initial), editorWindow_.data());
    if (!chosen.isValid())
        return std::nullopt;
    return qt::bgrOf(chosen);
}

} // namespace lm
