#include "document/ChangeFlags.h"

#include "model/LayerRecord.h"

#include <cmath>

namespace lm {

bool differsRelatively(double a, double b)
{
    if (a == 0.0 && b == 0.0)
        return false;
    // Written so that a NaN anywhere counts as a difference.
    return !(std::fabs(a - b) / (std::fabs(a) + std::fabs(b)) < 1e-6);
}

uint32_t layerChangeFlags(const LMLAYEREX& now, const LMLAYEREX& before)
{
    uint32_t flags = 0;
    // Thickness compares exactly: any change alters the impedances.
    if (now.nType != before.nType || now.nUsage != before.nUsage || now.nTechnology != before.nTechnology ||
        now.nMetal != before.nMetal || now.dThickness != before.dThickness ||
        differsRelatively(now.dEr, before.dEr) || differsRelatively(now.dErFrequency, before.dErFrequency) ||
        differsRelatively(now.dLossTangent, before.dLossTangent) ||
        differsRelatively(now.dHostParam1, before.dHostParam1) ||
        differsRelatively(now.dBulkResistivity, before.dBulkResistivity) ||
        differsRelatively(now.dTempCoef, before.dTempCoef))
        flags |= LM_CHANGE_ELECTRICAL;
    if (now.bVisible != before.bVisible || now.crColor != before.crColor ||
        layerName(now) != layerName(before) || now.nPourDrawStyle != before.nPourDrawStyle)
        flags |= LM_CHANGE_APPEARANCE;
    if (now.dTestWidth != before.dTestWidth || now.dTargetZ0 != before.dTargetZ0 || now.dWidth != before.dWidth ||
        now.dGap != before.dGap)
        flags |= LM_CHANGE_Z0_PLANNING;
    return flags;
}

uint32_t boardChangeFlags(const BoardList& boards, const BoardList& reference)
{
    if (reference.size() < boards.size())
        throw LMInvalidArgument("the change snapshot holds fewer boards than the instance");
    uint32_t flags = 0;
    for (std::size_t b = boards.size(); b-- > 0;) {
        const std::vector<LMLAYEREX>& now = boards[b].layers;
        const std::vector<LMLAYEREX>& before = reference[b].layers;
        if (now.size() != before.size()) {
            flags |= LM_CHANGE_ELECTRICAL;
            continue;
        }
        for (std::size_t i = now.size(); i-- > 0;)
            flags |= layerChangeFlags(now[i], before[i]);
    }
    return flags;
}

} // namespace lm
