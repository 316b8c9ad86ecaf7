#include "grid/GridFrameTexts.h"

#include "model/LayerRecord.h"
#include "model/Units.h"
#include "document/TabDescr.h"
#include "res/Strings.h"

#include <cstdio>

namespace lm {

std::span<const int32_t> gridColumnIds() { return columnCatalogueOrder(); }

std::string columnHeaderText(int32_t columnId, const LMEDITSETTINGS& settings)
{
    // The planning target reads as the pair's impedance when planning for a pair.
    std::string text(columnId == kColTargetZ0 && plansForDiffPair(settings) ? res::loadString(res::IDS_COLUMN_DIFF_Z0)
                                                                             : columnTitle(columnId));
    const std::string unit = columnUnitText(columnId, settings.currentUnit(), settings.metalThicknessAs);
    if (!unit.empty())
        text.append("\n").append(unit);
    return text;
}

std::string rowHeaderText(std::size_t row)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%lu", static_cast<unsigned long>(row));
    return buffer;
}

} // namespace lm
