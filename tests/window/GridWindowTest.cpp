// The layer grid inside the editor window, driven as a host's test tool drives
// it: keys and clicks sent to the widget named "layerGrid", the layers read
// back through lm* functions.
#include "HostedEditor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTableView>

#include <cmath>

using namespace window_test;

namespace {

void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

// Keys go where the keyboard sends them: to the focused widget (the cell's
// editor once one is open), else to `fallback`.
QWidget* keyTarget(QWidget* fallback)
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : fallback;
}

void type(QWidget* fallback, const QString& text)
{
    for (const QChar c : text)
        press(keyTarget(fallback), c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

void click(QTableView* grid, const QModelIndex& index)
{
    const QPoint at = grid->visualRect(index).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &event);
    }
}

double thicknessOf(LMHANDLE instance, int32_t board, int index)
{
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    lmGetStackup(instance, board, &layers, &count);
    return index < count ? layers[index].dThickness : 0.0;
}

} // namespace

TEST(GridWindow, TypedThicknessReachesTheLayersAndCtrlZTakesItBack)
{
    Host host;
    lmSetCurrentBoard(host.instance, 1);
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    auto* grid = editor->findChild<QTableView*>("layerGrid");
    ASSERT_NE(grid, nullptr);
    spin();
    const QAbstractItemModel& model = *grid->model();
    const QModelIndex core = model.index(1, columnTitled(model, "Thickness"));
    ASSERT_TRUE(core.isValid());
    ASSERT_EQ(model.data(core).toString(), "1200");

    // Typing into the current cell opens its editor; letters never get in.
    click(grid, core);
    grid->setFocus(); // as the click of a real mouse does
    type(grid, "12a3");
    press(keyTarget(grid), Qt::Key_Return);
    spin();
    ASSERT_EQ(editorWindow(), editor);
    EXPECT_EQ(model.data(core).toString(), "123");
    EXPECT_NEAR(thicknessOf(host.instance, 1, 1), 123e-6, 1e-12);

    // The accelerator goes through the window to the grid's undo.
    press(keyTarget(grid), Qt::Key_Z, Qt::ControlModifier);
    spin();
    EXPECT_EQ(model.data(core).toString(), "1200");
    EXPECT_NEAR(thicknessOf(host.instance, 1, 1), 1.2e-3, 1e-12);

    lmExitInstance(host.instance, true);
    EXPECT_EQ(editorWindow(), nullptr);
}

TEST(GridWindow, UndoAndRedoOfATabSwitchShowThatTabsColumnsAndBar)
{
    Host host;
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    auto* grid = editor->findChild<QTableView*>("layerGrid");
    ASSERT_TRUE(tabs && grid);
    spin();
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
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(showsBasic());

    commandAction(editor, 57644)->trigger(); // Redo
    spin();
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_TRUE(showsMetal());

    lmExitInstance(host.instance, false);
}
