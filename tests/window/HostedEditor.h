#pragma once
// A host of the component: an instance with two valid boards, a close
// function that records its calls, the editor window found as a host's test
// tool finds it, by object name, and keys and clicks sent as the window
// system sends them.
#include <laminar/laminar.h>

#include "QtInput.h"
#include "SampleStackup.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace window_test {

inline std::vector<std::pair<int32_t, std::string>> closeCalls;

inline void LMCALLBACK recordClose(int32_t code, const char* context) { closeCalls.emplace_back(code, context); }

using lm::test::validStackup;

struct Host {
    LMHANDLE instance = lmInitInstance(nullptr, 0);

    Host()
    {
        closeCalls.clear();
        for (int32_t board : {1, 2}) {
            const std::vector<LMLAYEREX> layers = validStackup(board * 10);
            lmAddStackup(instance, board, board == 1 ? "B_001" : "B_002", layers.data(),
                         static_cast<int32_t>(layers.size()));
        }
    }
    ~Host() { lmFreeInstance(instance); }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
};

// Runs the event loop until done() holds or the time is up; whether it held.
// Idle passes come late on a loaded machine, so tests wait for their effect.
template <typename Done>
bool spinUntil(Done done, int milliseconds = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Runs the event loop for a while, so that idle passes and deferred deletions happen.
inline void spin(int milliseconds = 120)
{
    spinUntil([] { return false; }, milliseconds);
}

// The editor window on screen, or null.
inline QDialog* editorWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("Quorvex Laminar") && widget->isVisible())
            return qobject_cast<QDialog*>(widget);
    return nullptr;
}

// Opens the editor modeless on `board` (0: the instance's current one) and
// lets its first idle passes run; the window, or null when it did not open.
inline QDialog* openEditor(Host& host, int32_t board = 0, const char* context = "")
{
    if (board != 0)
        lmSetCurrentBoard(host.instance, board);
    if (!lmRunNonModal(host.instance, &recordClose, context))
        return nullptr;
    spin();
    return editorWindow();
}

inline QTableView* layerGrid(QWidget* editor)
{
    return editor != nullptr ? editor->findChild<QTableView*>("layerGrid") : nullptr;
}

inline std::vector<LMLAYEREX> layersOf(LMHANDLE instance, int32_t board)
{
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    lmGetStackup(instance, board, &layers, &count);
    return {layers, layers + count};
}

inline void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

// A press and a release of the left button at `at`.
inline void click(QWidget* target, const QPoint& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    lm::test::sendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    lm::test::sendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton, modifiers);
}

// A click on a cell, which gives the grid the focus as a real mouse's click does.
inline void clickCell(QTableView* grid, const QModelIndex& index)
{
    grid->setFocus();
    grid->scrollTo(index);
    click(grid->viewport(), grid->visualRect(index).center());
}

// The grid model's column whose header starts with `title` (headers carry the unit on a second line).
inline int columnTitled(const QAbstractItemModel& model, const QString& title)
{
    for (int column = 0; column < model.columnCount(); ++column)
        if (model.headerData(column, Qt::Horizontal).toString().startsWith(title))
            return column;
    return -1;
}

inline QAction* commandAction(QWidget* window, uint32_t id)
{
    for (QAction* action : window->findChildren<QAction*>())
        if (action->data().toUInt() == id)
            return action;
    return nullptr;
}

// Answers the next message box with `button` once it is up; records its text.
inline void answerNextMessage(QMessageBox::StandardButton button, std::vector<std::string>& texts)
{
    QTimer::singleShot(0, [button, &texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts.push_back(box->text().toStdString());
            box->button(button)->click();
        }
    });
}

} // namespace window_test
