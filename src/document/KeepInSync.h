#pragma once
// "Keep Layers in Sync": while in force, a layer keeps the name, type and
// usage the host gave it (the grid makes Type and Usage read-only); switching
// the check box on gives edited layers their host identity back.
#include "document/Boards.h"

#include <functional>

namespace lm {

struct EditorDocument;

// The check box is shown only with capability bit 0x80, and then starts
// checked when bit 0x40 is set.
struct KeepInSyncCheckBox {
    bool shown = false;
    bool checked = false;
};
KeepInSyncCheckBox keepInSyncCheckBox(uint32_t caps);

// In force with bit 0x40, unless the check box is shown (bit 0x80) and unchecked.
bool keepInSyncInForce(uint32_t caps, bool checkBoxChecked);

// Every board whose layer count is still that of its snapshot (paired by
// position) gets name, type and usage of each layer back from the snapshot,
// and technology and metal too where the type had changed.
void restoreLayerIdentities(BoardList& boards, const BoardList& snapshot);

struct KeepInSyncViews {
    std::function<void()> updatePanes;    // both panes run UpdateView
    std::function<void()> rewriteGridRows; // the grid re-evaluates every row
};

// Command 1046: the flag takes the check box state. Checked: the boards are
// restored from the snapshot taken at opening and the panes updated;
// unchecked: the grid rewrites its rows.
void onKeepInSyncToggled(EditorDocument& document, bool checked, const KeepInSyncViews& views);

} // namespace lm
