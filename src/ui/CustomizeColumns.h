#pragma once
// The Customize Spreadsheet dialog: the user checks, unchecks and reorders the
// columns of the customizable tab. It works on a copy of the descriptor, which
// replaces the original only on OK.
#include "document/TabDescr.h"

#include <string>
#include <vector>

namespace lm {

struct EditorDocument;
class TabGrid;

struct ColumnListItem {
    int32_t columnId = 0;
    std::string title;
    bool checked = false;
};

class CustomizeColumns {
public:
    // The tab's columns in their order, checked, then every other catalogue
    // column in catalogue order, unchecked; the first item selected.
    explicit CustomizeColumns(const CTabDescr& tab);

    const std::vector<ColumnListItem>& items() const { return items_; }
    int32_t selection() const { return selection_; }
    // An index outside the list is an invalid argument.
    void select(int32_t index);
    void setChecked(int32_t index, bool checked);

    bool canMoveUp() const { return selection_ > 0; }
    bool canMoveDown() const { return selection_ >= 0 && selection_ + 1 < static_cast<int32_t>(items_.size()); }
    // The selected item moves one place and stays selected; nothing when it cannot.
    void moveUp();
    void moveDown();

    // OK: the copy with the column list the checks and the order ask for. A
    // column checked anew goes in right after the column listed before it, at its
    // default width; unchecked columns go; the others keep their widths.
    CTabDescr accepted() const;

private:
    void swapWithNext(int32_t index);
    ColumnListItem& itemAt(int32_t index);

    CTabDescr copy_;
    std::vector<ColumnListItem> items_;
    int32_t selection_ = -1;
};

// Index of the Custom View descriptor: the last one with tab id 4. None is an
// invalid argument.
std::size_t customViewTabIndex(const CTabDescrArray& tabs);

// OK of the dialog: the descriptor at `index` becomes the accepted copy, and when
// it is the active tab the grid shows its columns again.
void applyCustomizedTab(EditorDocument& document, std::size_t index, const CTabDescr& accepted, TabGrid& grid);

} // namespace lm
