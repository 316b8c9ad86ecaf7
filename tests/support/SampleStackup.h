#pragma once
// Small valid stackups built from the public header alone, for the window
// tests (through the built component) and the benchmarks. Header-only.
#include <laminar/laminar.h>

#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace lm::test {

// Signal, core, plane, prepreg, signal: nothing for the rules check to refuse.
inline std::vector<LMLAYEREX> validStackup(int32_t firstId)
{
    struct Row {
        const char* name;
        int32_t type, usage, technology, metal;
        double thickness;
    };
    const Row rows[] = {{"Top", 0, 0, -1, 0, 35e-6},
                        {"Core", 1, 5, 0, -1, 1.2e-3},
                        {"Plane", 0, 1, -1, 0, 35e-6},
                        {"Prepreg", 1, 5, 1, -1, 2e-4},
                        {"Bottom", 0, 0, -1, 0, 35e-6}};
    std::vector<LMLAYEREX> layers(std::size(rows));
    for (std::size_t i = 0; i < layers.size(); ++i) {
        LMLAYEREX& layer = layers[i];
        layer.nId = firstId + static_cast<int32_t>(i);
        std::strncpy(layer.szName, rows[i].name, sizeof layer.szName - 1);
        layer.nType = rows[i].type;
        layer.nUsage = rows[i].usage;
        layer.nTechnology = rows[i].technology;
        layer.nMetal = rows[i].metal;
        layer.dThickness = rows[i].thickness;
        layer.dEr = 4.3;
        layer.dErFrequency = 1e6;
        layer.dLossTangent = 0.02;
        layer.dBulkResistivity = 1.724e-8;
        layer.dTempCoef = 0.00393;
        layer.bVisible = 1;
    }
    return layers;
}

// The same with the prepreg on top: Top is a microstrip 0.2 mm over the plane,
// where a 100 ohm differential pair has widths between 25 um and 0.5 mm.
inline std::vector<LMLAYEREX> microstripPairStackup(int32_t firstId)
{
    std::vector<LMLAYEREX> layers = validStackup(firstId);
    std::swap(layers[1], layers[3]);
    for (LMLAYEREX& layer : layers) {
        layer.dTestWidth = 1.5e-4;
        layer.dWidth = 1.5e-4;
        layer.dGap = 2e-4;
        layer.dTargetZ0 = 100;
    }
    return layers;
}

} // namespace lm::test
