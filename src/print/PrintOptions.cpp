#include "print/PrintOptions.h"

#include "document/TabDescr.h"

#include <algorithm>
#include <limits>

namespace lm {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Leading blanks skipped, reading stops at the first non-digit; a number too
// long for an int saturates (it selects nothing either way).
int64_t readLayerNumber(std::string_view text)
{
    std::size_t k = 0;
    while (k < text.size() && isBlank(text[k]))
        ++k;
    int64_t value = 0;
    for (; k < text.size() && isDigit(text[k]); ++k)
        value = std::min<int64_t>(value * 10 + (text[k] - '0'), std::numeric_limits<int32_t>::max());
    return value;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

void selectItem(std::string_view item, std::vector<uint8_t>& flags)
{
    const auto count = static_cast<int64_t>(flags.size());
    if (trimmed(item).empty())
        return;
    const std::size_t hyphen = item.find('-');
    if (hyphen == std::string_view::npos) {
        const int64_t n = readLayerNumber(item);
        if (n >= 1 && n <= count)
            flags[static_cast<std::size_t>(n - 1)] = 1;
        return;
    }
    const int64_t a = readLayerNumber(item.substr(0, hyphen));
    const int64_t b = readLayerNumber(item.substr(hyphen + 1));
    const int64_t first = std::max<int64_t>(std::min(a, b), 1);
    const int64_t last = std::min(std::max(a, b), count);
    for (int64_t n = first; n <= last; ++n)
        flags[static_cast<std::size_t>(n - 1)] = 1;
}

} // namespace

bool PrintOptions::printsColumn(int32_t columnId) const
{
    for (std::size_t k = 0; k < kPrintableColumns.size(); ++k)
        if (kPrintableColumns[k] == columnId)
            return columns[k];
    return false;
}

std::vector<uint8_t> parseLayerRange(std::string_view text, std::size_t count)
{
    text = trimmed(text);
    if (text.empty())
        return std::vector<uint8_t>(count, 1);
    std::vector<uint8_t> flags(count, 0);
    while (true) {
        const std::size_t comma = text.find(',');
        selectItem(text.substr(0, comma), flags);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return flags;
}

std::string filterRangeText(std::string_view text)
{
    std::string kept;
    char lastNonBlank = 0;
    bool hyphenInItem = false;
    for (char c : text) {
        const bool afterDigit = isDigit(lastNonBlank);
        if (isDigit(c)) {
            kept += c;
        } else if (kept.empty()) {
            continue; // the first character must be a digit
        } else if (isBlank(c)) {
            kept += c;
            continue;
        } else if (c == ',' && afterDigit) {
            kept += c;
            hyphenInItem = false;
        } else if (c == '-' && afterDigit && !hyphenInItem) {
            kept += c;
            hyphenInItem = true;
        } else {
            continue;
        }
        lastNonBlank = c;
    }
    return kept;
}

ReportDialogOptions reportDialogOpening(const PrintOptions& options, bool haveSelection)
{
    ReportDialogOptions page;
    for (std::size_t k = 0; k < kPrintableColumns.size(); ++k) {
        page.columnTitles.emplace_back(columnTitle(kPrintableColumns[k]));
        page.columnChecked.push_back(options.columns[k]);
    }
    page.selectionEnabled = haveSelection;
    page.printAs = options.asTable ? 1 : 0;
    page.schematic = options.schematic;
    return page;
}

void takeReportDialog(PrintOptions& options, const ReportDialogOptions& page, std::size_t layerCount,
                      std::span<const int32_t> selected)
{
    for (std::size_t k = 0; k < options.columns.size() && k < page.columnChecked.size(); ++k)
        options.columns[k] = page.columnChecked[k];
    options.asTable = page.printAs >= 1;
    options.schematic = page.schematic;
    switch (page.layers) {
    case ReportDialogOptions::Range: options.layers = parseLayerRange(page.rangeText, layerCount); break;
    case ReportDialogOptions::Selection:
        options.layers.assign(layerCount, 0);
        for (int32_t index : selected)
            if (index >= 0 && static_cast<std::size_t>(index) < layerCount)
                options.layers[static_cast<std::size_t>(index)] = 1;
        break;
    default: options.layers.assign(layerCount, 1); break;
    }
}

} // namespace lm
