#include "qt/QtPrinting.h"

#include "print/PrintOptions.h"
#include "qt/QtCanvas.h"
#include "qt/QtConversions.h"
#include "qt/QtTemplateControls.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace lm::qt {
namespace {

constexpr int kPdfResolution = 600;      // device units per inch of a PDF page
constexpr int kDrawingResolution = 96;   // of a drawing as SVG or PDF: the screen's
constexpr qreal kPdfMarginMm = 15.0;
constexpr int kRangeMaxLength = 64;

template <typename T>
T* control(QWidget& page, uint32_t id)
{
    return page.findChild<T*>(QString::number(id));
}

// The options page as the core opened it; the controls follow the user's choices.
QWidget* buildOptionsPage(const ReportDialogOptions& options)
{
    using namespace res;
    auto* page = new QWidget;
    buildTemplateDialog(*findDialogTemplate(IDD_PRINT_OPTIONS), page);
    page->setMinimumSize(page->size());
    page->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    auto* list = control<QListWidget>(*page, IDC_PRINT_COLUMNS);
    for (std::size_t k = 0; k < options.columnTitles.size(); ++k) {
        auto* item = new QListWidgetItem(toQString(options.columnTitles[k]), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(k < options.columnChecked.size() && options.columnChecked[k] ? Qt::Checked : Qt::Unchecked);
    }
    auto* range = control<QLineEdit>(*page, IDC_PRINT_RANGE_EDIT);
    range->setMaxLength(kRangeMaxLength);
    range->setText(toQString(options.rangeText));
    range->setEnabled(options.layers == ReportDialogOptions::Range);
    QObject::connect(range, &QLineEdit::textEdited, range, [range](const QString& typed) {
        const QString kept = toQString(filterRangeText(typed.toStdString()));
        if (kept != typed) {
            const int caret = range->cursorPosition();
            range->setText(kept);
            range->setCursorPosition(std::min(caret, static_cast<int>(kept.size())));
        }
    });
    const uint32_t radios[] = {IDC_PRINT_WHOLE_STACKUP, IDC_PRINT_RANGE, IDC_PRINT_SELECTION};
    for (int k = 0; k < 3; ++k) {
        auto* radio = control<QRadioButton>(*page, radios[k]);
        radio->setChecked(k == options.layers);
        QObject::connect(radio, &QRadioButton::toggled, range,
                         [range, k](bool on) { if (on) range->setEnabled(k == ReportDialogOptions::Range); });
    }
    control<QRadioButton>(*page, IDC_PRINT_SELECTION)->setEnabled(options.selectionEnabled);
    control<QComboBox>(*page, IDC_PRINT_AS)->setCurrentIndex(options.printAs);
    control<QCheckBox>(*page, IDC_PRINT_SCHEMATIC)->setChecked(options.schematic);
    return page;
}

void readOptionsPage(QWidget& page, ReportDialogOptions& options)
{
    using namespace res;
    auto* list = control<QListWidget>(page, IDC_PRINT_COLUMNS);
    for (int k = 0; k < list->count() && static_cast<std::size_t>(k) < options.columnChecked.size(); ++k)
        options.columnChecked[static_cast<std::size_t>(k)] = list->item(k)->checkState() == Qt::Checked;
    options.layers = ReportDialogOptions::Whole;
    if (control<QRadioButton>(page, IDC_PRINT_RANGE)->isChecked())
        options.layers = ReportDialogOptions::Range;
    if (control<QRadioButton>(page, IDC_PRINT_SELECTION)->isChecked())
        options.layers = ReportDialogOptions::Selection;
    options.rangeText = control<QLineEdit>(page, IDC_PRINT_RANGE_EDIT)->text().toStdString();
    options.printAs = control<QComboBox>(page, IDC_PRINT_AS)->currentIndex();
    options.schematic = control<QCheckBox>(page, IDC_PRINT_SCHEMATIC)->isChecked();
}

// Measures on a canvas of the target's resolution and font, then draws.
template <typename Paint>
void measureThenDraw(Drawing& drawing, const QFont& font, Paint&& paintAtSize)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(kDrawingResolution / 0.0254));
    probe.setDotsPerMeterX(dotsPerMetre);
    probe.setDotsPerMeterY(dotsPerMetre);
    Size size;
    {
        QPainter painter(&probe);
        QtCanvas canvas(painter, font);
        size = drawing.measure(canvas);
    }
    paintAtSize(QSize(std::max(1, size.width), std::max(1, size.height)));
}

// A vector drawing as the bytes of the device `makeDevice(buffer, size)` makes
// for the measured size.
template <typename MakeDevice>
QByteArray vectorBytes(Drawing& drawing, MakeDevice&& makeDevice)
{
    QByteArray bytes;
    measureThenDraw(drawing, QApplication::font(), [&](QSize size) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const auto device = makeDevice(buffer, size);
        QPainter painter(device.get());
        QtCanvas canvas(painter, QApplication::font());
        drawing.draw(canvas);
    });
    return bytes;
}

} // namespace

QtPageSink::QtPageSink(std::unique_ptr<QPagedPaintDevice> device, std::unique_ptr<QSaveFile> file)
    : file_(std::move(file)), device_(std::move(device))
{
    if (painter_.begin(device_.get()))
        canvas_ = std::make_unique<QtCanvas>(painter_, paperFont());
}

QtPageSink::~QtPageSink() { finish(); }

Canvas& QtPageSink::canvas() { return *canvas_; }

Size QtPageSink::pageSize() { return {device_->width(), device_->height()}; }

void QtPageSink::newPage()
{
    device_->newPage();
    painter_.resetTransform();
}

Canvas& QtPageSink::screenCanvas(int32_t percent)
{
    painter_.setTransform(QTransform::fromScale(percent / 100.0, percent / 100.0));
    screen_ = std::make_unique<QtCanvas>(painter_, screenPixelFont());
    return *screen_;
}

bool QtPageSink::finish()
{
    if (!painter_.isActive())
        return canvas_ != nullptr;
    screen_.reset();
    canvas_.reset();
    const bool ended = painter_.end();
    return file_ ? ended && file_->commit() : ended;
}

QFont paperFont()
{
    QFont font = QApplication::font();
    font.setPointSize(10);
    return font;
}

QFont screenPixelFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    return font;
}

std::unique_ptr<PageSink> runPrintDialog(QWidget* parent, std::string_view documentName, ReportDialogOptions* options)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QString name = toQString(documentName);
    printer->setDocName(name);
    // Printing to a file names it after the whole document name; Qt's own
    // default would cut the name at its first dot ("Stackup (8-layer").
    if (printer->outputFormat() == QPrinter::PdfFormat)
        printer->setOutputFileName(QDir::home().filePath(QString(name).replace(QLatin1Char('/'), QLatin1Char('_')) +
                                                         QStringLiteral(".pdf")));
    QPrintDialog dialog(printer.get(), parent);
    // No page numbers to choose and no selection of the standard kind.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    printer->setPrintRange(QPrinter::AllPages);
    QWidget* page = options != nullptr ? buildOptionsPage(*options) : nullptr;
    if (page != nullptr)
        dialog.setOptionTabs({page});
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    if (page != nullptr)
        readOptionsPage(*page, *options);
    auto sink = std::make_unique<QtPageSink>(std::move(printer));
    if (!sink->isActive())
        return nullptr; // no printer to draw on
    return sink;
}

QImage drawingToImage(Drawing& drawing)
{
    QImage image;
    measureThenDraw(drawing, QApplication::font(), [&](QSize size) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(painter, QApplication::font());
        drawing.draw(canvas);
    });
    return image;
}

QByteArray drawingToSvg(Drawing& drawing)
{
    return vectorBytes(drawing, [](QBuffer& buffer, QSize size) {
        auto svg = std::make_unique<QSvgGenerator>();
        svg->setOutputDevice(&buffer);
        svg->setResolution(kDrawingResolution);
        svg->setSize(size);
        svg->setViewBox(QRect(QPoint(0, 0), size));
        svg->setTitle(QStringLiteral("Layer Stackup"));
        return svg;
    });
}

QByteArray drawingToPdf(Drawing& drawing)
{
    return vectorBytes(drawing, [](QBuffer& buffer, QSize size) {
        auto pdf = std::make_unique<QPdfWriter>(&buffer);
        pdf->setResolution(kDrawingResolution);
        const QSizeF points(size.width() * 72.0 / kDrawingResolution, size.height() * 72.0 / kDrawingResolution);
        pdf->setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        return pdf;
    });
}

std::unique_ptr<PageSink> QtOutputFiles::openPdf(const std::string& path, const std::string& title, bool letter)
{
    auto file = std::make_unique<QSaveFile>(toQString(path));
    if (!file->open(QIODevice::WriteOnly))
        return nullptr;
    auto pdf = std::make_unique<QPdfWriter>(file.get());
    pdf->setResolution(kPdfResolution);
    pdf->setTitle(toQString(title));
    pdf->setCreator(QStringLiteral("Laminar"));
    pdf->setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                   QPageLayout::Millimeter));
    auto sink = std::make_unique<QtPageSink>(std::move(pdf), std::move(file));
    if (!sink->isActive())
        return nullptr;
    return sink;
}

bool QtOutputFiles::finishPdf(std::unique_ptr<PageSink> sink)
{
    auto* pages = dynamic_cast<QtPageSink*>(sink.get());
    return pages != nullptr && pages->finish();
}

bool QtOutputFiles::writeDrawing(const std::string& path, Drawing& drawing, DrawingFormat format)
{
    const QString name = toQString(path);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (format == DrawingFormat::Bitmap) {
        if (!drawingToImage(drawing).save(&file, "PNG"))
            return false;
    } else {
        const QByteArray bytes = name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? drawingToPdf(drawing)
                                                                                            : drawingToSvg(drawing);
        if (file.write(bytes) != bytes.size())
            return false;
    }
    return file.commit();
}

} // namespace lm::qt
