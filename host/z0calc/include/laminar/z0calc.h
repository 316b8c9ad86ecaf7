/*
 * Laminar reference impedance and loss calculator: an IZ0Calculator a host can
 * hand to an editor instance (lmSetZ0Calculator). It reads the stackup of the
 * instance live through lmGetStackup, so it always sees the editor's edits.
 *
 * It needs only the public header laminar/laminar.h and the exported lm*
 * functions; link the CMake target laminar_z0calc.
 *
 * Lengths are metres, impedances ohms, frequencies hertz, as in IZ0Calculator.
 */
#ifndef LAMINAR_Z0CALC_H
#define LAMINAR_Z0CALC_H

#include <laminar/laminar.h>

#include <cstdint>

namespace lmz0 {

enum class Structure { None, Microstrip, EmbeddedMicrostrip, Stripline, OffsetStripline };

// "none", "microstrip", "embedded microstrip", "stripline", "offset stripline".
const char* structureName(Structure structure);

// What the calculator finds for one conductor layer of a board.
struct LayerImpedance {
    Structure structure = Structure::None;
    double h1 = 0.0;    // dielectric height to the reference plane (stripline: the plane below)
    double h2 = 0.0;    // stripline: height to the plane above; microstrip: dielectric over the trace
    double erEff = 0.0; // effective Er of a trace of the test width
    double z0 = 0.0;    // single trace of dTestWidth
    double zdiff = 0.0; // edge-coupled pair of dWidth traces dGap apart
};

// Operating conditions of the loss calculation.
struct LossOptions {
    double temperatureC = 20.0;     // the record's resistivity is stated at 20 degC
    double roughnessRms = 0.5e-6;   // copper surface roughness, metres rms
};

// Signal, Plane, Split/Mixed and Flooded Signal metal layers: the layers that carry traces.
bool isConductorLayer(const LMLAYEREX& layer);

// The analysis of layer `index` of a board given as an array of records (top
// first). Layers other than Signal, Plane, Split/Mixed and Flooded Signal, and
// layers without a reference plane, give structure None and zeros.
LayerImpedance analyseLayer(const LMLAYEREX* layers, int32_t count, int32_t index);

// The reference calculator over one editor instance. The instance must outlive it.
class ReferenceZ0Calculator final : public IZ0Calculator {
public:
    explicit ReferenceZ0Calculator(LMHANDLE instance, LossOptions loss = {});

    void Reserved0() override;
    bool CalcStackupZ0(int32_t boardId, int32_t reserved, double* z0PerLayer) override;
    double SolveTraceGeometry(const LMLAYEREX* layer, double knownDimension, bool differential,
                              bool solveForSeparation) override;
    void ApplyAutoEr(LMLAYEREX* layer) override;
    bool CalcLoss(int32_t boardId, int32_t layerIndex, int32_t pointCount, const double* frequencies,
                  double* resistance, double* attenuation, double* resistiveAttenuation,
                  double* dielectricAttenuation) override;

private:
    LMHANDLE instance_;
    LossOptions loss_;
};

} // namespace lmz0

#endif /* LAMINAR_Z0CALC_H */
