#pragma once
// What a column of the layer grid means for a layer, shared by the grid's
// presentation, its editing and the read-only text table: which columns carry
// numbers, which stay editable under the read-only capability, the role of the
// planning columns, the usage texts the catalogue lacks, and the cell colours.
#include <laminar/laminar.h>

#include "document/EditSettings.h"
#include "model/LayerRecord.h"

#include <string>
#include <string_view>

namespace lm {

constexpr uint32_t kCellWhite = rgb(255, 255, 255);
constexpr uint32_t kCellSilver = rgb(192, 192, 192);      // not applicable
constexpr uint32_t kCellLightBlue = rgb(200, 218, 238);   // read-only and computed

constexpr std::string_view kAutoText = "<Auto>";
constexpr std::string_view kViewButtonText = "View...";

// Thickness, Er, Bulk R, T coef, Loss Tangent, Test Width, Target Z0, Width, Gap.
bool isNumericColumn(int32_t columnId);
// The Loss Tangent and Loss Curve columns carry values.
bool lossColumnsOn(uint32_t caps);
// Under the read-only capability only appearance and planning stay editable.
bool editableWhenReadOnly(int32_t columnId, uint32_t caps);

enum class PlanningRole { Entered, Computed, NotApplicable, Button };
// What the Width, Gap and Z0 Curve cells are for the planning mode and strategy.
PlanningRole planningRole(int32_t columnId, const LMEDITSETTINGS& settings);
// The entered planning dimension read back from the grid: Width when solving a
// pair for separation, Gap when solving it for width, none (-1) otherwise.
int32_t enteredPlanningColumn(const LMEDITSETTINGS& settings);
// The column the refresh solves into: Width (when shown) for a single trace or a
// pair solved for width, else Gap (when shown) for a pair solved for
// separation, else none (-1; solving for both shows the curve instead).
int32_t computedPlanningColumn(const LMEDITSETTINGS& settings, bool widthShown, bool gapShown);
// What the calculator is told for a layer's planning solve: the known
// dimension (dWidth when a pair is solved for separation, dGap otherwise) and
// the two flags. A single trace is planned as "solve for width", whatever
// strategy is stored for pairs, as the property bar shows it.
struct PlanningSolve {
    double knownDimension = 0.0;
    bool differential = false;
    bool solveForSeparation = false;
};
PlanningSolve planningSolveFor(const LMLAYEREX& layer, const LMEDITSETTINGS& settings);

// Usage texts, including the split/mixed plane and the flooded signal that only
// a host hands in and that the catalogue has no row for; -1 for an unknown text.
std::string usageText(int32_t usage);
int32_t usageValue(std::string_view text);

// Substrate, rigid and flexible dielectrics carry a technology.
bool hasTechnology(int32_t usage);
// Copper to platinum: the metal table gives its resistivity and temperature coefficient.
bool isCatalogueMetal(int32_t metal);

} // namespace lm
