// The editor window's size and look as a user meets it: the first run shows
// the tab's columns beside the picture, a stored placement fits the screen,
// the smallest window overlaps nothing, the property-bar labels show their
// whole texts in a small and a large font, and the window has its icon.
#include "HostedEditor.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>

using namespace window_test;

namespace {

constexpr uint32_t kCapsWithCheckBox = 0x13C | 0x80;

// A label whose text needs more lines than its height holds shows only part of it.
void expectWholeLabels(QWidget* editor, const QString& when)
{
    for (QLabel* label : editor->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->objectName() == QLatin1String("1012"))
            continue; // the status line wraps by design
        EXPECT_LE(label->heightForWidth(label->width()), label->height())
            << label->text().toStdString() << " in a box of " << label->width() << " pixels, " << when.toStdString();
    }
}

} // namespace

TEST(WindowGeometry, FirstRunShowsTheBasicColumnsBesideThePictureWithinTheScreen)
{
    Host host;
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    spin();
    auto* grid = editor->findChild<QTableView*>("layerGrid");
    ASSERT_NE(grid, nullptr);
    const QRect screen = editor->screen()->availableGeometry();
    if (screen.width() >= 1600) { // a desktop's screen, not the offscreen platform's 800 x 600
        EXPECT_FALSE(grid->horizontalScrollBar()->isVisible()) << "the Basic tab's columns all show";
    }
    EXPECT_GT(editor->findChild<QWidget*>("stackupPicture")->width(), 200);
    EXPECT_LE(editor->width(), screen.width());
    EXPECT_LE(editor->height(), screen.height());
    EXPECT_FALSE(editor->windowIcon().isNull());
    lmExitInstance(host.instance, false);
}

TEST(WindowGeometry, StoredPlacementLargerThanTheScreenIsFittedIntoIt)
{
    Host host;
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    const QRect screen = editor->screen()->availableGeometry();
    // Stored on a larger screen (or at a larger scale): wider and taller than this one.
    editor->setGeometry(screen.left() + 100, screen.top() + 100, screen.width() * 3 / 2, screen.height() * 3 / 2);
    spin();
    lmExitInstance(host.instance, false);

    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    spin();
    const QRect placed = editor->frameGeometry();
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "x"
                                         << placed.height() << " minimum " << editor->minimumWidth() << "x"
                                         << editor->minimumHeight() << " on " << screen.width() << "x"
                                         << screen.height();
    lmExitInstance(host.instance, false);
}

TEST(WindowGeometry, SmallestWindowOverlapsNothing)
{
    Host host;
    lmSetCaps(host.instance, 0xFFFFFFFFu, kCapsWithCheckBox);
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    editor->resize(300, 200); // the window keeps its minimum
    spin();
    const QRect check = editor->findChild<QCheckBox*>("1046")->geometry();
    const QRect tabs = editor->findChild<QTabBar*>("tabControl")->geometry();
    for (const char* button : {"1", "2", "9"}) {
        const QRect rect = editor->findChild<QPushButton*>(button)->geometry();
        EXPECT_FALSE(rect.intersects(check)) << button;
        EXPECT_FALSE(rect.intersects(tabs)) << button;
        EXPECT_TRUE(editor->rect().contains(rect)) << button;
    }
    lmExitInstance(host.instance, false);
}

TEST(WindowGeometry, PropertyBarLabelsShowTheirWholeTextInSmallAndLargeFonts)
{
    Host host;
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    const QFont normal = editor->font();
    // 96 dpi, then the same point size at 144 dpi: half as many pixels again.
    for (const double scale : {1.0, 1.5}) {
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        editor->setFont(font);
        editor->resize(editor->width() + 1, editor->height()); // lays the bars out again
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            spin(40);
            expectWholeLabels(editor, QStringLiteral("tab %1 at %2x").arg(tab).arg(scale));
        }
    }
    lmExitInstance(host.instance, false);
}
