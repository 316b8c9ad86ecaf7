// The editor window driven as a host drives it: only lm* functions, widgets
// found by object name, commands by the id their QAction carries; and its size
// as a user meets it.
#include "HostedEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>

#include <tuple>

using namespace window_test;

namespace {

using CloseCalls = std::vector<std::pair<int32_t, std::string>>;

struct LoadOnlyArchive : ILMArchiveCallback {
    int32_t Perform(int32_t) override { return 0; }
    bool IsSupported(int32_t operation) override { return operation == LM_ARCHIVE_LOAD; }
};

} // namespace

TEST(EditorWindow, ModelessWindowIsBuiltFromTheTablesAndAppliesWithCodeOne)
{
    Host host;
    QDialog* editor = openEditor(host, 2, "ctx");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(std::tuple(editor->windowTitle(), lmGetChanges(host.instance, false)), std::tuple("Laminar", 0u));

    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    auto* boards = editor->findChild<QComboBox*>("boardList");
    ASSERT_TRUE(tabs && boards);
    // The default caps do not offer the check box.
    EXPECT_EQ(std::tuple(tabs->count(), boards->count(), boards->currentIndex(), editor->findChild<QCheckBox*>("1046")->isVisible()),
              std::tuple(5, 2, 1, false));

    // View > Split: stacked, then side by side again, each time with new panes.
    commandAction(editor, 32776)->trigger();
    EXPECT_EQ(editor->findChild<QSplitter*>()->orientation(), Qt::Vertical);
    EXPECT_NE(layerGrid(editor), nullptr);
    commandAction(editor, 32775)->trigger();
    EXPECT_EQ(editor->findChild<QSplitter*>()->orientation(), Qt::Horizontal);

    emit boards->activated(0);
    EXPECT_EQ(lmGetCurrentBoard(host.instance), 1);

    lmExitInstance(host.instance, true);
    EXPECT_EQ(std::tuple(closeCalls, editorWindow()), std::tuple(CloseCalls{{1, "ctx"}}, nullptr));
}

TEST(EditorWindow, DiscardAsksOnlyWhenSomethingChanged)
{
    Host host;
    std::vector<std::string> questions;
    ASSERT_NE(openEditor(host, 0, "a"), nullptr);
    answerNextMessage(QMessageBox::No, questions);
    lmExitInstance(host.instance, false);
    spin(20);
    EXPECT_EQ(std::tuple(questions.size(), closeCalls), std::tuple(0u, CloseCalls{{2, "a"}}));

    ASSERT_NE(openEditor(host, 0, "b"), nullptr);
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    // A board the grid does not show: its rows would write the shown board back.
    lmGetStackup(host.instance, 2, &layers, &count);
    layers[1].dThickness *= 2;
    // The close box asks; No keeps the window open.
    answerNextMessage(QMessageBox::No, questions);
    editorWindow()->close();
    ASSERT_EQ(std::tuple(questions.size(), editorWindow() != nullptr), std::tuple(1u, true));
    // Escape asks again; Yes closes.
    answerNextMessage(QMessageBox::Yes, questions);
    press(editorWindow(), Qt::Key_Escape);
    EXPECT_EQ(questions.size(), 2u);
    spin(20);
    EXPECT_EQ(std::tuple(editorWindow(), closeCalls.back()), std::tuple(nullptr, CloseCalls::value_type{2, "b"}));
    EXPECT_NE(lmGetChanges(host.instance, false), 0u); // the edited layers stay
}

TEST(EditorWindow, ModalRunReturnsWhetherApplied)
{
    Host host;
    QTimer::singleShot(0, [&] { lmExitInstance(host.instance, true); });
    EXPECT_TRUE(lmRunModal(host.instance));
    // Ctrl+F4 is Apply & Close, Alt+F4 Discard & Close.
    QTimer::singleShot(0, [] { press(editorWindow(), Qt::Key_F4, Qt::AltModifier); });
    EXPECT_FALSE(lmRunModal(host.instance));
    QTimer::singleShot(0, [] { press(layerGrid(editorWindow()), Qt::Key_F4, Qt::ControlModifier); });
    EXPECT_TRUE(lmRunModal(host.instance));
    spin(20);
    EXPECT_EQ(std::tuple(closeCalls.size(), editorWindow()), std::tuple(0u, nullptr)); // a modal run has no close function
}

TEST(EditorWindow, TitleFileMenuAndCheckBoxFollowTheHost)
{
    Host host;
    lmSetCaps(host.instance, 0xC0, 0xC0);
    lmSetTitle(host.instance, "Stackup of B_001");
    QDialog* editor = openEditor(host);
    ASSERT_NE(editor, nullptr);
    const QString given = editor->windowTitle();
    lmSetTitle(host.instance, "");
    EXPECT_EQ(std::tuple(given, editor->windowTitle()), std::tuple("Stackup of B_001", ""));
    auto* keepInSync = editor->findChild<QCheckBox*>("1046");
    EXPECT_TRUE(keepInSync->isVisible() && keepInSync->isChecked());

    EXPECT_EQ(commandAction(editor, 57601), nullptr); // no callback: no File > Load
    LoadOnlyArchive archive;
    lmSetArchiveCallback(host.instance, &archive);
    EXPECT_NE(commandAction(editor, 57601), nullptr);

    // Freeing the instance takes the window with it, without a close call.
    lmFreeInstance(host.instance);
    host.instance = lmInitInstance(nullptr, 0);
    EXPECT_EQ(std::tuple(editorWindow(), closeCalls.size()), std::tuple(nullptr, 0u));
}

// The first run shows the tab's columns beside the picture within the screen;
// a placement stored on a larger screen is fitted into this one.
TEST(WindowGeometry, FirstRunAndAStoredPlacementLargerThanTheScreenFitIt)
{
    Host host;
    QDialog* editor = openEditor(host);
    ASSERT_NE(editor, nullptr);
    const QRect screen = editor->screen()->availableGeometry();
    if (screen.width() >= 1600) { // a desktop's screen, not the offscreen platform's 800 x 600
        EXPECT_FALSE(layerGrid(editor)->horizontalScrollBar()->isVisible()) << "the Basic tab's columns all show";
    }
    EXPECT_GT(editor->findChild<QWidget*>("stackupPicture")->width(), 200);
    EXPECT_TRUE(screen.contains(editor->frameGeometry())) << editor->width() << "x" << editor->height();
    EXPECT_FALSE(editor->windowIcon().isNull());

    editor->setGeometry(screen.left() + 100, screen.top() + 100, screen.width() * 3 / 2, screen.height() * 3 / 2);
    spin();
    lmExitInstance(host.instance, false);
    editor = openEditor(host);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(screen.contains(editor->frameGeometry()));
    lmExitInstance(host.instance, false);
}

TEST(WindowGeometry, LabelsShowWholeAtLargerFontsAndTheSmallestWindowOverlapsNothing)
{
    Host host;
    lmSetCaps(host.instance, 0xFFFFFFFFu, 0x13C | 0x80); // the default caps and the check box
    QDialog* editor = openEditor(host);
    ASSERT_NE(editor, nullptr);
    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    // The same point size at 96 and 144 dpi (half as many pixels again): no label is cut, on any tab.
    const QFont normal = editor->font();
    for (const double scale : {1.5, 1.0}) {
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        editor->setFont(font);
        editor->resize(editor->width() + 1, editor->height()); // lays the bars out again
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            spin(40);
            for (QLabel* label : editor->findChildren<QLabel*>()) {
                if (!label->isVisible() || label->text().isEmpty() || label->objectName() == QLatin1String("1012"))
                    continue; // the status line wraps by design
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << label->text().toStdString() << " in " << label->width() << " pixels, tab " << tab << " at " << scale;
            }
        }
    }

    editor->resize(300, 200); // the window keeps its minimum
    spin();
    const QRect check = editor->findChild<QCheckBox*>("1046")->geometry();
    for (const char* button : {"1", "2", "9"}) {
        const QRect rect = editor->findChild<QPushButton*>(button)->geometry();
        EXPECT_TRUE(!rect.intersects(check) && !rect.intersects(tabs->geometry()) && editor->rect().contains(rect))
            << button;
    }
    lmExitInstance(host.instance, false);
}
