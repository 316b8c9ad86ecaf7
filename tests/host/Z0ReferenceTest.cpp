// The calculator against field solutions of the same cross-sections
// (tests/host/data/z0-reference.csv, made by scripts/z0-reference/).
#include "Z0Stackups.h"

#include <laminar/z0calc.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lmz0::test {
namespace {

struct ReferenceCase {
    std::string id, group, structure, stackup;
    double w = 0.0, gap = 0.0, z = 0.0;
};

std::vector<ReferenceCase> referenceCases()
{
    std::vector<ReferenceCase> cases;
    std::ifstream file(LAMINAR_HOST_TEST_DATA "/z0-reference.csv");
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::stringstream row(line);
        ReferenceCase c;
        std::string w, gap, z;
        std::getline(row, c.id, ',');
        std::getline(row, c.group, ',');
        std::getline(row, c.structure, ',');
        std::getline(row, c.stackup, ',');
        std::getline(row, w, ',');
        std::getline(row, gap, ',');
        std::getline(row, z, ',');
        c.w = std::stod(w) * 1e-6;
        c.gap = std::stod(gap) * 1e-6;
        c.z = std::stod(z);
        cases.push_back(c);
    }
    return cases;
}

// The single-trace Z0, or the pair's Zdiff, that the calculator gives.
LayerImpedance calculated(const ReferenceCase& c)
{
    const std::vector<LMLAYEREX> layers = stackupOf(c.stackup, c.w, c.gap);
    return analyseLayer(layers.data(), static_cast<int32_t>(layers.size()), traceIndexOf(c.stackup));
}

// Plain cases within 1 %, mixed dielectrics within 2 %.
TEST(Z0Reference, EveryCaseWithinItsBoundOfTheFieldSolution)
{
    for (const ReferenceCase& c : referenceCases()) {
        const LayerImpedance result = calculated(c);
        const std::string expected = c.structure == "embedded" ? "embedded microstrip"
                                     : c.structure == "offset" ? "offset stripline"
                                                               : c.structure;
        EXPECT_EQ(structureName(result.structure), expected) << c.id;
        const double z = c.gap > 0.0 ? result.zdiff : result.z0;
        const double bound = c.group == "plain" ? 0.01 : 0.02;
        const double error = z / c.z - 1.0;
        EXPECT_LE(std::abs(error), bound) << c.id << " (" << c.group << "): " << z << " ohm against " << c.z
                                          << " ohm, " << 100.0 * error << " %";
        if (std::getenv("LAMINAR_Z0_TABLE"))
            std::printf("| %s | %s | %s | %.2f | %.2f | %+.2f %% |\n", c.id.c_str(), c.group.c_str(),
                        c.structure.c_str(), c.z, z, 100.0 * error);
    }
}

} // namespace
} // namespace lmz0::test
