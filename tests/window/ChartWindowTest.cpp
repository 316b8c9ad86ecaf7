// A graph dialog as a user meets it: opened from the grid's View... button
// with the reference calculator, zoomed with a mouse drag on the widget named
// "chart", copied to the real clipboard and closed.
#include "HostedEditor.h"
#include "TempDir.h"

#include <laminar/z0calc.h>

#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTabBar>

#include <memory>
#include <tuple>

using namespace window_test;

TEST(ChartWindow, LossCurveOpensFromItsViewButtonZoomsAndCopies)
{
    lm::test::ConfigHome config; // the loss dialog stores its options there
    Host host;
    lmz0::ReferenceZ0Calculator calculator{host.instance};
    lmSetZ0Calculator(host.instance, &calculator);
    lmSetCaps(host.instance, LM_CAP_LOSS_VALUES, LM_CAP_LOSS_VALUES);
    const std::vector<LMLAYEREX> layers = lm::test::microstripPairStackup(30); // a trace with a width
    lmAddStackup(host.instance, 3, "B_003", layers.data(), static_cast<int32_t>(layers.size()));
    QDialog* editor = openEditor(host, 3);
    ASSERT_NE(editor, nullptr);
    editor->findChild<QTabBar*>("tabControl")->setCurrentIndex(2); // Metal
    spin();
    QTableView* grid = layerGrid(editor);
    const QModelIndex button = grid->model()->index(0, columnTitled(*grid->model(), "Loss Curve"));
    ASSERT_EQ(grid->model()->data(button).toString(), "View...");

    bool opened = false; // the dialog is modal: the click returns once it closes
    QTimer::singleShot(0, [&] {
        QDialog* dialog = nullptr;
        spinUntil([&] { return (dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) != nullptr; });
        const std::unique_ptr<QDialog, void (*)(QDialog*)> rejected(dialog, [](QDialog* d) { d->reject(); }); // on every path
        QWidget* chart = dialog ? dialog->findChild<QWidget*>("chart") : nullptr;
        ASSERT_TRUE(chart != nullptr && chart->isVisible());
        opened = true;
        EXPECT_EQ(dialog->windowTitle(), "Loss-vs-Frequency Graph");
        // A drag across the middle zooms: the picture changes.
        const QImage before = chart->grab().toImage();
        const QPoint middle = chart->rect().center();
        lm::test::sendMouse(chart, QEvent::MouseButtonPress, middle - QPoint(60, 40), Qt::LeftButton);
        lm::test::sendMouse(chart, QEvent::MouseMove, middle + QPoint(60, 40), Qt::LeftButton);
        lm::test::sendMouse(chart, QEvent::MouseButtonRelease, middle + QPoint(60, 40), Qt::NoButton);
        spin(50);
        EXPECT_NE(chart->grab().toImage(), before);
        // Copy puts a white-backed bitmap, taller than the chart by the caption, on the clipboard.
        QApplication::clipboard()->clear();
        auto* copy = dialog->findChild<QPushButton*>("1007");
        ASSERT_TRUE(copy != nullptr && copy->isEnabled());
        copy->click();
        const QImage copied = QApplication::clipboard()->image();
        EXPECT_EQ(std::tuple(copied.width(), copied.height() > chart->height(), copied.pixelColor(1, 1)),
                  std::tuple(chart->width(), true, QColor(Qt::white)));
    });
    clickCell(grid, button);
    EXPECT_TRUE(opened);
    lmExitInstance(host.instance, true); // Auto Er changed the metals: Discard would ask first
    // Closing stored the options for the next opening.
    EXPECT_TRUE(QFile::exists(QString::fromStdString((config.path / "Quorvex").string())));
}
