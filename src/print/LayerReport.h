#pragma once
// The printed layer report: header, optional schematic, and the chosen layers
// and columns as a list or as a table, laid out on the pages of a PageSink.
#include <laminar/laminar.h>

#include "document/EditSettings.h"
#include "document/EditorDocument.h"
#include "platform/Printing.h"
#include "print/PrintOptions.h"

#include <string>
#include <vector>

namespace lm {

// One column of the printed table. The header holds the title (broken at its
// first blank onto two lines when it is wider than every cell) and then the
// unit text when the column has one.
struct PRNCOLUMN {
    std::vector<std::string> header;
    std::vector<std::string> cells; // per printed layer, in stackup order
    int32_t width = 0;              // device units, set by measureColumns
};

// Whether a printed column carries a value for the layer: the grid's
// applicable columns, Technology only where the grid offers it, and Er of a
// metal only while automatic Er is off.
bool printsValueFor(const LMLAYEREX& layer, int32_t columnId, const LMEDITSETTINGS& settings);

// The lines of one layer in the list body, "Layer #n" first.
std::vector<std::string> listLines(const LMLAYEREX& layer, std::size_t index, const LMEDITSETTINGS& settings,
                                   const PrintOptions& options);

// "NN" and then the flagged columns in their fixed order, cells as the grid
// shows them (Z0 as the list does, empty where the column does not apply).
std::vector<PRNCOLUMN> tableColumns(const LMEDITSETTINGS& settings, const PrintOptions& options);
// Widths in the canvas's font, breaking a two-word title wider than its cells.
void measureColumns(std::vector<PRNCOLUMN>& columns, Canvas& canvas);

// The whole report on the current board, from the first page on.
void printLayerReport(PageSink& pages, const LMEDITSETTINGS& settings, const PrintOptions& options,
                      const DesignInfo& design);

} // namespace lm
