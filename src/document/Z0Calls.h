#pragma once
// The editor's calls of the host's impedance calculator. The calculator is the
// host's object, kept by pointer and never owned. Each call is made once and
// never retried. A call that throws is a fault of the host's calculator; it
// must not take the editor down, so it counts as the calculator's "no value"
// (0.0, or false), as does a result that is not a finite number.
#include <laminar/laminar.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lm {

class Z0Calls {
public:
    explicit Z0Calls(IZ0Calculator* calculator) : calculator_(calculator) {}

    // Without a calculator nothing is called and every value is "not available".
    bool present() const { return calculator_ != nullptr; }

    // CalcStackupZ0 for the board: one value per layer, zero-filled before the
    // call; all zeros when it throws.
    std::vector<double> stackupZ0(int32_t boardId, std::size_t layerCount) const;
    // The width (or, with both flags, the separation) meeting the layer's target Z0; 0.0 on failure.
    double solveTraceGeometry(const LMLAYEREX& layer, double knownDimension, bool differential,
                              bool solveForSeparation) const;
    // The calculator sets the layer's Er and loss tangent. A call that throws
    // leaves the record as it was before the call.
    void applyAutoEr(LMLAYEREX& layer) const;
    // CalcLoss over `frequencies`; the four outputs get the same length. False
    // when no loss can be computed (the outputs are then all zeros).
    struct Loss {
        std::vector<double> resistance, attenuation, resistiveAttenuation, dielectricAttenuation;
    };
    bool calcLoss(int32_t boardId, int32_t layerIndex, const std::vector<double>& frequencies, Loss& loss) const;

private:
    IZ0Calculator* calculator_;
};

} // namespace lm
