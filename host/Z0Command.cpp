#include "Z0Command.h"

#include "BoardFileCommand.h"
#include "CheckCommand.h"
#include "InstanceBoards.h"
#include "BoardFile.h"

#include <laminar/laminar.h>
#include <laminar/z0calc.h>

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace lmhost {
namespace {

struct Z0Options {
    std::string file;
    std::optional<int32_t> board;
    bool json = false;
};

struct LayerRow {
    int32_t board = 0;
    int32_t index = 0;
    std::string name;
    lmz0::LayerImpedance impedance;
};

Z0Options parseZ0Options(std::span<const std::string> args)
{
    Z0Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--board") {
            if (i + 1 == args.size()) throw std::invalid_argument("--board needs a board id");
            const std::string& text = args[++i];
            int32_t id = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
            if (error != std::errc() || end != text.data() + text.size())
                throw std::invalid_argument("--board needs a whole number, not \"" + text + "\"");
            options.board = id;
        } else if (options.file.empty() && !arg.starts_with("--")) {
            options.file = arg;
        } else {
            throw std::invalid_argument("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.file.empty()) throw std::invalid_argument("z0 needs a stackup file");
    return options;
}

std::string nameOf(const LMLAYEREX& layer)
{
    return std::string(layer.szName, strnlen(layer.szName, sizeof layer.szName));
}

// The boards go into an editor instance and are read back as the calculator
// reads them: through lmGetStackup.
std::vector<LayerRow> rowsOf(const std::vector<BoardStackup>& boards, std::optional<int32_t> only)
{
    Instance instance(lmInitInstance(nullptr, 0));
    if (!instance) throw std::runtime_error("the editor instance could not be created");
    addBoards(instance.get(), boards);
    std::vector<LayerRow> rows;
    for (const BoardStackup& board : boards) {
        if (only && board.id != *only) continue;
        LMLAYEREX* layers = nullptr;
        int32_t count = 0;
        lmGetStackup(instance.get(), board.id, &layers, &count);
        for (int32_t i = 0; i < count; ++i)
            if (lmz0::isConductorLayer(layers[i]))
                rows.push_back({board.id, i, nameOf(layers[i]), lmz0::analyseLayer(layers, count, i)});
    }
    return rows;
}

void printText(const std::vector<LayerRow>& rows, std::ostream& out)
{
    out << "board\tindex\tname\tstructure\th1\th2\ter_eff\tz0\tzdiff\n";
    char numbers[160];
    for (const LayerRow& row : rows) {
        const lmz0::LayerImpedance& z = row.impedance;
        std::snprintf(numbers, sizeof numbers, "%.6g\t%.6g\t%.4f\t%.2f\t%.2f", z.h1, z.h2, z.erEff, z.z0, z.zdiff);
        out << row.board << '\t' << row.index << '\t' << row.name << '\t' << lmz0::structureName(z.structure) << '\t'
            << numbers << '\n';
    }
}

void printJson(const std::vector<LayerRow>& rows, std::ostream& out)
{
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const LayerRow& row : rows) {
        const lmz0::LayerImpedance& z = row.impedance;
        array.push_back({{"board", row.board},
                         {"index", row.index},
                         {"name", row.name},
                         {"structure", lmz0::structureName(z.structure)},
                         {"h1", z.h1},
                         {"h2", z.h2},
                         {"er_eff", z.erEff},
                         {"z0", z.z0},
                         {"zdiff", z.zdiff}});
    }
    out << array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

} // namespace

int printLayerImpedances(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    Z0Options options;
    try {
        options = parseZ0Options(args);
    } catch (const std::invalid_argument& error) {
        err << "laminar z0: " << error.what() << '\n';
        return kExitBadInput;
    }
    return onBoardFile(options.file, options.board, err, [&](const StackupDocument& document) {
        const std::vector<LayerRow> rows = rowsOf(document.boards, options.board);
        options.json ? printJson(rows, out) : printText(rows, out);
        return kExitClean;
    });
}

} // namespace lmhost
