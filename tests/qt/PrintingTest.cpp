// The printing commands on the real clipboard and print dialog.
#include "print/PrintCommands.h"
#include "qt/QtPlatform.h"
#include "qt/QtCanvas.h"
#include "qt/QtPrinting.h"
#include "res/CommandIds.h"

#include "LayerGridFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPrintDialog>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace lm {
namespace {

using test::layerOf;

template <typename T>
T* control(QWidget& dialog, uint32_t id)
{
    return dialog.findChild<T*>(QString::number(id));
}

// Runs `user` on the print dialog once it shows (it then ends it).
void whenPrintDialogShows(std::function<void(QPrintDialog&)> user, int triesLeft = 200)
{
    QTimer::singleShot(5, [user, triesLeft] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QPrintDialog*>(widget); dialog && dialog->isVisible())
                return user(*dialog);
        if (triesLeft > 0)
            whenPrintDialogShows(user, triesLeft - 1);
    });
}

TEST(QtPrinting, CopiedPictureAndDocumentationReadBackFromTheClipboard)
{
    test::GridFixture board(
        {layerOf(kSolderMask, "Mask"), layerOf(kSignal, "Top"), layerOf(kSubstrate, "Core"), layerOf(kSolidPlane, "GND")});
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
    EXPECT_EQ(image.size(), QSize(420, 320 + 3 * textHeight));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));

    copyDocumentationCommand(platform, board.instance.settings(), design);
    const QMimeData* mime = clipboard->mimeData();
    ASSERT_NE(mime, nullptr);
    ASSERT_TRUE(mime->hasFormat(QString::fromLatin1(kSvgMimeType)));
    QSvgRenderer svg(mime->data(QString::fromLatin1(kSvgMimeType)));
    EXPECT_TRUE(svg.isValid());
    EXPECT_GT(svg.defaultSize().width(), 100);
    EXPECT_TRUE(mime->data(QString::fromLatin1(kPdfMimeType)).startsWith("%PDF"));
    EXPECT_TRUE(mime->data(QString::fromLatin1(kSvgMimeType)).contains("Design: Falcon, Designer: Ada."));
}

TEST(QtPrinting, OptionsPageOpensAsTheCoreSaysAndFiltersTheRangeWhileTyping)
{
    test::GridFixture board({layerOf(kSignal, "Top"), layerOf(kSubstrate, "Core"), layerOf(kSignal, "Bottom")});
    QtPlatform platform;
    bool seen = false;
    whenPrintDialogShows([&seen](QPrintDialog& dialog) {
        using namespace res;
        seen = true;
        auto* whole = control<QRadioButton>(dialog, IDC_PRINT_WHOLE_STACKUP);
        auto* range = control<QRadioButton>(dialog, IDC_PRINT_RANGE);
        auto* edit = control<QLineEdit>(dialog, IDC_PRINT_RANGE_EDIT);
        auto* columns = control<QListWidget>(dialog, IDC_PRINT_COLUMNS);
        auto* printAs = control<QComboBox>(dialog, IDC_PRINT_AS);
        auto* schematic = control<QCheckBox>(dialog, IDC_PRINT_SCHEMATIC);
        auto* selection = control<QRadioButton>(dialog, IDC_PRINT_SELECTION);
        if (!whole || !range || !edit || !columns || !printAs || !schematic || !selection) {
            ADD_FAILURE() << "a control of the options page is missing";
            dialog.reject();
            return;
        }
        EXPECT_TRUE(whole->isChecked());
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_FALSE(selection->isEnabled());
        EXPECT_EQ(columns->count(), 12);
        EXPECT_EQ(columns->item(0)->text(), "Layer Name");
        EXPECT_EQ(columns->item(11)->checkState(), Qt::Checked);
        EXPECT_EQ(printAs->currentText(), "Table");
        EXPECT_TRUE(schematic->isChecked());
        range->setChecked(true);
        EXPECT_TRUE(edit->isEnabled());
        QTest::keyClicks(edit, "x3-1-2, 7");
        EXPECT_EQ(edit->text(), "3-12, 7");
        dialog.reject();
    });
    printReportCommand(platform, board.instance.settings(), DesignInfo{}, {});
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace lm
