// Offscreen proofs of the panes' wiring: the property bar's buttons offered to
// the window, the Er frequency field, the picture pane's status line, and the
// picture widget over a real layer grid (a layer dragged with the mouse lands
// at its new place, undo takes it back). The canvas is proved on an image's
// pixels. Then the printing commands on the real clipboard and print dialog.
// The grid view has its own tests.
#include "print/PrintCommands.h"
#include "qt/QtCanvas.h"
#include "qt/QtGridPane.h"
#include "qt/QtPicturePane.h"
#include "qt/QtPlatform.h"
#include "qt/QtPrinting.h"
#include "qt/QtPictureView.h"

#include "LayerGridFixture.h"
#include "QtInput.h"
#include "document/Board.h"
#include "res/CommandIds.h"
#include "ui/PictureMovesOnGrid.h"
#include "ui/PicturePaneState.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace lm::qt {
namespace {

using test::layerOf;

template <typename Widget>
Widget* named(const QWidget& parent, uint32_t id)
{
    return parent.findChild<Widget*>(QString::number(id));
}

TEST(GridPane, PropertyBarButtonsAreOfferedToTheWindow)
{
    test::GridFixture board(test::fiveLayers());
    QtGridPane pane(board.instance, board.platform, *board.grid, nullptr);
    pane.resize(900, 400);
    pane.show();

    std::vector<uint32_t> offered;
    pane.setCommandOffer([&](uint32_t id, uint32_t) {
        offered.push_back(id);
        return id == res::IDC_CUSTOMIZE;
    });
    named<QPushButton>(pane, res::IDC_CUSTOMIZE)->click();
    named<QCheckBox>(pane, res::IDC_AUTO_ER)->click(); // the window leaves it to the pane
    EXPECT_EQ(offered, (std::vector<uint32_t>{res::IDC_CUSTOMIZE, res::IDC_AUTO_ER}));
    EXPECT_FALSE(board.instance.settings().autoEr);
}

TEST(GridPane, ErFrequencyKeepsDigitsAndBeepsOnceForARefusedKey)
{
    test::GridFixture board(test::fiveLayers());
    board.instance.settings().caps |= kCapErFrequency;
    QtGridPane pane(board.instance, board.platform, *board.grid, nullptr);
    pane.show();
    auto* frequency = named<QLineEdit>(pane, res::IDC_ER_FREQUENCY);
    ASSERT_NE(frequency, nullptr);
    EXPECT_EQ(frequency->text(), "1");

    frequency->selectAll();
    QTest::keyClicks(frequency, "1a");
    EXPECT_EQ(std::tuple(frequency->text(), frequency->cursorPosition()), std::tuple("1", 1));
    QTest::keyClicks(frequency, "0");
    EXPECT_EQ(std::tuple(frequency->text(), board.platform.beeps), std::tuple("10", 1));
    EXPECT_DOUBLE_EQ(board.instance.settings().erFrequency, 1e7);
    for (const LMLAYEREX& layer : board.instance.settings().currentBoard->layers)
        EXPECT_DOUBLE_EQ(layer.dErFrequency, 1e7);
}

TEST(PicturePane, StatusLineAndTotalThickness)
{
    test::GridFixture board(test::fiveLayers());
    QtPicturePane pane(board.instance, nullptr);
    pane.resize(500, 300);
    pane.show();
    pane.updateView();

    const StatusLine expected = checkStatusLine(board.instance.settings());
    auto* status = named<QLabel>(pane, res::IDC_STATUS_LINE);
    EXPECT_EQ(std::tuple(status->text().toStdString(), pane.severity(),
                         named<QLabel>(pane, res::IDC_TOTAL_THICKNESS)->text().toStdString()),
              std::tuple(expected.text, expected.severity, totalThicknessText(board.instance.settings())));
    board.instance.setDrc(nullptr); // nothing checks: an empty line
    pane.updateView();
    EXPECT_EQ(status->text(), "");

    named<QCheckBox>(pane, res::IDC_DRAW_PROPORTIONALLY)->click();
    EXPECT_FALSE(board.instance.settings().drawProportionally);
}

// Draws a dotted white outline in exclusive-or mode, as the hover mark is drawn.
void xorOutline(QImage& image, const Rect& box)
{
    QPainter painter(&image);
    QtCanvas canvas(painter, QFont());
    canvas.setXor(true);
    canvas.setPen({PenStyle::Dotted, 0xFFFFFF, 1});
    canvas.setBrush({BrushStyle::None, 0});
    canvas.rectangle(box);
}

TEST(QtCanvas, OriginsReplaceEachOtherRightEdgesAreExclusiveAndXorToggles)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QFont());
        canvas.setOrigin({3, 3});
        canvas.setOrigin({5, 5}); // replaces the shift, does not add to it
        canvas.fillRect({0, 0, 10, 10}, 0x0000FF);
    }
    EXPECT_EQ((std::vector<QRgb>{image.pixel(4, 4), image.pixel(14, 14), image.pixel(15, 15)}),
              (std::vector<QRgb>{qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)}));
    const QImage before = image.copy();
    xorOutline(image, {18, 18, 32, 32}); // black under the dots turns white
    EXPECT_NE(image, before);
    xorOutline(image, {18, 18, 32, 32});
    EXPECT_EQ(image, before);
}

// A five-layer board in a shown picture wired to the grid.
struct PictureOverGrid : test::GridFixture {
    QtPictureView view{instance.settings(), nullptr};
    PictureMovesOnGrid moves{*grid};

    PictureOverGrid()
        : GridFixture({layerOf(kSignal, "Top"), layerOf(kSubstrate, "Core1"), layerOf(kSolidPlane, "GND"),
                       layerOf(kSubstrate, "Core2"), layerOf(kSignal, "Bottom")})
    {
        view.picture().setLayerMoves(&moves);
        view.resize(400, 500);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // The middle of a layer's front face, in the widget.
    QPoint frontOf(int32_t layer)
    {
        const PictureLayout& layout = view.picture().currentLayout();
        const auto k = static_cast<std::size_t>(layer);
        return {layout.stack.left + layout.frontWidth / 2, layout.layerTop[k] + layout.layerHeight[k] / 2};
    }

    void drag(int32_t from, int32_t over)
    {
        QTest::mousePress(&view, Qt::LeftButton, {}, frontOf(from));
        QTest::mouseMove(&view, frontOf(over));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, frontOf(over));
    }
};

using Names = std::vector<std::string>;

TEST(PictureView, DraggedLayerMovesInTheGridAndUndoTakesItBack)
{
    PictureOverGrid board;
    ASSERT_EQ(board.view.picture().currentLayout().layerTop.size(), 5u);
    board.drag(0, 3); // lands above the layer under the pointer; the grid rows move too
    EXPECT_EQ(std::tuple(board.names(), board.view.picture().dragging(), board.text(3, kColLayerName)),
              std::tuple(Names{"Core1", "GND", "Top", "Core2", "Bottom"}, false, "Top"));

    ASSERT_TRUE(board.grid->undo());
    EXPECT_EQ(board.names(), (Names{"Top", "Core1", "GND", "Core2", "Bottom"}));

    board.view.picture().setLayerMoves(nullptr); // without a grid nothing moves
    board.drag(0, 3);
    EXPECT_EQ(std::tuple(board.names(), board.view.picture().dragging()),
              std::tuple(Names{"Top", "Core1", "GND", "Core2", "Bottom"}, false));
}

TEST(PictureView, HoverOutlineGoesWhenThePointerLeaves)
{
    PictureOverGrid board;
    const QImage plain = board.view.grab().toImage();
    const QPoint over = board.frontOf(2);
    QMouseEvent move(QEvent::MouseMove, over, board.view.mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&board.view, &move);
    EXPECT_EQ(std::tuple(board.view.picture().hoveredLayer(), board.view.grab().toImage() != plain), std::tuple(2, true));

    QEvent leave(QEvent::Leave); // as the window system reports the pointer gone
    QApplication::sendEvent(&board.view, &leave);
    EXPECT_EQ(std::tuple(board.view.picture().hoveredLayer(), board.view.grab().toImage() == plain), std::tuple(-1, true));
}

TEST(PictureView, ScrollBarFollowsThePictureWhenTheStackIsTallerThanTheView)
{
    PictureOverGrid board;
    QScrollBar& bar = *board.view.scrollBar();
    EXPECT_EQ(std::tuple(bar.isEnabled(), bar.isVisible()), std::tuple(false, true));

    board.instance.settings().drawProportionally = false; // fixed slab heights: taller than the view
    board.view.resize(400, 80);
    const PictureLayout& layout = board.view.picture().currentLayout();
    ASSERT_GT(layout.scrollMaximum, 0);
    // The last position shows the last page.
    EXPECT_EQ(std::tuple(bar.isEnabled(), bar.maximum()), std::tuple(true, layout.scrollMaximum - layout.scrollPage + 1));

    bar.triggerAction(QAbstractSlider::SliderToMaximum); // the bar moves the picture, an arrow by 6/8 of a line
    EXPECT_EQ(board.view.picture().scrollPosition(), bar.maximum());
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(board.view.picture().scrollPosition(), bar.maximum() - layout.textHeight * 6 / 8);
}

TEST(QtPrinting, CopiedPictureAndDocumentationReadBackFromTheClipboard)
{
    test::GridFixture board(test::fiveLayers());
    const DesignInfo design{"Falcon", "Ada", "Rev B"};
    StackupPicture picture(board.instance.settings());
    QImage screen(1, 1, QImage::Format_RGB32);
    {
        QPainter painter(&screen);
        qt::QtCanvas canvas(painter, QApplication::font());
        picture.layout({420, 320}, canvas);
    }
    QtPlatform platform;
    QClipboard* clipboard = QGuiApplication::clipboard();

    copyPictureCommand(platform, picture, board.instance.settings(), design);
    const QImage image = clipboard->image();
    const int textHeight = QFontMetrics(QApplication::font()).height();
    EXPECT_EQ(std::tuple(image.size(), image.pixel(0, 0)), std::tuple(QSize(420, 320 + 3 * textHeight), qRgb(255, 255, 255)));

    copyDocumentationCommand(platform, board.instance.settings(), design);
    const QMimeData* mime = clipboard->mimeData();
    ASSERT_NE(mime, nullptr);
    const QByteArray svg = mime->data(QString::fromLatin1(kSvgMimeType));
    EXPECT_EQ(std::tuple(QSvgRenderer(svg).isValid(), svg.contains("Design: Falcon, Designer: Ada."),
                         mime->data(QString::fromLatin1(kPdfMimeType)).startsWith("%PDF")),
              std::tuple(true, true, true)); // a valid drawing naming the design, and a PDF beside it
}

// A PDF writer whose painting ends in failure, as when the disk fills up within a document.
struct FailingPdf : QPdfWriter {
    struct Engine : QPaintEngine {
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return false; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        Type type() const override { return User; }
    };
    using QPdfWriter::QPdfWriter;
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable Engine engine;
};

TEST(QtPrinting, AnOutputFileWhosePagesFailedIsNotWritten)
{
    QTemporaryDir dir;
    auto file = std::make_unique<QSaveFile>(dir.filePath("report.pdf"));
    ASSERT_TRUE(file->open(QIODevice::WriteOnly));
    auto writer = std::make_unique<FailingPdf>(file.get());
    QtPageSink pages(std::move(writer), std::move(file));
    EXPECT_FALSE(pages.finish());
    EXPECT_FALSE(QFile::exists(dir.filePath("report.pdf")));
}

TEST(QtPrinting, OptionsPageOpensAsTheCoreSaysAndFiltersTheRangeWhileTyping)
{
    test::GridFixture board({layerOf(kSignal, "Top"), layerOf(kSubstrate, "Core"), layerOf(kSignal, "Bottom")});
    QtPlatform platform;
    bool seen = false;
    test::whenShown<QPrintDialog>([&seen](QPrintDialog& dialog) {
        using namespace res;
        auto* whole = named<QRadioButton>(dialog, IDC_PRINT_WHOLE_STACKUP);
        auto* range = named<QRadioButton>(dialog, IDC_PRINT_RANGE);
        auto* edit = named<QLineEdit>(dialog, IDC_PRINT_RANGE_EDIT);
        auto* columns = named<QListWidget>(dialog, IDC_PRINT_COLUMNS);
        auto* printAs = named<QComboBox>(dialog, IDC_PRINT_AS);
        seen = whole && range && edit && columns && printAs; // the options page, with all these controls
        if (seen) {
            EXPECT_EQ(std::tuple(whole->isChecked(), edit->isEnabled(), columns->count(), columns->item(0)->text(),
                                 printAs->currentText()),
                      std::tuple(true, false, 12, "Layer Name", "Table"));
            range->setChecked(true);
            QTest::keyClicks(edit, "x3-1-2, 7");
            EXPECT_EQ(std::tuple(edit->isEnabled(), edit->text()), std::tuple(true, "3-12, 7"));
        }
        dialog.reject();
    });
    printReportCommand(platform, board.instance.settings(), DesignInfo{}, {});
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace lm::qt
