#include "qt/QtPlatform.h"

#include "qt/QtColor.h"
#include "qt/QtConversions.h"
#include "qt/QtPrinting.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

namespace lm {
namespace {

// Message boxes carry the product's name, as the editor window's own title does.
constexpr char kMessageTitle[] = "Laminar";

bool widgetsAvailable()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// Without a GUI application there is no clipboard to open and no cursor to show.
bool guiAvailable() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QClipboard* desktopClipboard() { return guiAvailable() ? QGuiApplication::clipboard() : nullptr; }

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

QWidget* QtPlatform::messageParent() const
{
    if (!editorWindow_)
        return QApplication::activeWindow();
    // A box over the editor behind a modal graph dialog would be hidden by it.
    QWidget* modal = QApplication::activeModalWidget();
    for (QWidget* owner = modal; owner != nullptr; owner = owner->parentWidget())
        if (owner == editorWindow_)
            return modal;
    return editorWindow_;
}

MessageAnswer QtPlatform::messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    if (!widgetsAvailable())
        return escapeAnswer(buttons);
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(boxIcon(icon), qt::toQString(kMessageTitle),
                    qt::toQString(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, messageParent());
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

bool QtPlatform::writeClipboard(const ClipboardData& data)
{
    QClipboard* clipboard = desktopClipboard();
    if (clipboard == nullptr)
        return false;
    auto* mime = new QMimeData;
    if (!data.text.empty())
        mime->setText(qt::toQString(data.text));
    if (!data.html.empty())
        mime->setHtml(qt::toQString(data.html));
    if (!data.layerRows.empty())
        mime->setData(QLatin1String(kLayerRowsMimeType),
                      QByteArray(reinterpret_cast<const char*>(data.layerRows.data()),
                                 static_cast<qsizetype>(data.layerRows.size())));
    clipboard->setMimeData(mime); // the clipboard owns it
    return true;
}

std::unique_ptr<PageSink> QtPlatform::startPrint(std::string_view documentName, ReportDialogOptions* options)
{
    if (!widgetsAvailable())
        return nullptr;
    return qt::runPrintDialog(editorWindow_, documentName, options);
}

bool QtPlatform::copyDrawing(Drawing& drawing, DrawingFormat format)
{
    QClipboard* clipboard = desktopClipboard();
    if (clipboard == nullptr)
        return false;
    auto* mime = new QMimeData;
    if (format == DrawingFormat::Bitmap) {
        mime->setImageData(qt::drawingToImage(drawing));
    } else {
        mime->setData(QLatin1String(kSvgMimeType), qt::drawingToSvg(drawing));
        mime->setData(QLatin1String(kPdfMimeType), qt::drawingToPdf(drawing));
    }
    clipboard->setMimeData(mime); // the clipboard owns it
    return true;
}

std::optional<ClipboardFormats> QtPlatform::clipboardFormats()
{
    QClipboard* clipboard = desktopClipboard();
    if (clipboard == nullptr)
        return std::nullopt;
    const QMimeData* mime = clipboard->mimeData();
    if (mime == nullptr)
        return ClipboardFormats{};
    return ClipboardFormats{mime->hasText(), mime->hasFormat(QLatin1String(kLayerRowsMimeType))};
}

std::optional<ClipboardData> QtPlatform::readClipboard()
{
    QClipboard* clipboard = desktopClipboard();
    if (clipboard == nullptr)
        return std::nullopt;
    ClipboardData data;
    const QMimeData* mime = clipboard->mimeData();
    if (mime == nullptr)
        return data;
    data.text = mime->text().toStdString();
    const QByteArray rows = mime->data(QLatin1String(kLayerRowsMimeType));
    const auto* bytes = reinterpret_cast<const std::byte*>(rows.constData());
    data.layerRows.assign(bytes, bytes + rows.size());
    return data;
}

void QtPlatform::beginWaitCursor()
{
    if (guiAvailable())
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlatform::endWaitCursor()
{
    if (guiAvailable())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace lm
