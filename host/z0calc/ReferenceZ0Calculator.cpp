#include "CrossSection.h"
#include "FieldSolver.h"
#include "LayerKinds.h"
#include "LineLoss.h"
#include "LineModel.h"
#include "TraceSolver.h"

#include <laminar/z0calc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace lmz0 {
namespace {

double finiteOrZero(double value) { return std::isfinite(value) && value > 0.0 ? value : 0.0; }

struct Board {
    const LMLAYEREX* layers = nullptr;
    int32_t count = 0;
};

std::optional<Board> boardOf(LMHANDLE instance, int32_t boardId)
{
    Board board;
    LMLAYEREX* layers = nullptr;
    try {
        lmGetStackup(instance, boardId, &layers, &board.count);
    } catch (const LMInvalidArgument&) {
        return std::nullopt;
    }
    board.layers = layers;
    if (!board.layers || board.count <= 0) return std::nullopt;
    return board;
}

struct Located {
    Board board;
    int32_t index = -1;
};

// The editor passes its own record of a current-board layer, or a copy of it;
// a copy is found by its id and name.
std::optional<Located> locate(LMHANDLE instance, const LMLAYEREX* layer)
{
    const std::optional<Board> board = boardOf(instance, lmGetCurrentBoard(instance));
    if (!board || !layer) return std::nullopt;
    const auto* first = board->layers;
    for (int32_t i = 0; i < board->count; ++i)
        if (first + i == layer) return Located{*board, i};
    for (int32_t i = board->count - 1; i >= 0; --i)
        if (first[i].nId == layer->nId && std::strncmp(first[i].szName, layer->szName, sizeof layer->szName) == 0)
            return Located{*board, i};
    return std::nullopt;
}

double singleZ0(const CrossSection& section, double w)
{
    if (section.structure == Structure::None || !isPositive(w)) return 0.0;
    return finiteOrZero(fieldSolvedLine(section, w, 0.0).z());
}

// The dielectric next to layer `index` one step away, Plating layers skipped.
const LMLAYEREX* neighbour(const Board& board, int32_t index, int32_t step)
{
    for (int32_t i = index + step; i >= 0 && i < board.count; i += step)
        if (!isPlating(board.layers[i])) return &board.layers[i];
    return nullptr;
}

bool isDielectric(const LMLAYEREX* layer) { return layer && !isMetal(*layer); }

Dielectric materialOf(const LMLAYEREX& layer) { return {0.0, layer.dEr, layer.dLossTangent, layer.dErFrequency}; }

// A solder mask with nothing beyond it: the coat of an outer layer.
bool isOuterMask(const Board& board, const LMLAYEREX* layer, int32_t step)
{
    return isDielectric(layer) && layer->nUsage == LM_USAGE_SOLDER_MASK &&
           !neighbour(board, static_cast<int32_t>(layer - board.layers), step);
}

// What fills between the traces of a metal layer: on an outer layer its solder
// mask, or air without one; inside, the prepreg next to it (the upper one
// first), else the dielectric above, else the one below.
std::optional<Dielectric> fillOf(const Board& board, int32_t index)
{
    const LMLAYEREX* above = neighbour(board, index, -1);
    const LMLAYEREX* below = neighbour(board, index, +1);
    if (!above || !below) return Dielectric{};
    if (isOuterMask(board, above, -1)) return materialOf(*above);
    if (isOuterMask(board, below, +1)) return materialOf(*below);
    for (const LMLAYEREX* candidate : {above, below})
        if (isDielectric(candidate) && candidate->nTechnology == LM_TECH_PREPREG) return materialOf(*candidate);
    for (const LMLAYEREX* candidate : {above, below})
        if (isDielectric(candidate)) return materialOf(*candidate);
    return std::nullopt;
}

} // namespace

const char* structureName(Structure structure)
{
    switch (structure) {
    case Structure::Microstrip: return "microstrip";
    case Structure::EmbeddedMicrostrip: return "embedded microstrip";
    case Structure::Stripline: return "stripline";
    case Structure::OffsetStripline: return "offset stripline";
    case Structure::None: break;
    }
    return "none";
}

LayerImpedance analyseLayer(const LMLAYEREX* layers, int32_t count, int32_t index)
{
    LayerImpedance result;
    const CrossSection section = crossSectionOf(layers, count, index);
    if (section.structure == Structure::None) return result;
    const LMLAYEREX& layer = layers[index];
    result.structure = section.structure;
    result.h1 = section.h1();
    result.h2 = section.h2();
    if (isPositive(layer.dTestWidth)) {
        const Mode mode = fieldSolvedLine(section, layer.dTestWidth, 0.0);
        result.z0 = finiteOrZero(mode.z());
        result.erEff = result.z0 > 0.0 ? mode.erEff : 0.0;
    }
    if (isPositive(layer.dWidth) && isPositive(layer.dGap))
        result.zdiff = finiteOrZero(2.0 * fieldSolvedLine(section, layer.dWidth, layer.dGap).z());
    return result;
}

ReferenceZ0Calculator::ReferenceZ0Calculator(LMHANDLE instance, LossOptions loss) : instance_(instance), loss_(loss) {}

void ReferenceZ0Calculator::Reserved0() {}

bool ReferenceZ0Calculator::CalcStackupZ0(int32_t boardId, int32_t, double* z0PerLayer)
{
    const std::optional<Board> board = boardOf(instance_, boardId);
    if (!board || !z0PerLayer) return false;
    for (int32_t i = 0; i < board->count; ++i)
        z0PerLayer[i] = singleZ0(crossSectionOf(board->layers, board->count, i), board->layers[i].dTestWidth);
    return true;
}

double ReferenceZ0Calculator::SolveTraceGeometry(const LMLAYEREX* layer, double knownDimension, bool differential,
                                                 bool solveForSeparation)
{
    const std::optional<Located> where = locate(instance_, layer);
    if (!where) return 0.0;
    const CrossSection section = crossSectionOf(where->board.layers, where->board.count, where->index, *layer);
    if (section.structure == Structure::None) return 0.0;
    const double target = layer->dTargetZ0;
    if (!differential) return widthForZ0(section, target);
    if (!solveForSeparation) return widthForZdiff(section, target, knownDimension);
    return gapForZdiff(section, target, knownDimension);
}

void ReferenceZ0Calculator::ApplyAutoEr(LMLAYEREX* layer)
{
    const std::optional<Located> where = locate(instance_, layer);
    if (!where || !isMetal(*layer) || isPlating(*layer)) return;
    if (const std::optional<Dielectric> fill = fillOf(where->board, where->index)) {
        layer->dEr = fill->er;
        layer->dLossTangent = fill->tanDelta;
    }
}

bool ReferenceZ0Calculator::CalcLoss(int32_t boardId, int32_t layerIndex, int32_t pointCount, const double* frequencies,
                                     double* resistance, double* attenuation, double* resistiveAttenuation,
                                     double* dielectricAttenuation)
{
    if (pointCount <= 0 || !frequencies || !resistance || !attenuation || !resistiveAttenuation ||
        !dielectricAttenuation)
        return false;
    const std::optional<Board> board = boardOf(instance_, boardId);
    if (!board || layerIndex < 0 || layerIndex >= board->count) return false;
    const LMLAYEREX& layer = board->layers[layerIndex];
    const LineLoss line(crossSectionOf(board->layers, board->count, layerIndex), layer.dTestWidth, loss_);
    if (!line.valid() || !std::all_of(frequencies, frequencies + pointCount, isPositive)) return false;
    for (int32_t i = 0; i < pointCount; ++i) {
        const LossPoint point = line.at(frequencies[i]);
        resistance[i] = point.resistance;
        attenuation[i] = point.attenuation;
        resistiveAttenuation[i] = point.resistiveAttenuation;
        dielectricAttenuation[i] = point.dielectricAttenuation;
    }
    return true;
}

} // namespace lmz0
