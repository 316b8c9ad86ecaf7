#pragma once
// The fixed catalogues that give a layer record's coded fields their meaning:
// texts of types, usages, technologies, metals and pour styles, the default
// layer of each usage, column applicability, metal properties and the choice
// lists of the grid's drop-down cells.
#include "model/LayerRecord.h"

#include <span>
#include <string>
#include <string_view>

namespace lm {

enum class Catalogue { Type, Usage, Technology, Metal, PourDrawStyle };

// Rows are scanned last to first; no match gives an empty text / -1.
std::string_view catalogueText(Catalogue catalogue, int32_t value);
int32_t catalogueValue(Catalogue catalogue, std::string_view text);

// The default record of a usage; an unknown usage gives the signal default.
const LMLAYEREX& defaultLayer(int32_t usage);

// Columns that carry a value for a layer of this usage, in their listed order.
std::span<const int32_t> applicableColumns(int32_t usage);
bool columnApplies(int32_t usage, int32_t columnId);

struct MetalProperties {
    double bulkResistivity; // ohm-metres
    double tempCoef;        // 1/degC
    double weightFactor;    // grams per square metre of area per metre of thickness
};
// Custom metal (6) and unknown values use copper's row.
const MetalProperties& metalProperties(int32_t metal);
// The rows of the real metals; a row's position is its metal value (0-5).
std::span<const MetalProperties> metalPropertyTable();

enum class ChoiceList { Types, MetalUsages, RigidDielectricUsages, FlexDielectricUsages, Technologies, Metals, PourDrawStyles };
// Texts joined by '\n' in list order, leaving out excluded values except the first row.
std::string choiceList(ChoiceList list, std::span<const int32_t> excludedValues = {});

// A metal layer handed in without a metal becomes custom, or the catalogue metal
// whose resistivity and temperature coefficient match within 1e-6 relative.
void identifyMetal(LMLAYEREX& layer);

// Naming and colouring over a stackup; an index past its end raises LMInvalidArgument.
std::string firstFreeAutomaticName(std::span<const LMLAYEREX> layers);
std::string uniqueName(std::span<const LMLAYEREX> layers, std::size_t index);
uint32_t uniqueColor(std::span<const LMLAYEREX> layers, std::size_t index);
// "<Unnamed>" for an empty name in printed and listed output.
std::string displayName(const LMLAYEREX& layer);

} // namespace lm
