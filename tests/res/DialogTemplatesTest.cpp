#include "res/DialogTemplates.h"

#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include <set>

using namespace lm::res;

TEST(DialogTemplates, EveryControlLiesInsideItsTemplateAndNamedIdsAreUnique)
{
    EXPECT_EQ(findDialogTemplate(IDD_LAMINAR)->item(IDOK)->kind, ItemKind::DefPushButton);
    EXPECT_EQ(findDialogTemplate(4242), nullptr);
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

TEST(DialogTemplates, GridBarAllHoldsEveryControlOfTheTabBars)
{
    const DialogTemplate& all = *findDialogTemplate(IDD_GRID_BAR_ALL);
    for (uint32_t barId : {IDD_BAR_BASIC, IDD_BAR_DIELECTRIC, IDD_BAR_METAL, IDD_BAR_Z0_PLANNING, IDD_BAR_CUSTOM_VIEW})
        for (const TemplateItem& item : findDialogTemplate(barId)->items)
            EXPECT_TRUE(item.id == IDC_STATIC || all.item(item.id) != nullptr) << barId << " control " << item.id;
}
