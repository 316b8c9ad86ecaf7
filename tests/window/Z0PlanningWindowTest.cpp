// Z0 planning in the editor window as a host sees it: its own calculator set
// with lmSetZ0Calculator, the Z0 Planning tab chosen on the tab bar, the plan
// switched on the real property bar, Apply as Test Width pressed, and the
// test widths read back with lmGetStackup after Apply & Close.
#include "HostedEditor.h"
#include "ScriptedZ0Calculator.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>

using namespace window_test;

namespace {

// A closed drop-down list takes the arrow key as a user's choice.
void chooseNext(QComboBox* list)
{
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &down);
}

QString cellText(const QAbstractItemModel& model, int row, const QString& column)
{
    return model.data(model.index(row, columnTitled(model, column))).toString();
}

std::vector<double> testWidths(LMHANDLE instance, int32_t board)
{
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    lmGetStackup(instance, board, &layers, &count);
    std::vector<double> widths;
    for (int32_t i = 0; i < count; ++i)
        widths.push_back(layers[i].dTestWidth);
    return widths;
}

} // namespace

TEST(Z0PlanningWindow, PlannedWidthsBecomeTestWidthsOfTheLayersTheHostReads)
{
    Host host;
    lm::test::ScriptedZ0Calculator calculator;
    calculator.z0 = {49.96, 0.0, 0.0, 0.0, 61.0}; // one per layer of the board
    calculator.solved = {{"Top", 120e-6}, {"Bottom", 130e-6}};
    calculator.throwing = {"Plane"}; // the host's bug: the editor shows <Error> and goes on
    lmSetZ0Calculator(host.instance, &calculator);
    ASSERT_EQ(lmGetZ0Calculator(host.instance), &calculator);
    lmSetCaps(host.instance, LM_CAP_DIFF_PAIR_PLANNING, LM_CAP_DIFF_PAIR_PLANNING);
    lmSetCurrentBoard(host.instance, 1);
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    auto* grid = editor->findChild<QTableView*>("layerGrid");
    ASSERT_NE(grid, nullptr);
    const QAbstractItemModel& model = *grid->model();

    // The first tab shows Z0: rounded to one decimal, or the error of a throwing call.
    ASSERT_TRUE(spinUntil([&] { return cellText(model, 0, "Z0\n") == "50"; }));
    EXPECT_EQ(cellText(model, 4, "Z0\n"), "61");

    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->tabText(3), "Z0 Planning");
    tabs->setCurrentIndex(3);
    ASSERT_TRUE(spinUntil([&] { return cellText(model, 0, "Width") == "120"; }));
    EXPECT_EQ(cellText(model, 2, "Width"), "<Error>");

    // A differential pair, solved for width (the list's next choice after separation).
    auto* planFor = editor->findChild<QComboBox*>("1022");
    auto* strategy = editor->findChild<QComboBox*>("1020");
    ASSERT_TRUE(planFor && strategy);
    chooseNext(planFor);
    ASSERT_EQ(planFor->currentText(), "Differential pair");
    EXPECT_TRUE(strategy->isEnabled());
    EXPECT_GE(columnTitled(model, "Diff Z0"), 0) << "the Target Z0 header follows the plan";
    chooseNext(strategy);
    ASSERT_EQ(strategy->currentText(), "Solve for width");
    ASSERT_TRUE(spinUntil([&] {
        return calculator.calls.back() == "Solve Top 0 pair=1 sep=0"; // the gap of a zeroed record is known
    }));
    ASSERT_TRUE(spinUntil([&] { return cellText(model, 4, "Width") == "130"; }));

    auto* apply = editor->findChild<QPushButton*>("1007");
    ASSERT_NE(apply, nullptr);
    ASSERT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_TRUE(spinUntil([&] { return cellText(model, 0, "Test Width") == "120"; }));

    auto* ok = editor->findChild<QPushButton*>("1");
    ASSERT_NE(ok, nullptr);
    ok->click();
    ASSERT_TRUE(spinUntil([] { return editorWindow() == nullptr; }));
    EXPECT_EQ(closeCalls, (std::vector<std::pair<int32_t, std::string>>{{1, ""}}));
    const std::vector<double> widths = testWidths(host.instance, 1);
    ASSERT_EQ(widths.size(), 5u);
    EXPECT_NEAR(widths[0], 120e-6, 1e-12);
    EXPECT_EQ(widths[2], 0.0) << "the <Error> row keeps its test width";
    EXPECT_NEAR(widths[4], 130e-6, 1e-12);
    EXPECT_TRUE(lmGetChanges(host.instance, false) & 0x4) << "a Z0-planning change";
}
