#include "ScreenshotCommand.h"

#include "EditorCommand.h"
#include "EditorSetup.h"
#include "EditorWidgets.h"
#include "HelpViewer.h"
#include "InstanceBoards.h"
#include "QtArchiveUi.h"

#include <laminar/z0calc.h>

#include <optional>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <ostream>

namespace lmhost {
namespace {

constexpr int kAppearTimeoutMs = 10000;
constexpr int kSettleMs = 200; // layout, idle work and repaint after each step

bool environmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// The host ends the run itself and writes nothing, so the close code changes nothing.
void LMCALLBACK windowClosed(int32_t, const char*) {}

QWidget* waitForEditorDialog()
{
    QElapsedTimer waited;
    waited.start();
    QWidget* dialog = visibleEditorDialog();
    while (!dialog && waited.elapsed() < kAppearTimeoutMs) {
        processEventsFor(20);
        dialog = visibleEditorDialog();
    }
    return dialog;
}

// The tab bar is named "tabControl"; a tab widget of that name is accepted too.
bool selectTab(QWidget& dialog, int index, std::ostream& err)
{
    int count = -1;
    if (auto* bar = dialog.findChild<QTabBar*>(QStringLiteral("tabControl"))) {
        count = bar->count();
        if (index < count) bar->setCurrentIndex(index);
    } else if (auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabControl"))) {
        count = tabs->count();
        if (index < count) tabs->setCurrentIndex(index);
    }
    if (count < 0) {
        err << "laminar: the editor window has no tab bar\n";
        return false;
    }
    if (index >= count) {
        err << "laminar: --tab " << index << ": the window shows tabs 0 to " << count - 1 << '\n';
        return false;
    }
    return true;
}

// Menu and tool bar share the command; a disabled one is already in force.
bool triggerCommand(QWidget& dialog, int commandId, std::ostream& err)
{
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->data().toInt() != commandId) continue;
        if (action->isEnabled()) action->trigger();
        return true;
    }
    err << "laminar: the editor window has no command " << commandId << '\n';
    return false;
}

int drawWindow(const EditorOptions& options, std::ostream& err)
{
    QPointer<QWidget> dialog = waitForEditorDialog();
    if (!dialog) {
        err << "laminar: the editor window did not appear\n";
        return kEditorFailed;
    }
    processEventsFor(kSettleMs);
    if (options.tab) {
        if (!dialog || !selectTab(*dialog, *options.tab, err)) return kEditorBadInput;
        processEventsFor(kSettleMs);
    }
    if (options.split) {
        if (!dialog || !triggerCommand(*dialog, static_cast<int>(*options.split), err)) return kEditorFailed;
        processEventsFor(kSettleMs);
    }
    const QPixmap picture = dialog ? dialog->grab() : QPixmap();
    if (picture.isNull() || !picture.save(QString::fromStdString(*options.screenshot), "PNG")) {
        err << "laminar: cannot write the screenshot " << *options.screenshot << '\n';
        return kEditorFailed;
    }
    return kEditorDone;
}

// A screenshot changes nothing, so closing asks nothing. Should the editor
// report changes all the same, its question is answered so the run cannot hang.
void closeWithoutChanges(LMHANDLE instance, std::ostream& err)
{
    QTimer answerer;
    if (const uint32_t changes = lmGetChanges(instance, false)) {
        err << "laminar: the editor reports changes (0x" << std::hex << changes << std::dec
            << ") after a screenshot; they are discarded\n";
        QObject::connect(&answerer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
        });
        answerer.start(100);
    }
    lmExitInstance(instance, false);
    answerer.stop();
    processEventsFor(50); // lets the window go before the instance is freed
}

} // namespace

void chooseOffscreenWithoutDisplay()
{
    if (!environmentSet("DISPLAY") && !environmentSet("WAYLAND_DISPLAY") && !environmentSet("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int takeScreenshot(const EditorOptions& options, const StackupDocument& document, std::ostream& out, std::ostream& err)
{
    QtArchiveUi ui;
    std::optional<lmz0::ReferenceZ0Calculator> calculator; // outlives the instance
    Instance instance(lmInitInstance(nullptr, 0));
    if (!instance) throw std::runtime_error("the editor instance could not be created");
    StackupArchive archive(instance.get(), document, ui, out);
    const auto hostCheck = setUpInstance(instance.get(), archive.documentRead(), locateUserGuide(), &openHelpFile);
    lmSetArchiveCallback(instance.get(), &archive);
    if (options.calculator) lmSetZ0Calculator(instance.get(), &calculator.emplace(instance.get()));
    // The user's window layout and tabs, but a picture never stores preferences.
    restoreUserPreferences(instance.get(), err);

    if (!lmRunNonModal(instance.get(), &windowClosed, "screenshot")) {
        err << "laminar: the editor window could not be opened\n";
        return kEditorFailed;
    }
    const int result = drawWindow(options, err);
    if (result == kEditorDone) out << "laminar: wrote screenshot " << *options.screenshot << '\n';
    closeWithoutChanges(instance.get(), err);
    return result;
}

} // namespace lmhost
