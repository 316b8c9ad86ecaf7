// The graph dialogs as a user meets them: opened from the grid's View...
// buttons with the reference calculator, zoomed with a mouse drag on the
// widget named "chart", copied to the real clipboard and closed.
#include "HostedEditor.h"
#include "QtInput.h"
#include "TempDir.h"

#include <laminar/z0calc.h>

#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include <functional>
#include <tuple>

using namespace window_test;

namespace {

void drag(QWidget* target, const QPoint& from, const QPoint& to)
{
    using lm::test::sendMouse;
    sendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= 10; ++i)
        sendMouse(target, QEvent::MouseMove, from + (to - from) * i / 10, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// Runs `inside` in the modal dialog a click opens, then lets the click return;
// whether a dialog opened.
bool withModalDialog(const std::function<void()>& click, const std::function<void(QDialog&)>& inside)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QDialog* dialog = nullptr;
        spinUntil([&] { return (dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) != nullptr; });
        if (dialog) {
            ran = true;
            inside(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    click();
    return ran;
}

// Zooms with a drag across the middle of the chart: the picture must change;
// then Copy puts a white-backed bitmap, taller than the chart by the caption, on the clipboard.
void zoomAndCopy(QDialog& dialog)
{
    QWidget* chart = dialog.findChild<QWidget*>("chart");
    ASSERT_TRUE(chart != nullptr && chart->isVisible());
    const QImage before = chart->grab().toImage();
    const QPoint middle = chart->rect().center();
    drag(chart, middle - QPoint(60, 40), middle + QPoint(60, 40));
    spin(50);
    EXPECT_NE(chart->grab().toImage(), before);

    QApplication::clipboard()->clear();
    auto* copy = dialog.findChild<QPushButton*>("1007");
    ASSERT_TRUE(copy != nullptr && copy->isEnabled());
    copy->click();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(std::tuple(copied.width(), copied.height() > chart->height(), copied.pixelColor(1, 1)),
              std::tuple(chart->width(), true, QColor(Qt::white)));
}

struct ChartHost {
    lm::test::ConfigHome config; // the loss dialog stores its options there
    LMHANDLE instance = lmInitInstance(nullptr, 0);
    lmz0::ReferenceZ0Calculator calculator{instance};

    ChartHost()
    {
        const std::vector<LMLAYEREX> layers = lm::test::microstripPairStackup(10);
        lmAddStackup(instance, 1, "B_001", layers.data(), static_cast<int32_t>(layers.size()));
        lmSetZ0Calculator(instance, &calculator);
        lmSetCaps(instance, LM_CAP_LOSS_VALUES | LM_CAP_DIFF_PAIR_PLANNING, LM_CAP_LOSS_VALUES | LM_CAP_DIFF_PAIR_PLANNING);
        // Planning for a differential pair, solving for both: the Z0 Curve cells are buttons.
        const std::string ini = (config.path / "plan.ini").string();
        lm::test::writeFileText(ini, "[Laminar]\nVerPreferences=3\nZ0 For DiffPair=1\nZ0 Strategy=2\n");
        lmLoadFromRegistry(instance, true, ini.c_str(), nullptr);
    }
    ~ChartHost() { lmFreeInstance(instance); }
};

// Clicks the View... button of the first layer in the column titled `column`
// of the tab, and runs `inside` in the graph dialog it opens.
void openGraph(ChartHost& host, int tab, const char* column, const std::function<void(QDialog&)>& inside)
{
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    editor->findChild<QTabBar*>("tabControl")->setCurrentIndex(tab);
    spin();
    QTableView* grid = layerGrid(editor);
    const QModelIndex button = grid->model()->index(0, columnTitled(*grid->model(), column));
    ASSERT_EQ(grid->model()->data(button).toString(), "View...");
    EXPECT_TRUE(withModalDialog([&] { clickCell(grid, button); }, inside));
    lmExitInstance(host.instance, true); // Auto Er changed the metals: Discard would ask first
}

} // namespace

TEST(ChartWindow, LossCurveOpensFromItsViewButtonZoomsAndCopies)
{
    ChartHost host;
    openGraph(host, 2 /* Metal */, "Loss Curve", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Loss-vs-Frequency Graph");
        zoomAndCopy(dialog);
    });
    // Closing stored the options for the next opening.
    EXPECT_TRUE(QFile::exists(QString::fromStdString((host.config.path / "Quorvex").string())));
}

TEST(ChartWindow, Z0CurveSweepsZoomsAndCopies)
{
    ChartHost host;
    openGraph(host, 3 /* Z0 Planning */, "Z0 Curve", [](QDialog& dialog) {
        EXPECT_TRUE(dialog.windowTitle().startsWith("Layer \"Top\" - Width-vs-Separation"));
        auto* close = dialog.findChild<QPushButton*>("2");
        ASSERT_NE(close, nullptr);
        // The sweep ends with Cancel renamed Close and the curve shown. The 20 differential-pair
        // solutions of the reference calculator take a second or two; the wait allows for a
        // loaded machine and the sanitizers.
        const bool done = spinUntil([&] { return close->text() == "Close"; }, 60000);
        ASSERT_TRUE(done) << dialog.findChild<QWidget*>("1027")->property("value").toInt();
        EXPECT_FALSE(dialog.findChild<QLabel*>("1026")->isVisible());
        zoomAndCopy(dialog);
    });
}
