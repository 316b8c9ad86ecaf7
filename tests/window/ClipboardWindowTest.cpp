// Layer rows through the real clipboard: copied in one editor instance,
// pasted into another, as a user does it with the row header and the keys.
#include "HostedEditor.h"

#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTableView>

using namespace window_test;

namespace {

const QString kLayerRowsMime = QStringLiteral("application/x-laminar-grid-rows");

void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &event);
}

void mouseClick(QWidget* target, const QPoint& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, modifiers);
        QApplication::sendEvent(target, &event);
    }
}

void clickRowNumber(QTableView* grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QHeaderView* numbers = grid->verticalHeader();
    const QPoint at(numbers->width() / 2, numbers->sectionViewportPosition(row) + numbers->sectionSize(row) / 2);
    mouseClick(numbers->viewport(), at, modifiers);
}

QTableView* openGrid(LMHANDLE instance, int32_t board)
{
    lmSetCurrentBoard(instance, board);
    if (!lmRunNonModal(instance, &recordClose, ""))
        return nullptr;
    QDialog* editor = editorWindow();
    QTableView* grid = editor ? editor->findChild<QTableView*>("layerGrid") : nullptr;
    spin();
    return grid;
}

std::vector<LMLAYEREX> layersOf(LMHANDLE instance, int32_t board)
{
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    lmGetStackup(instance, board, &layers, &count);
    return {layers, layers + count};
}

} // namespace

TEST(ClipboardWindow, RowsCopiedInOneEditorArePastedIntoAnother)
{
    {
        Host source;
        QTableView* grid = openGrid(source.instance, 1);
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
    EXPECT_EQ(copied->data(kLayerRowsMime).size(), 2 * 216);
    const QStringList lines = copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << copied->text().toStdString();
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("Top\t"))) << lines[1].toStdString();
    EXPECT_TRUE(copied->html().contains(QLatin1String("<td>Core</td>")));

    Host target;
    QTableView* grid = openGrid(target.instance, 2);
    ASSERT_NE(grid, nullptr);
    const QModelIndex bottomRow = grid->model()->index(4, 0);
    mouseClick(grid->viewport(), grid->visualRect(bottomRow).center());
    grid->setFocus();
    press(grid, Qt::Key_V, Qt::ControlModifier);
    spin();
    lmExitInstance(target.instance, true);

    const std::vector<LMLAYEREX> layers = layersOf(target.instance, 2);
    std::vector<std::string> names;
    for (const LMLAYEREX& layer : layers)
        names.emplace_back(layer.szName);
    EXPECT_EQ(names, (std::vector<std::string>{"Top", "Core", "Plane", "Prepreg", "Top_1", "Core", "Bottom"}));
    ASSERT_EQ(layers.size(), 7u);
    EXPECT_EQ(layers[4].nId, 0);
    EXPECT_EQ(layers[5].nId, 0);
    EXPECT_EQ(layers[6].nId, 24) << "the layers around keep theirs";
}

TEST(ClipboardWindow, CellEditorCopiesAndPastesTextThroughTheGrid)
{
    Host host;
    QTableView* grid = openGrid(host.instance, 1);
    ASSERT_NE(grid, nullptr);
    const QAbstractItemModel& model = *grid->model();
    int nameColumn = 0;
    while (nameColumn < model.columnCount() && model.headerData(nameColumn, Qt::Horizontal).toString() != "Layer Name")
        ++nameColumn;
    const QModelIndex plane = model.index(2, nameColumn);
    mouseClick(grid->viewport(), grid->visualRect(plane).center());
    grid->setFocus();
    press(grid, Qt::Key_F2, Qt::NoModifier);
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
    EXPECT_EQ(edit->text(), "PInnere");
    EXPECT_EQ(edit->cursorPosition(), 6);
    press(edit, Qt::Key_Return, Qt::NoModifier);
    spin();
    lmExitInstance(host.instance, true);
    EXPECT_STREQ(layersOf(host.instance, 1)[2].szName, "PInnere");
}
