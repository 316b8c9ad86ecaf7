// The layer grid inside the editor window, driven as a host's test tool drives
// it: keys and clicks sent to the widget named "layerGrid", rows through the
// real clipboard between two instances, Z0 planning with the host's own
// calculator, the layers read back through lm* functions, and the loss graph
// opened from a metal's View... button with the reference calculator, zoomed
// with a mouse drag on the widget named "chart" and copied.
#include "HostedEditor.h"
#include "ScriptedZ0Calculator.h"
#include "TempDir.h"

#include <laminar/z0calc.h>

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

using namespace window_test;

namespace {

using lm::test::keyTarget;

void clickRowNumber(QTableView* grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QHeaderView* numbers = grid->verticalHeader();
    click(numbers->viewport(),
          QPoint(numbers->width() / 2, numbers->sectionViewportPosition(row) + numbers->sectionSize(row) / 2), modifiers);
}

QString cellText(const QAbstractItemModel& model, int row, const QString& column)
{
    return model.data(model.index(row, columnTitled(model, column))).toString();
}

} // namespace

TEST(GridWindow, TypedThicknessReachesTheLayersAndCtrlZTakesItBack)
{
    Host host;
    QDialog* editor = openEditor(host, 1);
    QTableView* grid = layerGrid(editor);
    ASSERT_NE(grid, nullptr);
    const QAbstractItemModel& model = *grid->model();
    const QModelIndex core = model.index(1, columnTitled(model, "Thickness"));
    ASSERT_EQ(model.data(core).toString(), "1200");

    // Typing into the current cell opens its editor; letters never get in.
    clickCell(grid, core);
    for (const QChar c : QStringLiteral("12a3"))
        press(keyTarget(grid), c.toUpper().unicode(), Qt::NoModifier, QString(c));
    press(keyTarget(grid), Qt::Key_Return);
    spin();
    ASSERT_EQ(editorWindow(), editor);
    EXPECT_EQ(std::tuple(model.data(core).toString(), std::lround(layersOf(host.instance, 1)[1].dThickness * 1e9)),
              std::tuple("123", 123000L));

    // The accelerator goes through the window to the grid's undo.
    press(keyTarget(grid), Qt::Key_Z, Qt::ControlModifier);
    spin();
    EXPECT_EQ(std::tuple(model.data(core).toString(), std::lround(layersOf(host.instance, 1)[1].dThickness * 1e9)),
              std::tuple("1200", 1200000L));

    lmExitInstance(host.instance, true);
    EXPECT_EQ(editorWindow(), nullptr);
}

TEST(GridWindow, UndoAndRedoOfATabSwitchShowThatTabsColumnsAndBar)
{
    Host host;
    QDialog* editor = openEditor(host);
    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    QTableView* grid = layerGrid(editor);
    ASSERT_TRUE(tabs && grid);
    const int bulkR = columnTitled(*grid->model(), "Bulk R");
    ASSERT_GE(bulkR, 0);
    auto shows = [&](const char* name) {
        const QWidget* control = editor->findChild<QWidget*>(name);
        return control != nullptr && control->isVisible();
    };
    auto showsBasic = [&] { return grid->isColumnHidden(bulkR) && shows("1008") && !shows("1030"); };
    auto showsMetal = [&] { return !grid->isColumnHidden(bulkR) && shows("1030") && !shows("1008"); };
    ASSERT_TRUE(showsBasic());

    tabs->setCurrentIndex(2); // Metal
    spin();
    EXPECT_TRUE(showsMetal());
    commandAction(editor, 57643)->trigger(); // Undo
    spin();
    EXPECT_EQ(std::tuple(tabs->currentIndex(), showsBasic()), std::tuple(0, true));
    commandAction(editor, 57644)->trigger(); // Redo
    spin();
    EXPECT_EQ(std::tuple(tabs->currentIndex(), showsMetal()), std::tuple(2, true));
    lmExitInstance(host.instance, false);
}

TEST(GridWindow, RowsCopiedInOneEditorArePastedIntoAnother)
{
    {
        Host source;
        QTableView* grid = layerGrid(openEditor(source, 1));
        ASSERT_NE(grid, nullptr);
        clickRowNumber(grid, 0);
        clickRowNumber(grid, 1, Qt::ShiftModifier);
        grid->setFocus();
        press(grid, Qt::Key_C, Qt::ControlModifier);
        spin();
        lmExitInstance(source.instance, false);
    }
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->data(QStringLiteral("application/x-laminar-grid-rows")).size(), 2 * 216);
    const QStringList lines = copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << copied->text().toStdString();
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("Top\t")) && copied->html().contains(QLatin1String("<td>Core</td>")))
        << lines[1].toStdString();

    Host target;
    QTableView* grid = layerGrid(openEditor(target, 2));
    ASSERT_NE(grid, nullptr);
    clickCell(grid, grid->model()->index(4, 0));
    press(grid, Qt::Key_V, Qt::ControlModifier);
    spin();
    lmExitInstance(target.instance, true);

    std::vector<std::pair<std::string, int32_t>> layers;
    for (const LMLAYEREX& layer : layersOf(target.instance, 2))
        layers.emplace_back(layer.szName, layer.nId);
    // The pasted layers are new (id 0); the layers around keep theirs.
    EXPECT_EQ(layers, (std::vector<std::pair<std::string, int32_t>>{
                          {"Top", 20}, {"Core", 21}, {"Plane", 22}, {"Prepreg", 23}, {"Top_1", 0}, {"Core", 0},
                          {"Bottom", 24}}));
}

TEST(GridWindow, CellEditorCopiesAndPastesTextThroughTheGrid)
{
    Host host;
    QTableView* grid = layerGrid(openEditor(host, 1));
    ASSERT_NE(grid, nullptr);
    clickCell(grid, grid->model()->index(2, columnTitled(*grid->model(), "Layer Name")));
    press(grid, Qt::Key_F2);
    auto* edit = grid->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->text(), "Plane");

    edit->setSelection(0, 2);
    press(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Pl");
    // A cell copied from a spreadsheet comes with its line end.
    QGuiApplication::clipboard()->setText(QStringLiteral("Inner\n"));
    edit->setSelection(1, 3); // "lan"
    press(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(edit->text(), edit->cursorPosition()), std::tuple("PInnere", 6));
    press(edit, Qt::Key_Return);
    spin();
    lmExitInstance(host.instance, true);
    EXPECT_STREQ(layersOf(host.instance, 1)[2].szName, "PInnere");
}

// Z0 planning as a host sees it: its own calculator set with lmSetZ0Calculator,
// the plan switched on the real property bar, Apply as Test Width pressed, and
// the test widths read back after Apply & Close.
TEST(GridWindow, PlannedWidthsBecomeTestWidthsOfTheLayersTheHostReads)
{
    Host host;
    lm::test::ScriptedZ0Calculator calculator;
    calculator.z0 = {49.96, 0.0, 0.0, 0.0, 61.0}; // one per layer of the board
    calculator.solved = {{"Top", 120e-6}, {"Bottom", 130e-6}};
    calculator.throwing = {"Plane"}; // the host's bug: the editor shows <Error> and goes on
    lmSetZ0Calculator(host.instance, &calculator);
    ASSERT_EQ(lmGetZ0Calculator(host.instance), &calculator);
    lmSetCaps(host.instance, LM_CAP_DIFF_PAIR_PLANNING, LM_CAP_DIFF_PAIR_PLANNING);
    QDialog* editor = openEditor(host, 1);
    QTableView* grid = layerGrid(editor);
    ASSERT_NE(grid, nullptr);
    const QAbstractItemModel& model = *grid->model();

    // The first tab shows Z0, rounded, in a column fitted to the values the
    // idle pass computed (not only to its title).
    const auto showsWholeValues = [&](const QString& title) {
        const int column = columnTitled(model, title);
        int widest = 0;
        for (int row = 0; row < model.rowCount(); ++row)
            widest = std::max(widest, grid->fontMetrics().horizontalAdvance(model.index(row, column).data().toString()));
        return column >= 0 && grid->columnWidth(column) > widest;
    };
    ASSERT_TRUE(spinUntil([&] { return cellText(model, 0, "Z0\n") == "50"; }));
    EXPECT_EQ(cellText(model, 4, "Z0\n"), "61");
    EXPECT_TRUE(showsWholeValues("Z0\n"));

    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    tabs->setCurrentIndex(3); // Z0 Planning
    ASSERT_TRUE(spinUntil([&] { return cellText(model, 0, "Width") == "120"; }));
    EXPECT_EQ(cellText(model, 2, "Width"), "<Error>");
    EXPECT_TRUE(showsWholeValues("Width"));

    // A differential pair, solved for width: a closed drop-down list takes the
    // arrow key as a user's choice of the next entry.
    auto* planFor = editor->findChild<QComboBox*>("1022");
    auto* strategy = editor->findChild<QComboBox*>("1020");
    ASSERT_TRUE(planFor && strategy);
    press(planFor, Qt::Key_Down);
    ASSERT_EQ(planFor->currentText(), "Differential pair");
    // The Target Z0 header follows the plan.
    EXPECT_EQ(std::tuple(strategy->isEnabled(), columnTitled(model, "Diff Z0") >= 0), std::tuple(true, true));
    press(strategy, Qt::Key_Down);
    ASSERT_EQ(strategy->currentText(), "Solve for width");
    ASSERT_TRUE(spinUntil([&] {
        return calculator.calls.back() == "Solve Top 0 pair=1 sep=0"; // the gap of a zeroed record is known
    }));
    ASSERT_TRUE(spinUntil([&] { return cellText(model, 4, "Width") == "130"; }));

    auto* apply = editor->findChild<QPushButton*>("1007");
    ASSERT_TRUE(apply && apply->isEnabled());
    apply->click();
    EXPECT_TRUE(spinUntil([&] { return cellText(model, 0, "Test Width") == "120"; }));

    editor->findChild<QPushButton*>("1")->click();
    ASSERT_TRUE(spinUntil([] { return editorWindow() == nullptr; }));
    EXPECT_EQ(closeCalls, (std::vector<std::pair<int32_t, std::string>>{{1, ""}}));
    std::vector<long> nanometres;
    for (const LMLAYEREX& layer : layersOf(host.instance, 1))
        nanometres.push_back(std::lround(layer.dTestWidth * 1e9));
    // The <Error> row keeps its test width.
    EXPECT_EQ(nanometres, (std::vector<long>{120000, 0, 0, 0, 130000}));
    EXPECT_TRUE(lmGetChanges(host.instance, false) & 0x4) << "a Z0-planning change";
}

TEST(GridWindow, LossGraphOpensFromAMetalsViewButtonZoomsAndCopies)
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
        // Rejected on every path out of here, or the click never returns.
        const std::unique_ptr<QDialog, void (*)(QDialog*)> rejected(dialog, [](QDialog* d) { d->reject(); });
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
    EXPECT_TRUE(std::filesystem::exists(config.path / "Quorvex"));
}
