#include "ui/CustomizeColumns.h"

#include "document/EditorDocument.h"
#include "ui/TabControl.h"

#include <algorithm>

namespace lm {
namespace {

std::vector<LMGRIDCOLDESCR>::iterator findColumn(std::vector<LMGRIDCOLDESCR>& columns, int32_t columnId)
{
    return std::find_if(columns.begin(), columns.end(), [&](const LMGRIDCOLDESCR& c) { return c.columnId == columnId; });
}

} // namespace

CustomizeColumns::CustomizeColumns(const CTabDescr& tab) : copy_(tab)
{
    for (const LMGRIDCOLDESCR& column : copy_.columns())
        items_.push_back({column.columnId, std::string(columnTitle(column.columnId)), true});
    for (int32_t columnId : columnCatalogueOrder()) {
        const bool listed = std::any_of(copy_.columns().begin(), copy_.columns().end(),
                                        [&](const LMGRIDCOLDESCR& c) { return c.columnId == columnId; });
        if (!listed)
            items_.push_back({columnId, std::string(columnTitle(columnId)), false});
    }
    selection_ = items_.empty() ? -1 : 0;
}

ColumnListItem& CustomizeColumns::itemAt(int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
        throw LMInvalidArgument("column list index out of range");
    return items_[static_cast<std::size_t>(index)];
}

void CustomizeColumns::select(int32_t index)
{
    itemAt(index);
    selection_ = index;
}

void CustomizeColumns::setChecked(int32_t index, bool checked)
{
    itemAt(index).checked = checked;
}

void CustomizeColumns::moveUp()
{
    if (!canMoveUp())
        return;
    swapWithNext(selection_ - 1);
    --selection_;
}

void CustomizeColumns::moveDown()
{
    if (!canMoveDown())
        return;
    swapWithNext(selection_);
    ++selection_;
}

void CustomizeColumns::swapWithNext(int32_t index)
{
    const auto at = static_cast<std::size_t>(index);
    std::swap(items_[at], items_[at + 1]);
    // The copy's entries follow while both places are columns it has, so that a
    // moved column keeps its width and the order is kept for checked columns.
    if (at + 1 < copy_.columns().size())
        std::swap(copy_.column(at), copy_.column(at + 1));
}

CTabDescr CustomizeColumns::accepted() const
{
    std::vector<LMGRIDCOLDESCR> columns = copy_.columns();
    std::size_t insertAt = 0;
    for (const ColumnListItem& item : items_) {
        const auto found = findColumn(columns, item.columnId);
        if (item.checked && found == columns.end()) {
            columns.insert(columns.begin() + static_cast<std::ptrdiff_t>(insertAt),
                           {item.columnId, defaultColumnWidth(item.columnId)});
            ++insertAt;
        } else if (!item.checked && found != columns.end()) {
            const auto removedAt = static_cast<std::size_t>(found - columns.begin());
            columns.erase(found);
            if (removedAt < insertAt) // keep pointing behind the same column
                --insertAt;
        } else if (item.checked) {
            insertAt = static_cast<std::size_t>(found - columns.begin()) + 1;
        }
    }
    CTabDescr result = copy_;
    result.setColumns(std::move(columns));
    return result;
}

std::size_t customViewTabIndex(const CTabDescrArray& tabs)
{
    for (std::size_t i = tabs.size(); i-- > 0;)
        if (tabs[i].id() == kTabCustomView)
            return i;
    throw LMInvalidArgument("no Custom View tab");
}

void applyCustomizedTab(EditorDocument& document, std::size_t index, const CTabDescr& accepted, TabGrid& grid)
{
    CTabDescrArray& tabs = document.tabs;
    if (index >= tabs.size())
        throw LMInvalidArgument("tab index out of range");
    tabs[index] = accepted;
    if (document.activeTab >= 0 && static_cast<std::size_t>(document.activeTab) == index)
        grid.showTab(accepted.id(), tabs[index].columns(), accepted.widthsKnown());
}

} // namespace lm
