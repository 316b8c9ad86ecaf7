#include "document/KeepInSync.h"

#include "document/EditorDocument.h"

#include <algorithm>
#include <cstring>

namespace lm {

KeepInSyncCheckBox keepInSyncCheckBox(uint32_t caps)
{
    const bool shown = (caps & kCapKeepInSyncShown) != 0;
    return {shown, shown && (caps & kCapKeepInSyncInitial) != 0};
}

bool keepInSyncInForce(uint32_t caps, bool checkBoxChecked)
{
    return (caps & kCapKeepInSyncInitial) && (!(caps & kCapKeepInSyncShown) || checkBoxChecked);
}

void restoreLayerIdentities(BoardList& boards, const BoardList& snapshot)
{
    const std::size_t count = std::min(boards.size(), snapshot.size());
    for (std::size_t b = 0; b < count; ++b) {
        std::vector<LMLAYEREX>& layers = boards[b].layers;
        const std::vector<LMLAYEREX>& original = snapshot[b].layers;
        if (layers.size() != original.size())
            continue;
        for (std::size_t i = 0; i < layers.size(); ++i) {
            LMLAYEREX& layer = layers[i];
            const LMLAYEREX& was = original[i];
            if (layer.nType != was.nType) {
                layer.nTechnology = was.nTechnology;
                layer.nMetal = was.nMetal;
            }
            std::memcpy(layer.szName, was.szName, sizeof layer.szName);
            layer.nType = was.nType;
            layer.nUsage = was.nUsage;
        }
    }
}

void onKeepInSyncToggled(EditorDocument& document, bool checked, const KeepInSyncViews& views)
{
    document.settings.keepInSync = checked;
    if (checked) {
        restoreLayerIdentities(document.boards, document.boardsAtOpen);
        if (views.updatePanes)
            views.updatePanes();
    } else if (views.rewriteGridRows) {
        views.rewriteGridRows();
    }
}

} // namespace lm
