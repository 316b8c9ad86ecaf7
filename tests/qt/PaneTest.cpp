// Offscreen proofs of the panes' wiring: the property bar built from its
// template, the Er frequency field, the picture pane's status line, and the two
// small dialogs. The grid view has its own tests (GridViewTest.cpp).
#include "qt/QtAboutBox.h"
#include "qt/QtCustomizeDialog.h"
#include "qt/QtGridPane.h"
#include "qt/QtGridView.h"
#include "qt/QtPicturePane.h"

#include "LayerGridFixture.h"
#include "document/Board.h"
#include "res/CommandIds.h"
#include "ui/AboutBox.h"
#include "ui/CustomizeColumns.h"
#include "ui/PicturePaneState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace lm::qt {
namespace {

using test::layerOf;

// Signal, substrate, signal.
struct ThreeLayerBoard : test::GridFixture {
    ThreeLayerBoard() : GridFixture({layerOf(kSignal, "Top"), layerOf(kSubstrate), layerOf(kSignal, "Bottom")}) {}
};

// Lets `user` act on the modal dialog the code under test is about to open.
void whenModalShows(std::function<void(QWidget&)> user, int triesLeft = 200)
{
    QTimer::singleShot(5, [user, triesLeft] {
        if (QWidget* modal = QApplication::activeModalWidget())
            return user(*modal);
        if (triesLeft > 0)
            whenModalShows(user, triesLeft - 1);
    });
}

template <typename Widget>
Widget* named(const QWidget& parent, uint32_t id)
{
    return parent.findChild<Widget*>(QString::number(id));
}

TEST(GridPane, PropertyBarControlsByIdInsideThePaneAndOfferedCommands)
{
    ThreeLayerBoard board;
    QtGridPane pane(board.instance, board.platform, *board.grid, nullptr);
    pane.resize(900, 400);
    pane.show();

    auto* units = named<QComboBox>(pane, res::IDC_UNITS);
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(pane.control(res::IDC_UNITS), units);
    EXPECT_EQ(units->currentText(), "Metric");
    EXPECT_TRUE(pane.rect().contains(units->geometry()));
    EXPECT_LT(pane.gridView()->geometry().bottom(), units->geometry().top());
    EXPECT_TRUE(named<QLineEdit>(pane, res::IDC_ER_FREQUENCY)->isHidden()); // without the Er frequency capability

    std::vector<uint32_t> offered;
    pane.setCommandOffer([&](uint32_t id, uint32_t) {
        offered.push_back(id);
        return id == res::IDC_CUSTOMIZE;
    });
    named<QPushButton>(pane, res::IDC_CUSTOMIZE)->click();
    named<QCheckBox>(pane, res::IDC_AUTO_ER)->click(); // the window leaves it to the pane
    EXPECT_EQ(offered, (std::vector<uint32_t>{res::IDC_CUSTOMIZE, res::IDC_AUTO_ER}));
    EXPECT_FALSE(board.instance.settings().autoEr);

    pane.setPropertyBar(res::IDD_BAR_BASIC); // built while the pane shows
    EXPECT_TRUE(named<QLabel>(pane, res::IDC_UNITS_LABEL)->isVisible());
    EXPECT_EQ(pane.control(res::IDC_AUTO_ER), nullptr);
    EXPECT_EQ(named<QCheckBox>(pane, res::IDC_AUTO_ER), nullptr);
    EXPECT_NE(named<QComboBox>(pane, res::IDC_METAL_THICKNESS_AS), nullptr);
}

TEST(GridPane, ErFrequencyKeepsDigitsAndBeepsOnceForARefusedKey)
{
    ThreeLayerBoard board;
    board.instance.settings().caps |= kCapErFrequency;
    QtGridPane pane(board.instance, board.platform, *board.grid, nullptr);
    pane.show();
    auto* frequency = named<QLineEdit>(pane, res::IDC_ER_FREQUENCY);
    ASSERT_NE(frequency, nullptr);
    EXPECT_EQ(frequency->text(), "1");

    frequency->selectAll();
    QTest::keyClicks(frequency, "1a");
    EXPECT_EQ(frequency->text(), "1");
    EXPECT_EQ(frequency->cursorPosition(), 1);
    QTest::keyClicks(frequency, "0");
    EXPECT_EQ(frequency->text(), "10");
    EXPECT_EQ(board.platform.beeps, 1);
    EXPECT_DOUBLE_EQ(board.instance.settings().erFrequency, 1e7);
    for (const LMLAYEREX& layer : board.instance.settings().currentBoard->layers)
        EXPECT_DOUBLE_EQ(layer.dErFrequency, 1e7);
}

TEST(PicturePane, StatusLineAndTotalThickness)
{
    ThreeLayerBoard board;
    QtPicturePane pane(board.instance, nullptr);
    pane.resize(500, 300);
    pane.show();
    ASSERT_NE(pane.findChild<QWidget*>(QStringLiteral("stackupPicture")), nullptr);
    pane.updateView();

    const StatusLine expected = checkStatusLine(board.instance.settings());
    auto* status = named<QLabel>(pane, res::IDC_STATUS_LINE);
    EXPECT_EQ(status->text().toStdString(), expected.text);
    EXPECT_EQ(pane.severity(), expected.severity);
    EXPECT_TRUE(status->font().bold());
    EXPECT_EQ(status->geometry().right() + 1, pane.width() - status->geometry().left()); // stretched
    EXPECT_EQ(named<QLabel>(pane, res::IDC_TOTAL_THICKNESS)->text().toStdString(),
              totalThicknessText(board.instance.settings()));

    board.instance.setDrc(nullptr); // nothing checks: an empty black line
    pane.updateView();
    EXPECT_EQ(status->text(), "");
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(Qt::black));

    named<QCheckBox>(pane, res::IDC_DRAW_PROPORTIONALLY)->click();
    EXPECT_FALSE(board.instance.settings().drawProportionally);
}

TEST(PaneDialogs, CustomizeAcceptsWithOkAboutShowsTheVersion)
{
    CustomizeColumns columns(defaultTabs()[4]);
    whenModalShows([](QWidget& dialog) {
        auto* list = named<QListWidget>(dialog, res::IDC_COLUMN_LIST);
        list->item(0)->setCheckState(Qt::Unchecked);
        named<QPushButton>(dialog, res::IDC_MOVE_DOWN)->click();
        named<QPushButton>(dialog, res::IDOK)->click();
    });
    ASSERT_TRUE(runCustomizeDialog(nullptr, columns));
    EXPECT_EQ(columns.selection(), 1);
    EXPECT_EQ(columns.items()[1].columnId, kColVisible);
    EXPECT_FALSE(columns.items()[1].checked);

    whenModalShows([](QWidget& dialog) { named<QPushButton>(dialog, res::IDCANCEL)->click(); });
    EXPECT_FALSE(runCustomizeDialog(nullptr, columns));

    QString version;
    whenModalShows([&version](QWidget& box) {
        version = named<QLabel>(box, res::IDC_VERSION)->text();
        named<QPushButton>(box, res::IDOK)->click();
    });
    showAboutBox(nullptr);
    EXPECT_EQ(version.toStdString(), aboutVersionLine());
}

} // namespace
} // namespace lm::qt
