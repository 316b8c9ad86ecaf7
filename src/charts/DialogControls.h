#pragma once
// What a graph dialog's behaviour asks of its window: its controls by their
// numeric ids, its title and its end. The Qt dialogs implement it over the
// widgets named by those ids; tests use a fake that keeps every state.
#include <cstdint>
#include <string>
#include <string_view>

namespace lm {

class DialogControls {
public:
    virtual ~DialogControls() = default;
    virtual void showControl(uint32_t id, bool shown) = 0;
    virtual void enableControl(uint32_t id, bool enabled) = 0;
    virtual void setControlText(uint32_t id, std::string_view text) = 0;
    virtual std::string controlText(uint32_t id) const = 0;
    virtual bool isChecked(uint32_t id) const = 0;
    virtual void setChecked(uint32_t id, bool checked) = 0;
    // A progress bar's position in its range.
    virtual void setProgress(uint32_t id, int32_t position) = 0;
    virtual void setTitle(std::string_view title) = 0;
    virtual std::string title() const = 0;
    // The focus goes to an edit box, its whole text selected and scrolled into view.
    virtual void focusAndSelect(uint32_t id) = 0;
    // The dialog ends with the cancel result.
    virtual void endDialog() = 0;
};

} // namespace lm
