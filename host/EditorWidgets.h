#pragma once
// Finding the editor's window the way a host or an accessibility tool does:
// by object name, through the Qt application the component brought up.
class QWidget;

namespace lmhost {

// The visible top-level editor dialog ("Quorvex Laminar"), or null.
QWidget* visibleEditorDialog();
// The window a host dialog should sit over: the active one, else the editor.
QWidget* parentForHostDialogs();
// Runs the event loop for about `milliseconds`, so the window can show, lay
// itself out and do its idle work.
void processEventsFor(int milliseconds);

} // namespace lmhost
