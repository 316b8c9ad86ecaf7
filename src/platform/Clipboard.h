#pragma once
// What the editor puts on the desktop's clipboard and reads back from it.
#include <cstddef>
#include <string>
#include <vector>

namespace lm {

// One copy: every format at once, so that each reader takes the one it knows.
struct ClipboardData {
    std::string text;                  // plain text, UTF-8; empty: none
    std::string html;                  // the same as an HTML table; empty: none
    std::vector<std::byte> layerRows;  // the layer-rows block; empty: none
};

// The formats on the clipboard, as a paste must know them before reading.
struct ClipboardFormats {
    bool text = false;
    bool layerRows = false;
};

} // namespace lm
