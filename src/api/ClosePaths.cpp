// How a run of the editor window begins and ends, independent of the toolkit.
#include "api/EditorInstance.h"

#include "ui/EditorWindow.h"
#include "platform/Platform.h"
#include "res/Strings.h"

namespace lm {

void EditorInstance::openedWindow(EditorWindow& window, Platform& platform, LMCLOSEPROC closeProc,
                                  std::string_view context)
{
    window_ = &window;
    platform_ = &platform;
    closeProc_ = closeProc;
    closeContext_ = context;
    if (doc_.boards.empty())
        doc_.settings.currentBoard = nullptr;
    else
        doc_.showBoard(boardShownOnOpening(doc_.boards, doc_.settings.currentBoardId));
    doc_.boardsAtOpen = doc_.boards;
    boardsAtReset_ = doc_.boards;
}

void EditorInstance::windowDestroyed()
{
    if (!window_)
        return;
    window_->takeColumnWidths();
    window_->capturePlacement(doc_.placement);
    window_ = nullptr;
    platform_ = nullptr;
}

void EditorInstance::exitInstance(bool apply)
{
    if (!window_ || !platform_)
        return;
    if (apply)
        applyAndClose(*platform_);
    else
        discardAndClose(*platform_);
}

void EditorInstance::saveInstance()
{
    if (window_ && platform_)
        saveInstance(*platform_);
}

bool EditorInstance::boardsPassRulesCheck(Platform& platform)
{
    IDRC* drc = doc_.settings.drc;
    if (!drc)
        return true;
    for (std::size_t i = doc_.boards.size(); i-- > 0;) {
        const std::vector<LMLAYEREX>& layers = doc_.boards[i].layers;
        const char* message = nullptr; // a host checker may write it unasked
        const int32_t severity = drc->CheckStackup(layers.empty() ? nullptr : layers.data(),
                                                   static_cast<int32_t>(layers.size()), &message);
        if (severity == DRC_ERROR) {
            if (platform.messageBox(res::loadString(res::IDS_STILL_INVALID_PROCEED), MessageButtons::YesNo,
                                    MessageIcon::Question) != MessageAnswer::Yes)
                return false;
        } else if (severity == DRC_CRITICAL) {
            // The status line under the picture shows the finding while the message is up.
            if (window_)
                window_->refreshPicture();
            platform.messageBox(res::loadString(res::IDS_CRITICAL_NOT_SAVED), MessageButtons::Ok,
                                MessageIcon::Exclamation);
            return false;
        }
    }
    return true;
}

void EditorInstance::saveInstance(Platform& platform)
{
    if (!window_)
        return;
    window_->commitPendingEdit();
    boardsPassRulesCheck(platform);
}

bool EditorInstance::applyAndClose(Platform& platform)
{
    if (!window_ || finishing_)
        return false;
    window_->commitPendingEdit();
    if (!boardsPassRulesCheck(platform))
        return false;
    finishRun(true);
    return true;
}

bool EditorInstance::discardAndClose(Platform& platform)
{
    if (!window_ || finishing_)
        return false;
    window_->commitPendingEdit();
    if (boardsChangedSinceOpening() &&
        platform.messageBox(res::loadString(res::IDS_CHANGES_LOST), MessageButtons::YesNo, MessageIcon::Question) !=
            MessageAnswer::Yes)
        return false;
    window_->prepareGridForClose();
    finishRun(false);
    return true;
}

void EditorInstance::finishRun(bool applied)
{
    if (closeProc_) {
        finishing_ = true;
        // Whatever the host's function throws must not keep the window from closing.
        try {
            closeProc_(applied ? LM_CLOSE_APPLIED : LM_CLOSE_DISCARDED, closeContext_.c_str());
        } catch (...) {
        }
        finishing_ = false;
    }
    // The window may report its destruction from inside finish().
    if (EditorWindow* window = window_)
        window->finish(applied);
}

} // namespace lm
