#include "print/LayerReport.h"

#include "document/Board.h"
#include "document/TabDescr.h"
#include "grid/LayerColumnRules.h"
#include "grid/RowPresentation.h"
#include "model/Catalogues.h"
#include "model/FormatText.h"
#include "model/ImpedanceText.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "picture/PictureLabels.h"
#include "print/Schematic.h"
#include "res/Strings.h"

#include <algorithm>

namespace lm {
namespace {

constexpr uint32_t kBlack = rgb(0, 0, 0);

std::string text(uint32_t id) { return std::string(res::loadString(id)); }

bool haveCalculator(const LMEDITSETTINGS& settings) { return settings.z0Calculator != nullptr; }

double z0Of(const PrintOptions& options, std::size_t index)
{
    return index < options.z0.size() ? options.z0[index] : 0.0;
}

bool printed(const PrintOptions& options, std::size_t index)
{
    return index < options.layers.size() && options.layers[index] != 0;
}

// The pages as the report fills them: a line height, the bottom a line may
// not reach, and the page number at the foot when asked for.
class ReportPages {
public:
    ReportPages(PageSink& sink, bool numbered) : sink_(sink), numbered_(numbered)
    {
        Canvas& canvas = sink_.canvas();
        canvas.setFont(FontSpec{});
        lineHeight_ = canvas.textHeight() * 3 / 2;
        const Size page = sink_.pageSize();
        width_ = page.width;
        bottom_ = numbered_ ? page.height - 2 * lineHeight_ : page.height;
    }

    Canvas& canvas() { return sink_.canvas(); }
    int32_t lineHeight() const { return lineHeight_; }
    int32_t width() const { return width_; }
    // A line starting at y would reach the bottom of the page.
    bool full(int32_t y) const { return y + lineHeight_ >= bottom_; }

    void line(int32_t y, std::string_view value, TextAlign align = TextAlign::Left)
    {
        canvas().text({0, y, width_, y + lineHeight_}, value, align);
    }

    void newPage()
    {
        finishPage();
        sink_.newPage();
        sink_.canvas().setFont(FontSpec{});
        sink_.canvas().setTextColour(kBlack);
        ++page_;
    }

    void finishPage()
    {
        if (numbered_)
            line(bottom_ + lineHeight_, formatText(res::loadString(res::IDS_PRINT_PAGE_NUMBER), page_),
                 TextAlign::Centre);
    }

private:
    PageSink& sink_;
    bool numbered_;
    int32_t lineHeight_ = 0;
    int32_t width_ = 0;
    int32_t bottom_ = 0;
    int page_ = 1;
};

void printList(ReportPages& pages, int32_t y, const LMEDITSETTINGS& settings, const PrintOptions& options)
{
    const std::span<const LMLAYEREX> layers = currentLayers(settings);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (!printed(options, i))
            continue;
        for (const std::string& line : listLines(layers[i], i, settings, options)) {
            if (pages.full(y)) {
                pages.newPage();
                y = 0;
            }
            pages.line(y, line);
            y += pages.lineHeight();
        }
    }
}

// Columns [first, last) from the left at y: headers, cells, a rule left of
// each column and right of the last, one under the header block, under every
// row and over the top.
void printColumnGroup(ReportPages& pages, int32_t top, std::span<const PRNCOLUMN> group, int32_t gap)
{
    Canvas& canvas = pages.canvas();
    const int32_t lh = pages.lineHeight();
    std::size_t headerLines = 1;
    for (const PRNCOLUMN& column : group)
        headerLines = std::max(headerLines, column.header.size());
    const int32_t headerBottom = top + static_cast<int32_t>(headerLines) * lh;
    const int32_t cellTop = headerBottom + lh / 4;
    const std::size_t rows = group.empty() ? 0 : group.front().cells.size();
    const int32_t bottom = cellTop + static_cast<int32_t>(rows) * lh;

    int32_t x = 0;
    for (const PRNCOLUMN& column : group) {
        for (std::size_t k = 0; k < column.header.size(); ++k) {
            const int32_t y = top + static_cast<int32_t>(k) * lh;
            canvas.text({x + gap / 2, y, x + gap / 2 + column.width, y + lh}, column.header[k], TextAlign::Left);
        }
        for (std::size_t r = 0; r < column.cells.size(); ++r) {
            const int32_t y = cellTop + static_cast<int32_t>(r) * lh;
            canvas.text({x + gap / 2, y, x + gap / 2 + column.width, y + lh}, column.cells[r], TextAlign::Left);
        }
        canvas.line({x, top}, {x, bottom});
        x += column.width + gap;
    }
    canvas.line({x, top}, {x, bottom});
    canvas.line({0, top}, {x, top});
    canvas.line({0, headerBottom + lh / 8}, {x, headerBottom + lh / 8});
    for (std::size_t r = 1; r <= rows; ++r) {
        const int32_t y = cellTop + static_cast<int32_t>(r) * lh;
        canvas.line({0, y}, {x, y});
    }
}

void printTable(ReportPages& pages, int32_t y, const LMEDITSETTINGS& settings, const PrintOptions& options)
{
    std::vector<PRNCOLUMN> columns = tableColumns(settings, options);
    Canvas& canvas = pages.canvas();
    measureColumns(columns, canvas);
    const int32_t gap = canvas.textWidth("  ");
    std::size_t first = 0;
    while (first < columns.size()) {
        // As many columns as fit the page width; at least one, so a column wider
        // than the page still prints (cut at the edge) instead of never.
        std::size_t last = first;
        int32_t x = 0;
        while (last < columns.size() && (last == first || x + columns[last].width + gap <= pages.width())) {
            x += columns[last].width + gap;
            ++last;
        }
        printColumnGroup(pages, y, std::span(columns).subspan(first, last - first), gap);
        first = last;
        if (first < columns.size()) {
            pages.newPage();
            y = 0;
        }
    }
}

} // namespace

bool printsValueFor(const LMLAYEREX& layer, int32_t columnId, const LMEDITSETTINGS& settings)
{
    switch (columnId) {
    case kColLayerName:
    case kColType:
    case kColUsage:
    case kColThickness: return true;
    case kColTechnology: return hasTechnology(layer.nUsage);
    case kColEr:
        return columnApplies(layer.nUsage, columnId) && (layer.nType == kDielectric || !settings.autoEr);
    default: return columnApplies(layer.nUsage, columnId);
    }
}

std::vector<std::string> listLines(const LMLAYEREX& layer, std::size_t index, const LMEDITSETTINGS& settings,
                                   const PrintOptions& options)
{
    using namespace res;
    const LMUNIT& unit = settings.currentUnit();
    auto wanted = [&](int32_t columnId) {
        return options.printsColumn(columnId) && printsValueFor(layer, columnId, settings);
    };
    auto unitText = [&](int32_t columnId) { return columnUnitText(columnId, unit, settings.metalThicknessAs); };
    std::vector<std::string> lines{formatText(loadString(IDS_PRINT_LAYER_NUMBER), static_cast<int>(index + 1))};
    if (wanted(kColLayerName)) {
        const std::string name(layerName(layer));
        lines.push_back(formatText(loadString(IDS_PRINT_NAME), name.empty() ? text(IDS_UNNAMED).c_str() : name.c_str()));
    }
    if (wanted(kColType))
        lines.push_back(formatText(loadString(IDS_PRINT_TYPE), std::string(catalogueText(Catalogue::Type, layer.nType)).c_str()));
    if (wanted(kColUsage))
        lines.push_back(formatText(loadString(IDS_PRINT_USAGE), usageText(layer.nUsage).c_str()));
    if (wanted(kColTechnology))
        lines.push_back(formatText(loadString(IDS_PRINT_TECHNOLOGY),
                                   std::string(catalogueText(Catalogue::Technology, layer.nTechnology)).c_str()));
    if (wanted(kColThickness))
        lines.push_back(formatText(loadString(IDS_PRINT_THICKNESS), thicknessShown(layer, unit, settings.metalThicknessAs),
                                   unitText(kColThickness).c_str()));
    if (wanted(kColEr))
        lines.push_back(formatText(loadString(IDS_PRINT_ER), layer.dEr));
    if (wanted(kColMetal))
        lines.push_back(formatText(loadString(IDS_PRINT_METAL), std::string(catalogueText(Catalogue::Metal, layer.nMetal)).c_str()));
    if (wanted(kColBulkR))
        lines.push_back(formatText(loadString(IDS_PRINT_BULK_RESISTIVITY), layer.dBulkResistivity));
    if (wanted(kColTCoef))
        lines.push_back(formatText(loadString(IDS_PRINT_TEMP_COEF), layer.dTempCoef));
    if (wanted(kColLossTangent))
        lines.push_back(formatText(loadString(IDS_PRINT_LOSS_TANGENT), layer.dLossTangent));
    if (wanted(kColZ0))
        lines.push_back(formatText(loadString(IDS_PRINT_Z0), impedanceText(z0Of(options, index), haveCalculator(settings)).c_str(),
                                   lengthShown(layer.dTestWidth, unit), unitText(kColTestWidth).c_str()));
    return lines;
}

std::vector<PRNCOLUMN> tableColumns(const LMEDITSETTINGS& settings, const PrintOptions& options)
{
    const std::span<const LMLAYEREX> layers = currentLayers(settings);
    const RowUnits units{settings.currentUnit(), settings.metalThicknessAs, userDecimalPoint()};
    std::vector<PRNCOLUMN> columns(1);
    columns.front().header = {text(res::IDS_PRINT_NUMBER_COLUMN)};
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (printed(options, i))
            columns.front().cells.push_back(formatText("%d", static_cast<int>(i + 1)));
    for (int32_t columnId : kPrintableColumns) {
        if (!options.printsColumn(columnId))
            continue;
        PRNCOLUMN column;
        column.header = {std::string(columnTitle(columnId))};
        const std::string unit = columnUnitText(columnId, units.unit, units.thicknessMode);
        if (!unit.empty())
            column.header.push_back(unit);
        for (std::size_t i = 0; i < layers.size(); ++i) {
            if (!printed(options, i))
                continue;
            const LMLAYEREX& layer = layers[i];
            if (!printsValueFor(layer, columnId, settings))
                column.cells.emplace_back();
            else if (columnId == kColZ0)
                column.cells.push_back(impedanceText(z0Of(options, i), haveCalculator(settings), units.decimalPoint));
            else
                column.cells.push_back(rowValueText(layer, columnId, units));
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

void measureColumns(std::vector<PRNCOLUMN>& columns, Canvas& canvas)
{
    auto widest = [&canvas](const std::vector<std::string>& texts) {
        int32_t width = 0;
        for (const std::string& t : texts)
            width = std::max(width, canvas.textWidth(t));
        return width;
    };
    for (PRNCOLUMN& column : columns) {
        const int32_t cells = widest(column.cells);
        std::string& title = column.header.front();
        const std::size_t blank = title.find(' ');
        if (canvas.textWidth(title) > cells && blank != std::string::npos) {
            std::string rest = title.substr(blank + 1);
            title.resize(blank);
            column.header.insert(column.header.begin() + 1, std::move(rest));
        }
        column.width = std::max(cells, widest(column.header));
    }
}

void printLayerReport(PageSink& sink, const LMEDITSETTINGS& settings, const PrintOptions& options,
                      const DesignInfo& design)
{
    using namespace res;
    ReportPages pages(sink, options.pageNumbers);
    Canvas& canvas = pages.canvas();
    canvas.setTextColour(kBlack);
    const int32_t lh = pages.lineHeight();
    const std::span<const LMLAYEREX> layers = currentLayers(settings);

    pages.line(0, formatText(loadString(IDS_PRINT_TITLE), design.designName.c_str(), design.designer.c_str()),
               TextAlign::Centre);
    pages.line(2 * lh, formatText(loadString(IDS_PRINT_LAYER_COUNT), static_cast<int>(layers.size())));
    pages.line(3 * lh, formatText(loadString(IDS_TOTAL_THICKNESS), totalThicknessText(settings).c_str()));
    int32_t y = 5 * lh;
    if (options.schematic) {
        drawSchematic(canvas, layers, {0, y}, {pages.width() * 2 / 5, lh}, SchematicFill::Plain);
        y += static_cast<int32_t>(layers.size() + 1) * lh;
    }
    if (options.asTable)
        printTable(pages, y, settings, options);
    else
        printList(pages, y, settings, options);
    pages.finishPage();
}

} // namespace lm
