#pragma once
// Tabs of the layer grid: which columns, in which order and how wide, and which
// property bar goes with each. A descriptor begins with the public record, so
// the host can be handed the descriptor itself.
#include <laminar/laminar.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lm {

enum TabId : int32_t { kTabBasic = 0, kTabDielectric = 1, kTabMetal = 2, kTabZ0Planning = 3, kTabCustomView = 4 };

// More columns than any grid could show; a stored count beyond it is refused.
constexpr int32_t kMaxColumnCount = 65536;

class CTabDescr {
public:
    CTabDescr();
    CTabDescr(const CTabDescr& other);
    CTabDescr& operator=(const CTabDescr& other);
    CTabDescr(CTabDescr&& other) noexcept;
    CTabDescr& operator=(CTabDescr&& other) noexcept;

    // The public record; its column pointer and count mirror columns().
    LMTABDESCR* record() { return &record_; }
    const LMTABDESCR& record() const { return record_; }

    int32_t id() const { return record_.id; }
    void setId(int32_t id) { record_.id = id; }
    int32_t propertyBarId() const { return record_.propertyBarId; }
    void setPropertyBarId(int32_t id) { record_.propertyBarId = id; }
    bool visible() const { return record_.visible != 0; }
    void setVisible(bool on) { record_.visible = on ? 1 : 0; }
    bool customizable() const { return record_.customizable != 0; }
    void setCustomizable(bool on) { record_.customizable = on ? 1 : 0; }
    bool widthsKnown() const { return widthsKnown_; }
    void setWidthsKnown(bool on) { widthsKnown_ = on; }

    const std::vector<LMGRIDCOLDESCR>& columns() const { return columns_; }
    void setColumns(std::vector<LMGRIDCOLDESCR> columns);
    // Resizes the column list (new entries zero); a negative size, or one above
    // kMaxColumnCount, is an invalid argument.
    void resizeColumns(int32_t count);
    // An index outside the column list is an invalid argument.
    LMGRIDCOLDESCR& column(std::size_t index);

    // Takes id, property bar, visible, customizable and columns; clears widthsKnown.
    void setFromDefault(const CTabDescr& defaultTab);

private:
    void mirror();

    LMTABDESCR record_; // first member: the descriptor's address is the record's
    std::vector<LMGRIDCOLDESCR> columns_;
    bool widthsKnown_ = false;
};

using CTabDescrArray = std::vector<CTabDescr>;

// The five default tabs: Basic, Dielectric, Metal, Z0 Planning, Custom View.
CTabDescrArray defaultTabs();
// The host's tab records replace ids, visibility and columns by position; property
// bar, customizable and widthsKnown stay with the position (zero for new ones).
// A negative count, or a null array with a positive count (tabs or columns), is an
// invalid argument and leaves the list as it was. The column arrays are copied.
void setTabs(CTabDescrArray& tabs, const LMTABDESCR* records, int32_t count);

// Column catalogue order (0..5, 8, 6, 7, 9..19), titles and default widths.
std::span<const int32_t> columnCatalogueOrder();
std::string_view columnTitle(int32_t columnId);
int32_t defaultColumnWidth(int32_t columnId);
std::string_view tabName(int32_t tabId);

// Tab control index <-> descriptor index over the visible descriptors;
// an index without counterpart is an invalid argument.
int32_t tabControlIndexOf(const CTabDescrArray& tabs, int32_t descriptorIndex);
int32_t descriptorOfTabControlIndex(const CTabDescrArray& tabs, int32_t tabControlIndex);

} // namespace lm
