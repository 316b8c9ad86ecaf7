#include "grid/StoreLayersCmd.h"

#include "document/Board.h"

#include <memory>

namespace lm {

CStoreLayers::CStoreLayers(LMEDITSETTINGS& settings) : settings_(&settings)
{
    const MBSTACKUPENTRY* board = settings.currentBoard;
    if (!board)
        return;
    layers_ = board->layers;
    for (LMLAYEREX& layer : layers_)
        layer.pDrillSpans = 0;
    // The board keeps spans parallel to its layers; a short list means empty sets.
    drillSpans_.resize(layers_.size());
    for (std::size_t i = 0; i < layers_.size() && i < board->drillSpans.size(); ++i)
        drillSpans_[i] = board->drillSpans[i];
}

bool CStoreLayers::ApplyCommand(UndoStack& history, CommandType type)
{
    history.record(std::make_unique<CStoreLayers>(*settings_), type);
    restore();
    return true;
}

void CStoreLayers::restore() const
{
    MBSTACKUPENTRY* board = settings_->currentBoard;
    if (!board)
        return;
    board->layers = layers_;
    board->drillSpans = drillSpans_;
}

bool recordStructuralEdit(UndoStack& history, LMEDITSETTINGS& settings, GridEditFlags& flags,
                          const std::function<bool()>& edit)
{
    UndoGroupGuard group(history);
    auto before = std::make_unique<CStoreLayers>(settings);
    bool done = false;
    try {
        done = edit();
    } catch (...) {
        before->restore();
        throw;
    }
    if (!done) {
        before->restore();
        return false;
    }
    history.record(std::move(before), CommandType::Do);
    group.commit();
    flags.markAllChanged();
    return true;
}

} // namespace lm
