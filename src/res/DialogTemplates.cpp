#include "res/DialogTemplates.h"

#include "res/ChartResources.h"
#include "res/CommandIds.h"
#include "res/Strings.h"

#include <algorithm>
#include <array>

namespace lm::res {

namespace {

// The dialog font of the desktop; the Qt side maps the face to its own sans serif.
constexpr TemplateFont kDialogFont{8, "Sans Serif"};

} // namespace

TemplateItem control(ItemKind kind, uint32_t id, std::string_view text, int32_t x, int32_t y, int32_t cx, int32_t cy)
{
    TemplateItem item;
    item.kind = kind;
    item.id = id;
    item.text = text;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    return item;
}

TemplateItem hidden(TemplateItem item)
{
    item.visible = false;
    return item;
}

DialogTemplate makeTemplate(uint32_t id, std::string_view title, int32_t width, int32_t height,
                            std::vector<TemplateItem> items)
{
    DialogTemplate t;
    t.id = id;
    t.title = title;
    t.width = width;
    t.height = height;
    t.font = kDialogFont;
    t.items = std::move(items);
    return t;
}

namespace {

// Property-bar rows: a label 8 high sits 2 below the top of the 12-high list or
// edit beside it; check boxes are 10 high, buttons 14.
TemplateItem label(uint32_t id, std::string_view text, int32_t x, int32_t rowTop, int32_t cx)
{
    return control(ItemKind::StaticLeft, id, text, x, rowTop + 2, cx, 8);
}

TemplateItem dropDown(uint32_t id, int32_t x, int32_t rowTop, int32_t cx, std::vector<std::string_view> strings = {})
{
    TemplateItem item = control(ItemKind::DropDownList, id, {}, x, rowTop, cx, 12);
    item.initialStrings = std::move(strings);
    return item;
}

TemplateItem edit(uint32_t id, int32_t x, int32_t rowTop, int32_t cx)
{
    return control(ItemKind::Edit, id, {}, x, rowTop, cx, 12);
}

TemplateItem checkBox(uint32_t id, std::string_view text, int32_t x, int32_t rowTop, int32_t cx)
{
    return control(ItemKind::AutoCheckBox, id, text, x, rowTop + 1, cx, 10);
}

TemplateItem button(uint32_t id, std::string_view text, int32_t x, int32_t rowTop, int32_t cx)
{
    return control(ItemKind::PushButton, id, text, x, rowTop - 1, cx, 14);
}

TemplateItem withImage(TemplateItem item, uint32_t imageId)
{
    item.imageId = imageId;
    return item;
}

// The texts of the grid bars; the all-controls bar 1013 has a few of its own.
constexpr std::string_view kUnitsLabel = "Measurement &units:";
constexpr std::string_view kThicknessAsLabel = "Metal &thickness as:";
constexpr std::string_view kErFrequencyLabel = "&Er frequency:";
constexpr std::string_view kAutoEr = "&Calculate Er for metal layers from surrounding dielectrics";
constexpr std::string_view kFabCompensation = "Enable PCB fabrication compensation";
constexpr std::string_view kPlanForLabel = "&Plan for:";
constexpr std::string_view kStrategyLabel = "&Strategy:";
std::vector<std::string_view> thicknessChoices() { return {"Length", "Weight"}; }
std::vector<std::string_view> strategyChoices()
{
    return {"Solve for separation", "Solve for width", "Solve for both"};
}

// Rows of a bar: controls of the first row start at y 4, of the second at y 19.
constexpr int32_t kRow1 = 4;
constexpr int32_t kRow2 = 19;
constexpr int32_t kOneRowHeight = 20;
constexpr int32_t kTwoRowHeight = 34;

std::vector<TemplateItem> erFrequencyGroup(int32_t x, int32_t y = kRow1)
{
    return {label(IDC_ER_FREQUENCY_LABEL, kErFrequencyLabel, x, y, 48), edit(IDC_ER_FREQUENCY, x + 50, y, 40),
            label(IDC_MHZ_LABEL, "MHz", x + 93, y, 16)};
}

std::vector<TemplateItem> concat(std::vector<TemplateItem> a, const std::vector<TemplateItem>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<DialogTemplate> buildTemplates()
{
    std::vector<DialogTemplate> all;

    all.push_back(makeTemplate(
        IDD_ABOUTBOX, "About Laminar", 245, 95,
        {withImage(control(ItemKind::Icon, IDC_STATIC, {}, 11, 14, 21, 20), IDI_LAMINAR),
         control(ItemKind::StaticLeft, IDC_STATIC, "Laminar", 40, 10, 190, 8),
         control(ItemKind::StaticLeft, IDC_VERSION, "Version %d.%d build %d", 40, 22, 190, 8),
         control(ItemKind::StaticLeft, IDC_STATIC, "Layer stackup editor for printed-circuit boards", 40, 34, 190, 8),
         control(ItemKind::StaticLeft, IDC_STATIC, "Runs inside its host design application", 40, 46, 190, 8),
         control(ItemKind::DefPushButton, IDOK, "OK", 188, 74, 50, 14)}));

    DialogTemplate editor = makeTemplate(
        IDD_LAMINAR, "Laminar", 488, 292,
        {control(ItemKind::DefPushButton, IDOK, "OK", 314, 271, 50, 14),
         control(ItemKind::PushButton, IDCANCEL, "Cancel", 374, 271, 50, 14),
         control(ItemKind::PushButton, IDHELP, "Help", 433, 271, 50, 14),
         control(ItemKind::TabControl, IDC_TAB_CONTROL, {}, 5, 5, 478, 259),
         control(ItemKind::AutoCheckBox, IDC_KEEP_IN_SYNC, "Keep Layers in Sync", 5, 271, 81, 10)});
    editor.menuId = IDR_MENU;
    all.push_back(std::move(editor));

    all.push_back(makeTemplate(
        // Narrow enough for a picture pane of 40 % of the window: options, then the
        // total thickness, then the two-line status line.
        IDD_PICTURE_BAR, {}, 180, 48,
        {checkBox(IDC_DRAW_PROPORTIONALLY, "Draw &proportionally", 7, kRow1, 84),
         checkBox(IDC_USE_LAYER_COLORS, "Use layer colors", 95, kRow1, 70),
         label(IDC_TOTAL_THICKNESS_LABEL, "Total thickness:", 7, 17, 56),
         label(IDC_TOTAL_THICKNESS, {}, 63, 17, 100),
         control(ItemKind::StaticLeft, IDC_STATUS_LINE, {}, 7, 29, 166, 17)}));

    all.push_back(makeTemplate(
        IDD_GRID_BAR_ALL, {}, 597, kTwoRowHeight,
        concat({label(IDC_UNITS_LABEL, "Measurement &Units:", 7, kRow1, 68), dropDown(IDC_UNITS, 77, kRow1, 60),
                label(IDC_METAL_THICKNESS_AS_LABEL, kThicknessAsLabel, 145, kRow1, 68),
                dropDown(IDC_METAL_THICKNESS_AS, 215, kRow1, 48, thicknessChoices())},
               concat(erFrequencyGroup(271),
                      {button(IDC_CUSTOMIZE, "Customize...", 388, kRow1, 54),
                       hidden(checkBox(IDC_FAB_COMPENSATION, kFabCompensation, 450, kRow1, 140)),
                       checkBox(IDC_AUTO_ER, kAutoEr, 7, kRow2, 214),
                       label(IDC_PLAN_FOR_LABEL, kPlanForLabel, 229, kRow2, 34),
                       dropDown(IDC_PLAN_FOR, 265, kRow2, 60, {"Single trace", "Diff pair"}),
                       label(IDC_STRATEGY_LABEL, kStrategyLabel, 333, kRow2, 34),
                       dropDown(IDC_STRATEGY, 369, kRow2, 84, strategyChoices()),
                       button(IDC_APPLY_AS_TEST_WIDTH, "Apply as Test Width", 461, kRow2, 76)}))));

    all.push_back(makeTemplate(IDD_CUSTOMIZE, "Customize Spreadsheet", 186, 170,
                               {control(ItemKind::StaticLeft, IDC_STATIC, "&Columns:", 7, 7, 60, 8),
                                control(ItemKind::CheckList, IDC_COLUMN_LIST, {}, 7, 18, 116, 145),
                                control(ItemKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14),
                                control(ItemKind::PushButton, IDCANCEL, "Cancel", 129, 24, 50, 14),
                                withImage(control(ItemKind::BitmapButton, IDC_MOVE_UP, {}, 129, 70, 20, 20), IDB_MOVE_UP),
                                withImage(control(ItemKind::BitmapButton, IDC_MOVE_DOWN, {}, 129, 94, 20, 20),
                                          IDB_MOVE_DOWN)}));

    all.push_back(makeTemplate(IDD_BAR_BASIC, {}, 270, kOneRowHeight,
                               {label(IDC_UNITS_LABEL, kUnitsLabel, 7, kRow1, 68), dropDown(IDC_UNITS, 77, kRow1, 60),
                                label(IDC_METAL_THICKNESS_AS_LABEL, kThicknessAsLabel, 145, kRow1, 68),
                                dropDown(IDC_METAL_THICKNESS_AS, 215, kRow1, 48, thicknessChoices())}));

    // The long Auto Er text gets a row of its own so the bars fit a grid pane of 60 % of the window.
    all.push_back(makeTemplate(IDD_BAR_DIELECTRIC, {}, 228, kTwoRowHeight,
                               concat({checkBox(IDC_AUTO_ER, kAutoEr, 7, kRow1, 214)}, erFrequencyGroup(7, kRow2))));

    all.push_back(makeTemplate(IDD_BAR_METAL, {}, 376, kOneRowHeight,
                               {checkBox(IDC_AUTO_ER, kAutoEr, 7, kRow1, 214),
                                hidden(checkBox(IDC_FAB_COMPENSATION, kFabCompensation, 229, kRow1, 140))}));

    all.push_back(makeTemplate(
        IDD_BAR_Z0_PLANNING, {}, 250, 52,
        {label(IDC_PLAN_FOR_LABEL, kPlanForLabel, 7, kRow1, 34),
         dropDown(IDC_PLAN_FOR, 43, kRow1, 72, {"Single trace", "Differential pair"}),
         label(IDC_STRATEGY_LABEL, kStrategyLabel, 123, kRow1, 34), dropDown(IDC_STRATEGY, 159, kRow1, 84, strategyChoices()),
         button(IDC_APPLY_AS_TEST_WIDTH, "Apply as Test Width", 7, 24, 76),
         control(ItemKind::GroupBox, IDC_STATIC, "Hint", 89, 17, 154, 32),
         control(ItemKind::StaticLeft, IDC_STATIC, "<Error> means Z0 is physically impossible.", 95, 28, 142, 17)}));

    all.push_back(makeTemplate(IDD_BAR_CUSTOM_VIEW, {}, 228, kTwoRowHeight,
                               concat(concat({checkBox(IDC_AUTO_ER, kAutoEr, 7, kRow1, 214)}, erFrequencyGroup(7, kRow2)),
                                      {button(IDC_CUSTOMIZE, "Customize...", 130, kRow2 - 1, 54)})));

    for (DialogTemplate& graph : chartDialogTemplates())
        all.push_back(std::move(graph));

    std::sort(all.begin(), all.end(), [](const DialogTemplate& a, const DialogTemplate& b) { return a.id < b.id; });
    // The options page the report's print dialog adds to its own.
    all.push_back(makeTemplate(
        IDD_PRINT_OPTIONS, "Layers", 300, 132,
        {control(ItemKind::GroupBox, IDC_STATIC, "Print layers", 7, 7, 140, 64),
         control(ItemKind::RadioButton, IDC_PRINT_WHOLE_STACKUP, "&Whole stackup", 14, 19, 120, 10),
         control(ItemKind::RadioButton, IDC_PRINT_RANGE, "&Range:", 14, 33, 40, 10),
         control(ItemKind::Edit, IDC_PRINT_RANGE_EDIT, {}, 56, 32, 84, 12),
         control(ItemKind::StaticLeft, IDC_STATIC, "(#, #-#)", 56, 45, 84, 8),
         control(ItemKind::RadioButton, IDC_PRINT_SELECTION, "&Selection", 14, 56, 120, 10),
         control(ItemKind::GroupBox, IDC_STATIC, "Print columns:", 155, 7, 138, 118),
         control(ItemKind::CheckList, IDC_PRINT_COLUMNS, {}, 162, 19, 124, 100),
         control(ItemKind::GroupBox, IDC_STATIC, "Print Style", 7, 76, 140, 49),
         control(ItemKind::StaticLeft, IDC_STATIC, "Print As:", 14, 90, 40, 8),
         dropDown(IDC_PRINT_AS, 56, 88, 84, {loadString(IDS_PRINT_AS_LIST), loadString(IDS_PRINT_AS_TABLE)}),
         control(ItemKind::AutoCheckBox, IDC_PRINT_SCHEMATIC, "Print Schematic Image", 14, 107, 126, 10)}));

    return all;
}

} // namespace

const TemplateItem* DialogTemplate::item(uint32_t controlId) const
{
    const auto it = std::find_if(items.begin(), items.end(), [&](const TemplateItem& i) { return i.id == controlId; });
    return it == items.end() ? nullptr : &*it;
}

std::span<const DialogTemplate> dialogTemplates()
{
    static const std::vector<DialogTemplate> templates = buildTemplates();
    return templates;
}

const DialogTemplate* findDialogTemplate(uint32_t id)
{
    for (const DialogTemplate& t : dialogTemplates())
        if (t.id == id)
            return &t;
    return nullptr;
}

std::string aboutVersionLine(uint32_t major, uint32_t minor, uint32_t build)
{
    const std::string_view format = findDialogTemplate(IDD_ABOUTBOX)->item(IDC_VERSION)->text;
    const std::array<uint32_t, 3> numbers{major, minor, build};
    std::string line;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.compare(i, 2, "%d") == 0 && next < numbers.size()) {
            line += std::to_string(numbers[next++]);
            ++i;
        } else {
            line += format[i];
        }
    }
    return line;
}

} // namespace lm::res
