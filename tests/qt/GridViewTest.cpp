// Offscreen proofs of the grid view's wiring: the table shows the core's cells
// and follows its columns, keystrokes and leaving a cell go to the layer grid,
// and rows are dragged through the row header.
#include "qt/QtGridPane.h"
#include "qt/QtGridRowHeader.h"
#include "qt/QtGridView.h"

#include "LayerGridFixture.h"
#include "QtInput.h"
#include "document/Board.h"
#include "ui/TabControl.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace lm::qt {
namespace {

using test::keyTarget;
using test::layerOf;
using test::sendMouse;

// Signals between substrates.
const std::vector<LMLAYEREX> kFiveLayers{layerOf(kSignal, "Top"), layerOf(kSubstrate, "Core"), layerOf(kSignal, "Inner"),
                                         layerOf(kSubstrate, "Prepreg"), layerOf(kSignal, "Bottom")};

// The five layers on the grid, the Basic tab showing, the pane on screen.
struct GridOnScreen : test::GridFixture {
    QtGridPane pane{instance, platform, *grid, nullptr};
    QtGridView& view = *pane.gridView();

    GridOnScreen() : GridFixture(kFiveLayers)
    {
        const CTabDescr basic = defaultTabs()[0];
        pane.showTab(basic.id(), basic.columns(), true);
        pane.resize(1100, 400);
        pane.show();
    }
    QModelIndex at(int32_t row, int32_t columnId) const
    {
        return view.model()->index(row - 1, grid->colOf(columnId) - 1);
    }
    QString text(int32_t row, int32_t columnId) const { return view.model()->data(at(row, columnId)).toString(); }
    void click(int32_t row, int32_t columnId)
    {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(at(row, columnId)).center());
    }
    QLineEdit* openEditor(int32_t row, int32_t columnId)
    {
        view.edit(at(row, columnId));
        auto* editor = qobject_cast<QLineEdit*>(view.openEditor());
        if (editor != nullptr)
            editor->selectAll();
        return editor;
    }
};

TEST(GridView, ShowsTheCellsAndFollowsTheColumnsOfTheCore)
{
    GridOnScreen board;
    QAbstractItemModelTester tester(board.view.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    board.grid->reload();
    const LayerGrid& grid = *board.grid;
    const QAbstractItemModel& model = *board.view.model();
    EXPECT_EQ(std::tuple(model.rowCount(), model.columnCount()), std::tuple(5, 20));
    EXPECT_EQ((QStringList{model.headerData(2, Qt::Vertical).toString(),
                           model.headerData(grid.colOf(kColThickness) - 1, Qt::Horizontal).toString(),
                           model.data(board.at(5, kColLayerName)).toString()}),
              (QStringList{"3", "Thickness\num", "Bottom"}));
    // Z0 is a result.
    EXPECT_EQ(std::tuple(model.flags(board.at(1, kColLayerName)).testFlag(Qt::ItemIsEditable),
                         model.flags(board.at(1, kColZ0)).testFlag(Qt::ItemIsEnabled)),
              std::tuple(true, false));
    EXPECT_EQ(model.data(board.at(1, kColVisible), Qt::CheckStateRole).toInt(), Qt::Checked);

    const CTabDescr metal = defaultTabs()[2];
    board.pane.showTab(metal.id(), metal.columns(), true);
    QHeaderView* header = board.view.horizontalHeader();
    EXPECT_TRUE(header->isSectionHidden(grid.colOf(kColVisible) - 1));
    for (std::size_t k = 0; k < metal.columns().size(); ++k) {
        const LMGRIDCOLDESCR& entry = metal.columns()[k];
        EXPECT_EQ(header->visualIndex(grid.colOf(entry.columnId) - 1), static_cast<int>(k));
        EXPECT_EQ(header->sectionSize(grid.colOf(entry.columnId) - 1),
                  columnPixelWidth(entry.width, grid.averageCharWidth()));
    }
    // The user widens a column: the cells keep the width, the tab takes it from there.
    header->resizeSection(grid.colOf(kColLayerName) - 1, 150);
    EXPECT_EQ(board.pane.columnPixelWidth(kColLayerName), 150);
}

TEST(GridView, KeystrokesAndLeavingTheCellGoToTheLayerGrid)
{
    GridOnScreen board;
    board.click(2, kColThickness);
    EXPECT_EQ(board.grid->cells().current(), (CellPos{2, board.grid->colOf(kColThickness)}));
    EXPECT_EQ(board.view.currentIndex(), board.at(2, kColThickness));

    QLineEdit* editor = board.openEditor(2, kColThickness);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(board.grid->editorOpen());
    QTest::keyClicks(editor, "12a3"); // the core refuses the letter
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(std::tuple(board.view.openEditor(), board.grid->editorOpen(), board.grid->flags().rowsModified),
              std::tuple(nullptr, false, true));

    // Thinner than 1 um: refused with its message, the editor stays with the
    // typed text, and a click elsewhere asks again and goes nowhere.
    editor = board.openEditor(2, kColThickness);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "0.0001");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(board.platform.messages.size(), 1u);
    EXPECT_EQ(std::tuple(board.platform.messages[0].icon, board.view.openEditor(), editor->text()),
              std::tuple(MessageIcon::Exclamation, editor, "0.0001"));
    board.click(1, kColLayerName);
    EXPECT_EQ(std::tuple(board.platform.messages.size(), board.grid->cells().current().row), std::tuple(2ul, 2));
    // Escape gives the cell back the text it had.
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(std::tuple(board.view.openEditor(), board.text(2, kColThickness)), std::tuple(nullptr, QString("123")));

    // Undo while a cell is in edit gives the edit up and closes its editor.
    editor = board.openEditor(2, kColThickness);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "45");
    EXPECT_TRUE(board.grid->undo());
    EXPECT_EQ(std::tuple(board.view.openEditor(), board.grid->editInProgress()), std::tuple(nullptr, false));
    EXPECT_NE(board.text(2, kColThickness), "12345");

    // The Visible check box flips its layer at once.
    board.click(1, kColVisible);
    EXPECT_EQ(std::tuple(board.instance.settings().currentBoard->layers[0].bVisible,
                        board.view.model()->data(board.at(1, kColVisible), Qt::CheckStateRole).toInt()),
              std::tuple(0, int(Qt::Unchecked)));
}

// Keys as a real X server sends them: Shift pressed and released as keys of
// their own around the capitals, every key to whatever has the focus.
void typeAsKeyboard(QtGridView& view, const QString& text)
{
    auto focused = [&view] { return keyTarget(&view); };
    for (const QChar c : text) {
        const bool shifted = c.isUpper() || c == u'_';
        if (shifted)
            QTest::keyPress(focused(), Qt::Key_Shift);
        const Qt::KeyboardModifiers modifiers = shifted ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::keyClick(focused(), c.toLatin1(), modifiers);
        if (shifted)
            QTest::keyRelease(focused(), Qt::Key_Shift, Qt::ShiftModifier);
    }
}

TEST(GridView, TypingAsARealKeyboardReplacesTheCellWhileF2EnterAndDoubleClickEditAtTheEnd)
{
    GridOnScreen board;
    board.view.activateWindow();
    board.view.setFocus();
    auto typeAndEnter = [&](const QString& text) {
        typeAsKeyboard(board.view, text);
        QTest::keyClick(keyTarget(&board.view), Qt::Key_Return);
    };
    board.click(1, kColLayerName);
    const std::size_t steps = board.grid->history().undoDepth();
    typeAndEnter("ART_03"); // Shift around the capitals never ends the edit; one undo step, no half-typed ones
    EXPECT_EQ(std::tuple(board.text(1, kColLayerName), board.grid->history().undoDepth()), std::tuple(QString("ART_03"), steps + 1));

    // An exponent typed with Shift: once accepted the cell shows the stored value's form.
    board.click(2, kColThickness);
    typeAndEnter("2E1");
    EXPECT_EQ(board.text(2, kColThickness), "20");
    EXPECT_NEAR(board.instance.settings().currentBoard->layers[1].dThickness, 20e-6, 1e-12);
    typeAndEnter("2e1"); // the same value again: the shown form too
    EXPECT_EQ(board.text(2, kColThickness), "20");
    // Escape after Shift or Ctrl gives back the text from before the edit.
    typeAsKeyboard(board.view, "7");
    ASSERT_NE(board.view.openEditor(), nullptr);
    for (const Qt::Key modifier : {Qt::Key_Control, Qt::Key_Shift}) { // pressed and released alone
        QTest::keyPress(board.view.openEditor(), modifier);
        QTest::keyRelease(board.view.openEditor(), modifier);
    }
    ASSERT_NE(board.view.openEditor(), nullptr);
    QTest::keyClick(board.view.openEditor(), Qt::Key_Escape);
    EXPECT_EQ(std::tuple(board.view.openEditor(), board.text(2, kColThickness)), std::tuple(nullptr, QString("20")));

    typeAndEnter("-5"); // the sign is refused, the rest replaces
    EXPECT_EQ(board.text(2, kColThickness), "5");
    for (const Qt::Key opener : {Qt::Key_F2, Qt::Key_Return}) {
        QTest::keyClick(&board.view, opener);
        typeAndEnter("0");
    }
    EXPECT_EQ(board.text(2, kColThickness), "500");

    // A double click as the window system reports it: press, release, double click, release.
    const QPoint cell = board.view.visualRect(board.at(1, kColLayerName)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                    QEvent::MouseButtonRelease})
        sendMouse(board.view.viewport(), type, cell, type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton);
    typeAndEnter("x");
    EXPECT_EQ(board.text(1, kColLayerName), "ART_03x");
}

TEST(GridView, AColourPickedReachesTheLayerAndThePictureAtOnce)
{
    GridOnScreen board;
    int pictureUpdates = 0;
    board.grid->setHooks({[&pictureUpdates] { ++pictureUpdates; }, nullptr, nullptr});
    board.platform.colourAnswers = {0x123456u};
    const QRect cell = board.view.visualRect(board.at(1, kColColor));
    board.click(1, kColColor); // the cell becomes current
    QTest::mouseClick(board.view.viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 3, cell.center().y()));
    EXPECT_EQ(std::tuple(board.instance.settings().currentBoard->layers[0].crColor, pictureUpdates), std::tuple(0x123456u, 1));
}

TEST(GridView, RowsDraggedByTheirHeaderMoveTheLayersAndTheSelectionFollowsTheCore)
{
    GridOnScreen board;
    QWidget* rows = board.view.verticalHeader()->viewport();
    auto upperPartOf = [&](int32_t row) {
        return QPoint(rows->width() / 2, board.view.verticalHeader()->sectionViewportPosition(row - 1) + 2);
    };
    sendMouse(rows, QEvent::MouseButtonPress, upperPartOf(3), Qt::LeftButton);
    EXPECT_EQ(board.grid->cells().selectedRows(), (std::vector<int32_t>{3}));
    sendMouse(rows, QEvent::MouseMove, upperPartOf(2), Qt::LeftButton);
    sendMouse(rows, QEvent::MouseMove, upperPartOf(1), Qt::LeftButton);
    sendMouse(rows, QEvent::MouseButtonRelease, upperPartOf(1), Qt::NoButton);

    EXPECT_EQ(board.names(), (std::vector<std::string>{"Inner", "Top", "Core", "Prepreg", "Bottom"}));
    EXPECT_EQ(board.text(1, kColLayerName), "Inner");
    for (int row = 0; row < board.view.model()->rowCount(); ++row)
        EXPECT_EQ(board.view.selectionModel()->isRowSelected(row, {}), board.grid->cells().rowSelected(row + 1)) << row;

    // A click without a drag on the selected row keeps it selected alone.
    sendMouse(rows, QEvent::MouseButtonPress, upperPartOf(4), Qt::LeftButton);
    sendMouse(rows, QEvent::MouseButtonRelease, upperPartOf(4), Qt::NoButton);
    EXPECT_EQ(board.grid->cells().selectedRows(), (std::vector<int32_t>{4}));
}

TEST(GridView, NoDropLineWhereTheDrillPairsRefuseTheMove)
{
    GridOnScreen board;
    // A drill pair through Top and Core: nothing undrilled may land between them.
    std::vector<DrillSpanSet>& spans = board.instance.settings().currentBoard->drillSpans;
    spans.assign(5, DrillSpanSet());
    for (DrillSpanSet& set : spans)
        set.resetTo(1);
    spans[0].set(0);
    spans[1].set(0);
    auto* header = static_cast<QtGridRowHeader*>(board.view.verticalHeader());
    QWidget* rows = header->viewport();
    auto at = [&](int32_t row, int dy) { return QPoint(rows->width() / 2, header->sectionViewportPosition(row - 1) + dy); };

    sendMouse(rows, QEvent::MouseButtonPress, at(3, 2), Qt::LeftButton);
    sendMouse(rows, QEvent::MouseMove, at(4, header->sectionSize(3) - 2), Qt::LeftButton);
    EXPECT_GE(header->dropLine(), 0) << "below Prepreg the move is allowed";
    sendMouse(rows, QEvent::MouseMove, at(2, 2), Qt::LeftButton);
    EXPECT_EQ(header->dropLine(), -1) << "between Top and Core it is not";
    sendMouse(rows, QEvent::MouseButtonRelease, at(2, 2), Qt::NoButton);
    EXPECT_EQ(board.names(), (std::vector<std::string>{"Top", "Core", "Inner", "Prepreg", "Bottom"}));
}

} // namespace
} // namespace lm::qt
