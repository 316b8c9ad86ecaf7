#include "grid/CopiedRowsText.h"

#include "model/LayerRecord.h"

#include <algorithm>

namespace lm {
namespace {

bool showsNoValue(int32_t columnId)
{
    switch (columnId) {
    case kColVisible:
    case kColColor:
    case kColPourDrawStyle:
    case kColZ0Curve:
    case kColLossCurve: return true;
    default: return false;
    }
}

void appendEscaped(std::string& out, const std::string& text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "<br>"; break;
        default: out += c; break;
        }
    }
}

} // namespace

std::vector<int32_t> copiedColumns(const CellGrid& cells)
{
    std::vector<int32_t> columns;
    for (int32_t position = 1; position < cells.colCount(); ++position) {
        const int32_t col = cells.visualColumn(position);
        if (!cells.columnHidden(col) && !showsNoValue(cells.columnId(col)))
            columns.push_back(col);
    }
    return columns;
}

TextTable copiedTexts(const CellGrid& cells, std::span<const int32_t> rows)
{
    const std::vector<int32_t> columns = copiedColumns(cells);
    TextTable table;
    table.reserve(rows.size() + 1);
    auto line = [&](int32_t row) {
        std::vector<std::string>& texts = table.emplace_back();
        for (const int32_t col : columns)
            texts.push_back(cells.text(row, col));
    };
    line(0);
    for (const int32_t row : rows)
        line(row);
    return table;
}

std::string tabSeparatedText(const TextTable& table)
{
    std::string text;
    for (const std::vector<std::string>& line : table) {
        for (std::string cell : line) {
            std::replace(cell.begin(), cell.end(), '\n', ' ');
            text.append(cell).push_back('\t');
        }
        text.push_back('\n');
    }
    return text;
}

std::string htmlTable(const TextTable& table)
{
    std::string html = "<html><head><meta charset=\"utf-8\"></head><body><table border=\"1\">\n";
    for (std::size_t r = 0; r < table.size(); ++r) {
        const char* cell = r == 0 ? "th" : "td";
        html += "<tr>";
        for (const std::string& text : table[r]) {
            html.append("<").append(cell).append(">");
            appendEscaped(html, text);
            html.append("</").append(cell).append(">");
        }
        html += "</tr>\n";
    }
    html += "</table></body></html>\n";
    return html;
}

} // namespace lm
