#pragma once
// An impedance calculator whose answers a test scripts and whose calls it
// records, in order, as short texts ("ApplyAutoEr Top", "CalcStackupZ0 1 0",
// "Solve Top 254 pair=0 sep=0" with the known dimension in micrometres).
// Header-only, shared by the core's tests, the window tests and the benchmarks.
#include <laminar/laminar.h>

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace lm::test {

class ScriptedZ0Calculator : public IZ0Calculator {
public:
    std::vector<std::string> calls;
    bool recording = true; // a benchmark turns the log off
    // CalcStackupZ0 writes these into the caller's array; a test gives one per layer of the board.
    std::vector<double> z0;
    // SolveTraceGeometry answers by layer name, else `solvedOtherwise` (metres); `solve`, when
    // set, answers instead from the call's number (from 1) and known dimension.
    std::map<std::string, double> solved;
    double solvedOtherwise = 100e-6;
    std::function<double(int call, double known)> solve;
    std::vector<double> known; // every known dimension SolveTraceGeometry was given, in metres
    // CalcLoss fills the resistance and the attenuations from the frequencies when set; else it has no data.
    std::function<bool(const double* f, double* r, double* a, double* ar, double* ad)> loss;
    double autoEr = 3.9; // ApplyAutoEr sets this Er and a loss tangent of 0.015
    // Calls that throw: "CalcStackupZ0", or a layer name for its Solve and ApplyAutoEr.
    std::set<std::string> throwing;
    // Whether every CalcStackupZ0 found its array zero-filled.
    bool arraysZeroFilled = true;

    void Reserved0() override { record("Reserved0"); }

    bool CalcStackupZ0(int32_t boardId, int32_t reserved, double* z0PerLayer) override
    {
        record("CalcStackupZ0 " + std::to_string(boardId) + " " + std::to_string(reserved));
        for (std::size_t i = 0; i < z0.size(); ++i)
            arraysZeroFilled = arraysZeroFilled && z0PerLayer[i] == 0.0;
        for (std::size_t i = 0; i < z0.size(); ++i) {
            if (throwing.count("CalcStackupZ0") && i == z0.size() / 2)
                throw std::runtime_error("the field solver gave up"); // half the array written
            z0PerLayer[i] = z0[i];
        }
        return true;
    }

    double SolveTraceGeometry(const LMLAYEREX* layer, double knownDimension, bool differential,
                              bool solveForSeparation) override
    {
        const std::string name = layer->szName;
        char micrometres[32];
        std::snprintf(micrometres, sizeof(micrometres), "%g", knownDimension * 1e6);
        record("Solve " + name + " " + micrometres + " pair=" + std::to_string(differential) +
               " sep=" + std::to_string(solveForSeparation));
        if (throwing.count(name))
            throw std::runtime_error("no solution");
        if (recording)
            known.push_back(knownDimension);
        if (solve)
            return solve(static_cast<int>(known.size()), knownDimension);
        const auto it = solved.find(name);
        return it != solved.end() ? it->second : solvedOtherwise;
    }

    void ApplyAutoEr(LMLAYEREX* layer) override
    {
        const std::string name = layer->szName;
        record("ApplyAutoEr " + name);
        layer->dEr = autoEr;
        if (throwing.count(name))
            throw std::runtime_error("no neighbours"); // after a half-done change
        layer->dLossTangent = 0.015;
    }

    bool CalcLoss(int32_t boardId, int32_t layerIndex, int32_t pointCount, const double* f, double* r, double* a,
                  double* ar, double* ad) override
    {
        record("CalcLoss " + std::to_string(boardId) + " " + std::to_string(layerIndex) + " " +
               std::to_string(pointCount));
        return loss && loss(f, r, a, ar, ad);
    }

private:
    void record(std::string call)
    {
        if (recording)
            calls.push_back(std::move(call));
    }
};

} // namespace lm::test
