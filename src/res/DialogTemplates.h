#pragma once
// Dialog templates as data: the editor window, the about box, the Customize
// Spreadsheet dialog and the property bars the panes lay out under their views.
// Positions and sizes are dialog units (a quarter of the average character
// width across, an eighth of the character height down); the Qt front end
// builds its widgets from these and names each control by its id.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lm::res {

enum class ItemKind {
    PushButton,
    DefPushButton,
    CheckBox,
    AutoCheckBox,
    RadioButton, // one group per template: choosing one clears the others
    StaticLeft,
    StaticRight,
    StaticCentre,
    Edit,
    DropDownList, // cy is the closed height; the dropped list sizes itself
    GroupBox,
    TabControl,
    CheckList,
    BitmapButton,
    Icon,
    ProgressBar,  // range 0 to 100
    ReadOnlyEdit,
    Custom,       // a window of the dialog's own (the chart): the dialog builds it
};

struct TemplateItem {
    ItemKind kind = ItemKind::StaticLeft;
    uint32_t id = 0;
    std::string_view text;
    int32_t x = 0, y = 0, cx = 0, cy = 0;
    std::vector<std::string_view> initialStrings; // drop-down lists start with these
    bool visible = true;
    uint32_t imageId = 0; // bitmap of a bitmap button, icon of an icon
};

struct TemplateFont {
    int32_t pointSize = 8;
    std::string_view face;
};

struct DialogTemplate {
    uint32_t id = 0;
    std::string_view title;
    int32_t width = 0, height = 0;
    TemplateFont font;
    uint32_t menuId = 0; // 0: no menu bar
    std::vector<TemplateItem> items;

    // The first item with that id; null when there is none.
    const TemplateItem* item(uint32_t controlId) const;
};

// Building blocks of the templates: one control (dialog units), a control
// hidden at first, a dialog in the desktop's dialog font.
TemplateItem control(ItemKind kind, uint32_t id, std::string_view text, int32_t x, int32_t y, int32_t cx, int32_t cy);
TemplateItem hidden(TemplateItem item);
DialogTemplate makeTemplate(uint32_t id, std::string_view title, int32_t width, int32_t height,
                            std::vector<TemplateItem> items);

// Every template, ascending by id.
std::span<const DialogTemplate> dialogTemplates();
// Null for an id no template has.
const DialogTemplate* findDialogTemplate(uint32_t id);

// The about box's version line: its template text with the three numbers filled in.
std::string aboutVersionLine(uint32_t major, uint32_t minor, uint32_t build);

} // namespace lm::res
