#pragma once
// An editor window that only records what the instance asks of it.
// Header-only, shared by the core's tests.
#include "HeadlessPlatform.h"
#include "api/EditSettings.h"
#include "api/EditorWindow.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lm::test {

class FakeEditorWindow : public EditorWindow {
public:
    explicit FakeEditorWindow(EventLog* log = nullptr) : log_(log) {}

    std::vector<std::string> calls;      // every call by name, in order
    std::optional<bool> finishedApplied; // set by finish()
    std::string title;
    WindowPlacement placementToReport;   // what capturePlacement hands out
    std::function<void()> onCommit;      // e.g. to play an edit of the pending cell
    std::function<void()> onFinish;      // e.g. to report the window's destruction

    int count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls)
            n += c == call ? 1 : 0;
        return n;
    }

    void commitPendingEdit() override
    {
        record("commitPendingEdit");
        if (onCommit)
            onCommit();
    }
    void refreshPicture() override { record("refreshPicture"); }
    void prepareGridForClose() override { record("prepareGridForClose"); }
    void takeColumnWidths() override { record("takeColumnWidths"); }
    void capturePlacement(WindowPlacement& placement) override
    {
        record("capturePlacement");
        placement = placementToReport;
    }
    void finish(bool applied) override
    {
        record(applied ? "finish(applied)" : "finish(discarded)");
        finishedApplied = applied;
        if (onFinish)
            onFinish();
    }
    void setTitle(std::string_view text) override
    {
        record("setTitle");
        title = text;
    }
    void rebuildFileMenu() override { record("rebuildFileMenu"); }

private:
    void record(const std::string& call)
    {
        calls.push_back(call);
        if (log_)
            log_->push_back(call);
    }

    EventLog* log_;
};

} // namespace lm::test
