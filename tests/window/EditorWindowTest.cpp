// The editor window driven as a host drives it: only lm* functions, widgets
// found by object name, commands by the id their QAction carries.
#include "HostedEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTabBar>
#include <QToolBar>

using namespace window_test;

namespace {

struct LoadOnlyArchive : ILMArchiveCallback {
    int32_t Perform(int32_t) override { return 0; }
    bool IsSupported(int32_t operation) override { return operation == LM_ARCHIVE_LOAD; }
};

uint32_t lastCommandOf(QMenu* menu)
{
    const QList<QAction*> actions = menu->actions();
    return actions.isEmpty() ? 0 : actions.back()->data().toUInt();
}

} // namespace

TEST(EditorWindow, ModelessWindowIsBuiltFromTheTablesAndAppliesWithCodeOne)
{
    Host host;
    lmSetCurrentBoard(host.instance, 2);
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, "ctx"));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Laminar");
    EXPECT_EQ(lmGetChanges(host.instance, false), 0u);

    auto* tabs = editor->findChild<QTabBar*>("tabControl");
    auto* boards = editor->findChild<QComboBox*>("boardList");
    ASSERT_TRUE(tabs && boards);
    EXPECT_EQ(tabs->count(), 5);
    EXPECT_EQ(boards->count(), 2);
    EXPECT_EQ(boards->currentIndex(), 1);
    EXPECT_NE(editor->findChild<QToolBar*>("toolBar"), nullptr);
    EXPECT_NE(editor->findChild<QWidget*>("layerGrid"), nullptr);
    EXPECT_NE(editor->findChild<QWidget*>("stackupPicture"), nullptr);
    EXPECT_FALSE(editor->findChild<QCheckBox*>("1046")->isVisible()); // default caps do not offer it

    // View > Split: stacked, then side by side again, each time with new panes.
    commandAction(editor, 32776)->trigger();
    EXPECT_EQ(editor->findChild<QSplitter*>()->orientation(), Qt::Vertical);
    EXPECT_NE(editor->findChild<QWidget*>("layerGrid"), nullptr);
    commandAction(editor, 32775)->trigger();
    EXPECT_EQ(editor->findChild<QSplitter*>()->orientation(), Qt::Horizontal);

    // The Custom View tab brings its property bar with the Customize button.
    tabs->setCurrentIndex(4);
    EXPECT_NE(editor->findChild<QWidget*>("1009"), nullptr);
    emit boards->activated(0);
    EXPECT_EQ(lmGetCurrentBoard(host.instance), 1);

    // The tool bar is updated on idle: Print offered, the split already chosen not.
    auto* toolBar = editor->findChild<QToolBar*>("toolBar");
    const auto printOnSplitOff = [&] {
        for (QAction* action : toolBar->actions()) {
            const uint32_t id = action->data().toUInt();
            if ((id == 32830 && !action->isEnabled()) || (id == 32775 && action->isEnabled()))
                return false;
        }
        return true;
    };
    EXPECT_TRUE(spinUntil(printOnSplitOff));

    lmExitInstance(host.instance, true);
    EXPECT_EQ(closeCalls, (std::vector<std::pair<int32_t, std::string>>{{1, "ctx"}}));
    EXPECT_EQ(editorWindow(), nullptr);
}

TEST(EditorWindow, DiscardAsksOnlyWhenSomethingChanged)
{
    Host host;
    std::vector<std::string> questions;
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, "a"));
    answerNextMessage(QMessageBox::No, questions);
    lmExitInstance(host.instance, false);
    spin(20);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(closeCalls, (std::vector<std::pair<int32_t, std::string>>{{2, "a"}}));

    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, "b"));
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    // A board the grid does not show: its rows would write the shown board back.
    lmGetStackup(host.instance, 2, &layers, &count);
    layers[1].dThickness *= 2;
    // The close box asks; No keeps the window open.
    answerNextMessage(QMessageBox::No, questions);
    editorWindow()->close();
    EXPECT_EQ(questions.size(), 1u);
    ASSERT_NE(editorWindow(), nullptr);
    // Escape asks again; Yes closes.
    answerNextMessage(QMessageBox::Yes, questions);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editorWindow(), &escape);
    EXPECT_EQ(questions.size(), 2u);
    spin(20);
    EXPECT_EQ(editorWindow(), nullptr);
    EXPECT_EQ(closeCalls.back(), (std::pair<int32_t, std::string>{2, "b"}));
    EXPECT_NE(lmGetChanges(host.instance, false), 0u); // the edited layers stay
}

TEST(EditorWindow, ModalRunReturnsWhetherApplied)
{
    Host host;
    QTimer::singleShot(0, [&] { lmExitInstance(host.instance, true); });
    EXPECT_TRUE(lmRunModal(host.instance));
    // Ctrl+F4 is Apply & Close, Alt+F4 Discard & Close.
    QTimer::singleShot(0, [] {
        QKeyEvent discard(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
        QApplication::sendEvent(editorWindow(), &discard);
    });
    EXPECT_FALSE(lmRunModal(host.instance));
    QTimer::singleShot(0, [] {
        QKeyEvent apply(QEvent::KeyPress, Qt::Key_F4, Qt::ControlModifier);
        QApplication::sendEvent(editorWindow()->findChild<QWidget*>("layerGrid"), &apply);
    });
    EXPECT_TRUE(lmRunModal(host.instance));
    EXPECT_TRUE(closeCalls.empty()); // a modal run has no close function
    spin(20);
    EXPECT_EQ(editorWindow(), nullptr);
}

TEST(EditorWindow, TitleFileMenuAndCheckBoxFollowTheHost)
{
    Host host;
    lmSetCaps(host.instance, 0xC0, 0xC0);
    lmSetTitle(host.instance, "Stackup of B_001");
    ASSERT_TRUE(lmRunNonModal(host.instance, &recordClose, ""));
    QDialog* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Stackup of B_001");
    lmSetTitle(host.instance, "");
    EXPECT_EQ(editor->windowTitle(), "");
    auto* keepInSync = editor->findChild<QCheckBox*>("1046");
    EXPECT_TRUE(keepInSync->isVisible() && keepInSync->isChecked());

    QMenu* file = editor->findChild<QMenuBar*>()->actions().front()->menu();
    EXPECT_EQ(lastCommandOf(file), 57602u); // no callback: no archive items
    LoadOnlyArchive archive;
    lmSetArchiveCallback(host.instance, &archive);
    EXPECT_EQ(lastCommandOf(file), 57601u);

    // Opening a popup enables only what some target carries out.
    emit file->aboutToShow();
    EXPECT_TRUE(commandAction(file, 32830)->isEnabled());
    EXPECT_TRUE(commandAction(file, 32771)->isEnabled());

    // Freeing the instance takes the window with it, without a close call.
    lmFreeInstance(host.instance);
    host.instance = lmInitInstance(nullptr, 0);
    EXPECT_EQ(editorWindow(), nullptr);
    EXPECT_TRUE(closeCalls.empty());
}
