#include "res/DialogTemplates.h"

#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

using namespace lm::res;

TEST(DialogTemplates, EditorWindowRectanglesAreExact)
{
    const DialogTemplate* editor = findDialogTemplate(IDD_LAMINAR);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->width, 488);
    EXPECT_EQ(editor->height, 292);
    const auto box = [&](uint32_t id) {
        const TemplateItem* item = editor->item(id);
        return item ? std::array{item->x, item->y, item->cx, item->cy} : std::array{-1, -1, -1, -1};
    };
    EXPECT_EQ(box(IDOK), (std::array{314, 271, 50, 14}));
    EXPECT_EQ(box(IDCANCEL), (std::array{374, 271, 50, 14}));
    EXPECT_EQ(box(IDHELP), (std::array{433, 271, 50, 14}));
    EXPECT_EQ(box(IDC_TAB_CONTROL), (std::array{5, 5, 478, 259}));
    EXPECT_EQ(box(IDC_KEEP_IN_SYNC), (std::array{5, 271, 81, 10}));
    EXPECT_EQ(editor->item(IDOK)->kind, ItemKind::DefPushButton);
    EXPECT_EQ(findDialogTemplate(4242), nullptr);
}

TEST(DialogTemplates, EveryControlLiesInsideItsTemplateAndNamedIdsAreUnique)
{
    uint32_t previousId = 0;
    for (const DialogTemplate& t : dialogTemplates()) {
        EXPECT_GT(t.id, previousId); // ascending, no template twice
        previousId = t.id;
        std::set<uint32_t> ids;
        for (const TemplateItem& item : t.items) {
            SCOPED_TRACE("template " + std::to_string(t.id) + " control " + std::to_string(item.id));
            EXPECT_TRUE(item.x >= 0 && item.y >= 0 && item.cx > 0 && item.cy > 0);
            EXPECT_LE(item.x + item.cx, t.width);
            EXPECT_LE(item.y + item.cy, t.height);
            EXPECT_TRUE(item.id == IDC_STATIC || ids.insert(item.id).second);
        }
    }
}

TEST(DialogTemplates, PropertyBarTexts)
{
    const DialogTemplate& all = *findDialogTemplate(IDD_GRID_BAR_ALL);
    const DialogTemplate& planning = *findDialogTemplate(IDD_BAR_Z0_PLANNING);
    EXPECT_EQ(all.item(IDC_UNITS_LABEL)->text, "Measurement &Units:");
    EXPECT_EQ(findDialogTemplate(IDD_BAR_BASIC)->item(IDC_UNITS_LABEL)->text, "Measurement &units:");
    EXPECT_EQ(all.item(IDC_PLAN_FOR)->initialStrings.at(1), "Diff pair");
    EXPECT_EQ(planning.item(IDC_PLAN_FOR)->initialStrings.at(1), "Differential pair");
    EXPECT_FALSE(all.item(IDC_FAB_COMPENSATION)->visible);

    // The grid bar 1013 holds every control that any tab's bar has.
    for (uint32_t barId : {IDD_BAR_BASIC, IDD_BAR_DIELECTRIC, IDD_BAR_METAL, IDD_BAR_Z0_PLANNING, IDD_BAR_CUSTOM_VIEW}) {
        for (const TemplateItem& item : findDialogTemplate(barId)->items)
            EXPECT_TRUE(item.id == IDC_STATIC || all.item(item.id) != nullptr) << barId << " control " << item.id;
    }
}
