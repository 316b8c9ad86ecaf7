// A minimal host of the Laminar component: it hands over one four-layer board,
// runs the component's rules check on it and prints the result.
//
//   stackup-check [CORE_THICKNESS_UM]    (default 1000; exit 1 on an error finding)
//
// Build against an installed Laminar with CMake (CMakeLists.txt beside this
// file) or with pkg-config:
//   c++ -std=c++17 main.cpp $(pkg-config --cflags --libs laminar) -o stackup-check
#include <laminar/laminar.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Usages: 0 signal, 1 plane (copper); 5 substrate (FR-4). Technology 0 core, 1 prepreg.
enum { kSignal = 0, kPlane = 1, kSubstrate = 5 };
enum { kCore = 0, kPrepreg = 1 };

LMLAYEREX layer(int32_t id, const char* name, int32_t usage, double thickness, int32_t technology = -1)
{
    LMLAYEREX record{};
    record.nId = id;
    std::strncpy(record.szName, name, sizeof record.szName - 1);
    record.nUsage = usage;
    record.dThickness = thickness;
    record.bVisible = 1;
    record.nTechnology = technology;
    if (usage != kSubstrate) { // copper
        record.nType = 0;
        record.nMetal = 0;
        record.dBulkResistivity = 1.724e-8;
        record.dTempCoef = 0.00393;
    } else {
        record.nType = 1;
        record.nMetal = -1;
        record.dEr = 4.5;
        record.dErFrequency = 1e6;
        record.dLossTangent = 0.02;
    }
    return record;
}

const char* severityName(int32_t severity)
{
    static const char* const names[] = {"OK", "WARNING", "ERROR", "CRITICAL"};
    return severity >= 0 && severity <= 3 ? names[severity] : "UNKNOWN";
}

} // namespace

int main(int argc, char** argv)
{
    const double coreMicrometres = argc > 1 ? std::atof(argv[1]) : 1000.0;
    const LMLAYEREX board[] = {
        layer(1, "Top", kSignal, 35e-6),
        layer(2, "Prepreg1", kSubstrate, 200e-6, kPrepreg),
        layer(3, "GND", kPlane, 35e-6),
        layer(4, "Core", kSubstrate, coreMicrometres * 1e-6, kCore),
        layer(5, "PWR", kPlane, 35e-6),
        layer(6, "Prepreg2", kSubstrate, 200e-6, kPrepreg),
        layer(7, "Bottom", kSignal, 35e-6),
    };

    LMHANDLE instance = lmInitInstance(nullptr, 0);
    if (!lmAddStackup(instance, 1, "Four layers", board, 7)) {
        std::fprintf(stderr, "stackup-check: the board was refused\n");
        lmFreeInstance(instance);
        return 2;
    }
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    lmGetStackup(instance, 1, &layers, &count);

    const char* message = nullptr;
    const int32_t severity = lmGetDRC(instance)->CheckStackup(layers, count, &message);
    std::printf("board 1 \"Four layers\", %d layers: %s - %s\n", static_cast<int>(count), severityName(severity),
                message ? message : "");
    lmFreeInstance(instance);
    return severity >= 2 ? 1 : 0;
}
