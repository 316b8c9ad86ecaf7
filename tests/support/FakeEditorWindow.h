#pragma once
// An editor window that only records what the instance asks of it.
// Header-only, shared by the core's tests.
#include "HeadlessPlatform.h"
#include "document/EditSettings.h"
#include "ui/EditorWindow.h"

#include <algorithm>
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

    int count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }

    void commitPendingEdit() override { record("commitPendingEdit", onCommit); }
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
        finishedApplied = applied;
        record(applied ? "finish(applied)" : "finish(discarded)", onFinish);
    }
    void setTitle(std::string_view text) override
    {
        record("setTitle");
        title = text;
    }
    void rebuildFileMenu() override { record("rebuildFileMenu"); }

private:
    void record(const std::string& call, const std::function<void()>& then = nullptr)
    {
        calls.push_back(call);
        if (log_)
            log_->push_back(call);
        if (then)
            then();
    }

    EventLog* log_;
};

} // namespace lm::test
