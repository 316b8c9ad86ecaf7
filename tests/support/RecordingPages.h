#pragma once
// Pages and drawings as tests see them: every page a recording canvas, the
// scaled canvases for measuring only. Header-only.
#include "platform/Printing.h"
#include "RecordingCanvas.h"

#include <deque>

namespace lm::test {

class RecordingPages : public PageSink {
public:
    explicit RecordingPages(Size page = {800, 1000}) : size_(page) {}

    std::deque<RecordingCanvas> pages{1}; // deque: canvases stay where they are

    Canvas& canvas() override { return pages.back(); }
    Size pageSize() override { return size_; }
    void newPage() override { pages.emplace_back(); }
    Canvas& screenCanvas(int32_t) override { return screen_; }

    // Every text drawn on page p, in order.
    std::vector<std::string> texts(std::size_t p) const { return pages.at(p).texts(); }

private:
    Size size_;
    RecordingCanvas screen_;
};

} // namespace lm::test
