#pragma once
// The desktop on Qt: message boxes, the beep and the help viewer.
#include "platform/Platform.h"

#include <QPointer>
#include <QWidget>

namespace lm {

class QtPlatform : public Platform {
public:
    // The editor window that message boxes sit over; without one they sit
    // over whatever window is active.
    void setEditorWindow(QWidget* window) { editorWindow_ = window; }

    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon) override;
    void beep() override;
    // A generic viewer cannot go to a context id: the help file opens at its start.
    void showHelp(std::string_view helpFile, uint32_t contextId) override;
    std::optional<uint32_t> chooseColour(uint32_t initial) override;

private:
    QPointer<QWidget> editorWindow_;
};

} // namespace lm
