#include "document/TabDescr.h"

#include "model/LayerRecord.h"
#include "res/Strings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace lm {

namespace {

constexpr std::array<int32_t, kColumnIdCount> kCatalogueOrder{
    kColVisible, kColColor, kColPourDrawStyle, kColLayerName, kColType, kColUsage, kColTechnology,
    kColThickness, kColEr, kColMetal, kColBulkR, kColTCoef, kColLossTangent, kColTestWidth,
    kColZ0, kColTargetZ0, kColWidth, kColGap, kColZ0Curve, kColLossCurve,
};

// String id of each column's title, indexed by column id (6012 is not a column title).
constexpr std::array<uint32_t, kColumnIdCount> kColumnTitleIds{
    6008, 6009, 6019, 6000, 6001, 6002, 6003, 6004, 6005, 6010,
    6006, 6007, 6011, 6013, 6014, 6015, 6016, 6017, 6018, 6020,
};

constexpr std::array<uint32_t, 5> kTabNameIds{
    res::IDS_TAB_BASIC, res::IDS_TAB_DIELECTRIC, res::IDS_TAB_METAL, res::IDS_TAB_Z0_PLANNING,
    res::IDS_TAB_CUSTOM_VIEW,
};

CTabDescr makeTab(int32_t id, int32_t propertyBarId, bool customizable, std::vector<LMGRIDCOLDESCR> columns)
{
    CTabDescr tab;
    tab.setId(id);
    tab.setPropertyBarId(propertyBarId);
    tab.setVisible(true);
    tab.setCustomizable(customizable);
    tab.setColumns(std::move(columns));
    return tab;
}

void copyFields(LMTABDESCR& to, const LMTABDESCR& from)
{
    to.id = from.id;
    to.propertyBarId = from.propertyBarId;
    to.visible = from.visible;
    to.customizable = from.customizable;
}

} // namespace

CTabDescr::CTabDescr() : record_{}
{
    mirror();
}

CTabDescr::CTabDescr(const CTabDescr& other) : record_{}, columns_(other.columns_), widthsKnown_(other.widthsKnown_)
{
    copyFields(record_, other.record_);
    mirror();
}

CTabDescr& CTabDescr::operator=(const CTabDescr& other)
{
    if (this != &other) {
        columns_ = other.columns_;
        copyFields(record_, other.record_);
        widthsKnown_ = other.widthsKnown_;
        mirror();
    }
    return *this;
}

CTabDescr::CTabDescr(CTabDescr&& other) noexcept
    : record_{}, columns_(std::move(other.columns_)), widthsKnown_(other.widthsKnown_)
{
    copyFields(record_, other.record_);
    mirror();
    other.columns_.clear();
    other.mirror();
}

CTabDescr& CTabDescr::operator=(CTabDescr&& other) noexcept
{
    if (this != &other) {
        columns_ = std::move(other.columns_);
        copyFields(record_, other.record_);
        widthsKnown_ = other.widthsKnown_;
        mirror();
        other.columns_.clear();
        other.mirror();
    }
    return *this;
}

void CTabDescr::setColumns(std::vector<LMGRIDCOLDESCR> columns)
{
    columns_ = std::move(columns);
    mirror();
}

void CTabDescr::resizeColumns(int32_t count)
{
    // The count may come from a stored profile; refuse what no grid could show
    // rather than let a corrupt file claim gigabytes.
    if (count < 0 || count > kMaxColumnCount)
        throw LMInvalidArgument("column count out of range");
    columns_.resize(static_cast<std::size_t>(count), LMGRIDCOLDESCR{});
    mirror();
}

LMGRIDCOLDESCR& CTabDescr::column(std::size_t index)
{
    if (index >= columns_.size())
        throw LMInvalidArgument("column index out of range");
    return columns_[index];
}

void CTabDescr::setFromDefault(const CTabDescr& defaultTab)
{
    *this = defaultTab;
    widthsKnown_ = false;
}

void CTabDescr::mirror()
{
    record_.columnCount = static_cast<int32_t>(columns_.size());
    record_.columns = columns_.empty() ? nullptr : columns_.data();
}

CTabDescrArray defaultTabs()
{
    std::vector<LMGRIDCOLDESCR> custom;
    for (int32_t id : kCatalogueOrder)
        custom.push_back({id, defaultColumnWidth(id)});

    CTabDescrArray tabs;
    tabs.reserve(5);
    tabs.push_back(makeTab(kTabBasic, 1017, false,
                           {{0, 17}, {1, 16}, {2, 18}, {3, 36}, {4, 28}, {5, 28}, {6, 25}, {7, 18}, {13, 27}, {14, 16}}));
    tabs.push_back(makeTab(kTabDielectric, 1018, false, {{3, 32}, {4, 28}, {5, 28}, {8, 20}, {7, 18}, {12, 20}}));
    tabs.push_back(makeTab(kTabMetal, 1019, false,
                           {{3, 32}, {4, 26}, {5, 26}, {9, 22}, {6, 25}, {7, 18}, {10, 24}, {11, 24}, {13, 27},
                            {14, 16}, {19, 18}}));
    tabs.push_back(makeTab(kTabZ0Planning, 1020, false,
                           {{3, 32}, {5, 28}, {6, 25}, {7, 18}, {15, 24}, {16, 22}, {17, 22}, {18, 18}}));
    tabs.push_back(makeTab(kTabCustomView, 1021, true, std::move(custom)));
    return tabs;
}

void setTabs(CTabDescrArray& tabs, const LMTABDESCR* records, int32_t count)
{
    // Everything is checked first so that a bad record leaves the list as it was.
    if (count < 0 || (records == nullptr && count > 0))
        throw LMInvalidArgument("tab count out of range");
    for (int32_t i = 0; i < count; ++i) {
        const LMTABDESCR& record = records[i];
        if (record.columnCount < 0 || (record.columns == nullptr && record.columnCount > 0))
            throw LMInvalidArgument("tab column count out of range");
    }

    CTabDescrArray result = tabs;
    result.resize(static_cast<std::size_t>(count));
    for (int32_t i = count - 1; i >= 0; --i) {
        const LMTABDESCR& record = records[i];
        CTabDescr& tab = result[static_cast<std::size_t>(i)];
        tab.setId(record.id);
        tab.record()->visible = record.visible;
        tab.setColumns({record.columns, record.columns + record.columnCount});
    }
    tabs.swap(result);
}

std::span<const int32_t> columnCatalogueOrder()
{
    return kCatalogueOrder;
}

std::string_view columnTitle(int32_t columnId)
{
    if (columnId < 0 || columnId >= kColumnIdCount)
        return {};
    return res::loadString(kColumnTitleIds[static_cast<std::size_t>(columnId)]);
}

int32_t defaultColumnWidth(int32_t columnId)
{
    switch (columnId) {
    case kColVisible: return 17;
    case kColColor: return 16;
    case kColPourDrawStyle: return 18;
    case kColLayerName: return 36;
    case kColType: return 28;
    case kColUsage: return 28;
    case kColThickness: return 25;
    case kColEr: return 18;
    case kColTechnology: return 20;
    default: return 24;
    }
}

std::string_view tabName(int32_t tabId)
{
    if (tabId < 0 || tabId >= static_cast<int32_t>(kTabNameIds.size()))
        return {};
    return res::loadString(kTabNameIds[static_cast<std::size_t>(tabId)]);
}

int32_t tabControlIndexOf(const CTabDescrArray& tabs, int32_t descriptorIndex)
{
    if (descriptorIndex < 0 || static_cast<std::size_t>(descriptorIndex) >= tabs.size() ||
        !tabs[static_cast<std::size_t>(descriptorIndex)].visible())
        throw LMInvalidArgument("tab has no tab control item");
    const auto end = tabs.begin() + descriptorIndex;
    return static_cast<int32_t>(std::count_if(tabs.begin(), end, [](const CTabDescr& t) { return t.visible(); }));
}

int32_t descriptorOfTabControlIndex(const CTabDescrArray& tabs, int32_t tabControlIndex)
{
    int32_t visibleSeen = 0;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (!tabs[i].visible())
            continue;
        if (visibleSeen == tabControlIndex)
            return static_cast<int32_t>(i);
        ++visibleSeen;
    }
    throw LMInvalidArgument("tab control index out of range");
}

} // namespace lm
