#include "document/Z0Calls.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lm {
namespace {

double valueOrNone(double value) { return std::isfinite(value) ? value : 0.0; }

} // namespace

std::vector<double> Z0Calls::stackupZ0(int32_t boardId, std::size_t layerCount) const
{
    std::vector<double> z0(layerCount, 0.0);
    if (!calculator_ || layerCount == 0)
        return z0;
    try {
        calculator_->CalcStackupZ0(boardId, 0, z0.data());
    } catch (...) {
        // Whatever it wrote before it threw is not an answer.
        std::fill(z0.begin(), z0.end(), 0.0);
    }
    std::transform(z0.begin(), z0.end(), z0.begin(), valueOrNone);
    return z0;
}

double Z0Calls::solveTraceGeometry(const LMLAYEREX& layer, double knownDimension, bool differential,
                                   bool solveForSeparation) const
{
    if (!calculator_)
        return 0.0;
    try {
        return valueOrNone(calculator_->SolveTraceGeometry(&layer, knownDimension, differential, solveForSeparation));
    } catch (...) {
        return 0.0;
    }
}

void Z0Calls::applyAutoEr(LMLAYEREX& layer) const
{
    if (!calculator_)
        return;
    const LMLAYEREX before = layer;
    try {
        calculator_->ApplyAutoEr(&layer);
    } catch (...) {
        layer = before;
    }
}

bool Z0Calls::calcLoss(int32_t boardId, int32_t layerIndex, const std::vector<double>& frequencies, Loss& loss) const
{
    const std::size_t count = frequencies.size();
    const std::array outputs{&loss.resistance, &loss.attenuation, &loss.resistiveAttenuation,
                             &loss.dielectricAttenuation};
    for (std::vector<double>* out : outputs)
        out->assign(count, 0.0);
    if (!calculator_ || count == 0)
        return false;
    bool filled = false;
    try {
        filled = calculator_->CalcLoss(boardId, layerIndex, static_cast<int32_t>(count), frequencies.data(),
                                       outputs[0]->data(), outputs[1]->data(), outputs[2]->data(), outputs[3]->data());
    } catch (...) {
        filled = false;
    }
    if (!filled)
        for (std::vector<double>* out : outputs)
            std::fill(out->begin(), out->end(), 0.0); // half-filled curves are no curves
    return filled;
}

} // namespace lm
