#include "EditorSetup.h"

#include "InstanceBoards.h"

#include <cstdlib>
#include <ostream>
#include <string_view>

namespace lmhost {
namespace {

constexpr int32_t kFirstRigidFlexUsage = LM_USAGE_RIGID; // then Flexible, Adhesive, Cover Layer
constexpr int32_t kLastRigidFlexUsage = LM_USAGE_STIFFENER;

constexpr double kMetresPerMil = 25.4e-6;
constexpr double kGramsPerOunce = 28.349523125;

template <std::size_t N>
void copyText(char (&field)[N], std::string_view text)
{
    text.substr(0, N - 1).copy(field, N - 1);
}

LMUNIT unit(std::string_view name, std::string_view length, std::string_view weight, double lengthFactor,
            int32_t lengthDigits, double weightFactor, int32_t weightDigits)
{
    LMUNIT unit{};
    copyText(unit.szName, name);
    copyText(unit.szLengthUnit, length);
    copyText(unit.szWeightUnit, weight);
    unit.dLengthFactor = lengthFactor;
    unit.nLengthDigits = lengthDigits;
    unit.dWeightFactor = weightFactor;
    unit.nWeightDigits = weightDigits;
    return unit;
}

} // namespace

std::array<LMUNIT, 2> hostUnits()
{
    // Digits: 0.1 um and 0.01 mil (0.25 um) resolve half-ounce foil and thin
    // masks; weights round to 0.1 g and 0.01 oz (1 oz copper shows as 28.3 and 1).
    return {unit("Metric", "um", "gram", 1e6, 1, 1.0, 1),
            unit("Imperial", "mils", "oz", 1.0 / kMetresPerMil, 2, 1.0 / kGramsPerOunce, 2)};
}

bool usesRigidFlexUsages(std::span<const BoardStackup> boards)
{
    for (const BoardStackup& board : boards)
        for (const LMLAYEREX& layer : board.layers)
            if (layer.nUsage >= kFirstRigidFlexUsage && layer.nUsage <= kLastRigidFlexUsage) return true;
    return false;
}

uint32_t capabilitiesFor(std::span<const BoardStackup> boards)
{
    return kHostCaps | (usesRigidFlexUsages(boards) ? LM_CAP_RIGID_FLEX : 0u);
}

bool restoreUserPreferences(LMHANDLE instance, std::ostream& err)
{
    try {
        lmLoadFromRegistry(instance, false, nullptr, nullptr);
        return true;
    } catch (const LMInvalidArgument& refused) {
        err << "laminar: ignored the stored preferences, using the defaults: " << refused.what() << '\n';
        return false;
    }
}

void showFileName(LMHANDLE instance, const std::filesystem::path& file)
{
    const std::string name = file.filename().string();
    const char* user = std::getenv("USER");
    // Printing and copying put these into their output: the file, who, and where it lies.
    lmSetDesignInfo(instance, name.c_str(), user ? user : "", std::filesystem::absolute(file).string().c_str());
    lmSetTitle(instance, editorTitle(file, false).c_str());
}

std::string editorTitle(const std::filesystem::path& file, bool unsaved)
{
    return "Laminar - " + file.filename().string() + (unsaved ? "*" : "");
}

std::unique_ptr<KicadRulesCheck> setUpInstance(LMHANDLE instance, const StackupDocument& document,
                                               const std::string& helpFile, LMHELPPROC helpProc)
{
    const std::vector<BoardStackup>& boards = document.boards;
    const std::array<LMUNIT, 2> units = hostUnits();
    lmSetSupportedUnits(instance, units.data(), static_cast<int32_t>(units.size()));
    const LMSETTINGS settings{0, 0}; // Metric, metal thickness as a length
    lmSetSettings(instance, &settings);
    lmSetCaps(instance, 0xFFFFFFFFu, capabilitiesFor(boards));
    // Er as stated at 1 MHz, the frequency the file format assumes by default.
    const LMSIMPARM parm{1e6, 1, 0, {}};
    lmSetSimParm(instance, &parm);
    lmSetHelpInfo(instance, helpFile.c_str(), 0, 0, helpProc);
    showFileName(instance, document.file);
    addBoards(instance, boards);
    lmSetCurrentBoard(instance, boards.empty() ? -1 : boards.front().id);
    if (!document.kicad) return nullptr;
    auto check = std::make_unique<KicadRulesCheck>(*lmGetDRC(instance), document.kicad);
    lmSetDRC(instance, check.get());
    return check;
}

} // namespace lmhost
