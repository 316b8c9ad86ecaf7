#include "grid/GridStyles.h"

#include "grid/LayerColumnRules.h"
#include "model/Catalogues.h"

namespace lm {
namespace {

constexpr int32_t kMaxNameLength = 63;

CellStyle edit(CellAlign align)
{
    CellStyle style;
    style.control = CellControl::Edit;
    style.editable = true;
    style.align = align;
    return style;
}

CellStyle list(ChoiceList choices, std::span<const int32_t> excluded = {})
{
    CellStyle style;
    style.control = CellControl::DropDown;
    style.editable = true;
    style.verticalCentre = true;
    style.choices = choiceList(choices, excluded);
    return style;
}

CellStyle readOnlyEdit(CellAlign align)
{
    CellStyle style;
    style.control = CellControl::ReadOnlyEdit;
    style.readOnly = true;
    style.align = align;
    style.background = kCellLightBlue;
    return style;
}

} // namespace

std::vector<CellStyle> buildGridStyles(bool rigidFlex)
{
    std::vector<CellStyle> styles(static_cast<std::size_t>(GridStyle::NotApplicable) + 1);
    auto at = [&styles](GridStyle style) -> CellStyle& { return styles[static_cast<std::size_t>(style)]; };

    at(GridStyle::Name) = edit(CellAlign::Left);
    at(GridStyle::Name).maxLength = kMaxNameLength;
    at(GridStyle::Number) = edit(CellAlign::Centre);
    at(GridStyle::LockedText) = readOnlyEdit(CellAlign::Left);

    at(GridStyle::TypeList) = list(ChoiceList::Types);
    at(GridStyle::MetalUsageList) = list(ChoiceList::MetalUsages);
    const int32_t plating[] = {kPlating};
    at(GridStyle::MetalUsageListNoPlating) = list(ChoiceList::MetalUsages, plating);
    at(GridStyle::DielectricUsageList) =
        list(rigidFlex ? ChoiceList::FlexDielectricUsages : ChoiceList::RigidDielectricUsages);
    at(GridStyle::TechnologyList) = list(ChoiceList::Technologies);
    at(GridStyle::MetalList) = list(ChoiceList::Metals);
    at(GridStyle::PourStyleList) = list(ChoiceList::PourDrawStyles);

    CellStyle& check = at(GridStyle::VisibleCheck);
    check.control = CellControl::CheckBox;
    check.editable = true;
    check.verticalCentre = true;

    // Its text cannot be typed; the button beside it opens the colour dialog.
    CellStyle& colour = at(GridStyle::Colour);
    colour.control = CellControl::ColourButton;
    colour.editable = true;
    colour.readOnly = true;
    colour.verticalCentre = true;

    at(GridStyle::Result) = readOnlyEdit(CellAlign::Centre);
    at(GridStyle::Result).enabled = false;

    CellStyle& button = at(GridStyle::ViewButton);
    button.control = CellControl::PushButton;
    button.editable = true;

    CellStyle& none = at(GridStyle::NotApplicable);
    none.control = CellControl::Static;
    none.enabled = false;
    none.background = kCellSilver;
    return styles;
}

GridStyle baseStyleOf(int32_t columnId)
{
    switch (columnId) {
    case kColVisible: return GridStyle::VisibleCheck;
    case kColColor: return GridStyle::Colour;
    case kColPourDrawStyle: return GridStyle::PourStyleList;
    case kColLayerName: return GridStyle::Name;
    case kColType: return GridStyle::TypeList;
    case kColTechnology: return GridStyle::TechnologyList;
    case kColMetal: return GridStyle::MetalList;
    case kColZ0: return GridStyle::Result;
    case kColZ0Curve:
    case kColLossCurve: return GridStyle::ViewButton;
    default: return isNumericColumn(columnId) ? GridStyle::Number : GridStyle::NotApplicable;
    }
}

CellStyle lockedVariant(CellStyle style)
{
    style.readOnly = true;
    style.background = kCellLightBlue;
    return style;
}

} // namespace lm
