// The graph dialogs as a user meets them: opened from the grid's View...
// buttons with the reference calculator, zoomed with a mouse drag on the
// widget named "chart", copied to the real clipboard and closed.
#include "HostedEditor.h"
#include "TempDir.h"

#include <laminar/z0calc.h>

#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>

#include <cstdlib>
#include <functional>

using namespace window_test;

namespace {

void mouse(QWidget* target, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void drag(QWidget* target, const QPoint& from, const QPoint& to)
{
    mouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= 10; ++i)
        mouse(target, QEvent::MouseMove, from + (to - from) * i / 10, Qt::LeftButton);
    mouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

void clickCell(QTableView* grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    const QRect cell = grid->visualRect(index);
    // The button fills the cell; its middle is on it.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        mouse(grid->viewport(), type, cell.center(), type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton);
}

// Runs `inside` in the modal dialog a click opens, then lets the click return.
void withModalDialog(const std::function<void()>& click, const std::function<void(QDialog&)>& inside, bool& ran)
{
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
}

// Zooms with a drag across the middle of the chart: the picture must change;
// then Copy puts a white-backed bitmap, taller than the chart by the caption, on the clipboard.
void zoomAndCopy(QDialog& dialog)
{
    QWidget* chart = dialog.findChild<QWidget*>("chart");
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(chart->isVisible());
    const QImage before = chart->grab().toImage();
    const QPoint middle = chart->rect().center();
    drag(chart, middle - QPoint(60, 40), middle + QPoint(60, 40));
    spin(50);
    EXPECT_NE(chart->grab().toImage(), before);

    QApplication::clipboard()->clear();
    auto* copy = dialog.findChild<QPushButton*>("1007");
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->isEnabled());
    copy->click();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.width(), chart->width());
    EXPECT_GT(copied.height(), chart->height());
    EXPECT_EQ(copied.pixelColor(1, 1), QColor(Qt::white));
}

struct ChartHost {
    lm::test::TempDir config;
    std::string savedConfig;
    bool hadConfig = false;
    LMHANDLE instance = lmInitInstance(nullptr, 0);
    lmz0::ReferenceZ0Calculator calculator{instance};

    ChartHost()
    {
        if (const char* previous = std::getenv("XDG_CONFIG_HOME"))
            savedConfig = previous, hadConfig = true;
        ::setenv("XDG_CONFIG_HOME", config.path.c_str(), 1); // the loss dialog stores its options there
        const std::vector<LMLAYEREX> layers = lm::test::microstripPairStackup(10);
        lmAddStackup(instance, 1, "B_001", layers.data(), static_cast<int32_t>(layers.size()));
        lmSetZ0Calculator(instance, &calculator);
        lmSetCaps(instance, LM_CAP_LOSS_VALUES | LM_CAP_DIFF_PAIR_PLANNING, LM_CAP_LOSS_VALUES | LM_CAP_DIFF_PAIR_PLANNING);
        // Planning for a differential pair, solving for both: the Z0 Curve cells are buttons.
        const std::string ini = (config.path / "plan.ini").string();
        QFile file(QString::fromStdString(ini));
        if (file.open(QIODevice::WriteOnly))
            file.write("[Laminar]\nVerPreferences=3\nZ0 For DiffPair=1\nZ0 Strategy=2\n");
        file.close();
        lmLoadFromRegistry(instance, true, ini.c_str(), nullptr);
    }
    ~ChartHost()
    {
        lmFreeInstance(instance);
        hadConfig ? ::setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    }
};

QTableView* openOnTab(LMHANDLE instance, int tab)
{
    if (!lmRunNonModal(instance, &recordClose, ""))
        return nullptr;
    QDialog* editor = editorWindow();
    auto* tabs = editor ? editor->findChild<QTabBar*>("tabControl") : nullptr;
    if (!tabs)
        return nullptr;
    tabs->setCurrentIndex(tab);
    spin();
    return editor->findChild<QTableView*>("layerGrid");
}

} // namespace

TEST(ChartWindow, LossCurveOpensFromItsViewButtonZoomsAndCopies)
{
    ChartHost host;
    QTableView* grid = openOnTab(host.instance, 2); // Metal
    ASSERT_NE(grid, nullptr);
    const int column = columnTitled(*grid->model(), "Loss Curve");
    ASSERT_GE(column, 0);
    ASSERT_EQ(grid->model()->data(grid->model()->index(0, column)).toString(), "View...");

    bool ran = false;
    withModalDialog([&] { clickCell(grid, 0, column); },
                    [](QDialog& dialog) {
                        EXPECT_EQ(dialog.windowTitle(), "Loss-vs-Frequency Graph");
                        zoomAndCopy(dialog);
                    },
                    ran);
    EXPECT_TRUE(ran);
    // Closing stored the options for the next opening.
    EXPECT_TRUE(QFile::exists(QString::fromStdString((host.config.path / "Quorvex").string())));
    lmExitInstance(host.instance, true); // Auto Er changed the metals: Discard would ask first
}

TEST(ChartWindow, Z0CurveSweepsZoomsAndCopies)
{
    ChartHost host;
    QTableView* grid = openOnTab(host.instance, 3); // Z0 Planning
    ASSERT_NE(grid, nullptr);
    const int column = columnTitled(*grid->model(), "Z0 Curve");
    ASSERT_GE(column, 0);
    ASSERT_EQ(grid->model()->data(grid->model()->index(0, column)).toString(), "View...");

    bool ran = false;
    withModalDialog([&] { clickCell(grid, 0, column); },
                    [](QDialog& dialog) {
                        EXPECT_TRUE(dialog.windowTitle().startsWith("Layer \"Top\" - Width-vs-Separation"));
                        auto* close = dialog.findChild<QPushButton*>("2");
                        ASSERT_NE(close, nullptr);
                        // The sweep ends with Cancel renamed Close and the curve shown.
                        // The 20 differential-pair solutions of the reference calculator take a
                        // second or two: the wait allows for a loaded machine and the sanitizers.
                        const bool done = spinUntil([&] { return close->text() == "Close"; }, 60000);
                        auto* bar = dialog.findChild<QWidget*>("1027");
                        ASSERT_TRUE(done) << bar->property("value").toInt();
                        auto* noData = dialog.findChild<QLabel*>("1026");
                        ASSERT_NE(noData, nullptr);
                        EXPECT_FALSE(noData->isVisible());
                        zoomAndCopy(dialog);
                    },
                    ran);
    EXPECT_TRUE(ran);
    lmExitInstance(host.instance, true); // Auto Er changed the metals: Discard would ask first
}
