#include "model/Catalogues.h"

#include <gtest/gtest.h>

using namespace lm;

TEST(Catalogues, TextsAndValuesLetTheLastMatchingRowWin)
{
    EXPECT_EQ(catalogueText(Catalogue::Usage, kSolidPlane), "Plane");
    EXPECT_EQ(catalogueValue(Catalogue::Usage, "Plane"), kSolidPlane);
    EXPECT_EQ(catalogueValue(Catalogue::Usage, "Solid Plane"), kSolidPlane);
    EXPECT_EQ(catalogueValue(Catalogue::Usage, "plane"), -1);
    EXPECT_EQ(catalogueValue(Catalogue::Usage, ""), -1);
    // Split/mixed and flooded signal have no row of their own.
    EXPECT_EQ(catalogueText(Catalogue::Usage, kSplitPlane), "");
    EXPECT_EQ(catalogueText(Catalogue::Usage, kFloodedSignal), "");
    EXPECT_EQ(catalogueText(Catalogue::Metal, kCustomMetal), "<Custom>");
}

TEST(Catalogues, DefaultLayersAndColumnsFollowTheUsage)
{
    for (int32_t usage = 0; usage < kUsageCount; ++usage) {
        const LMLAYEREX& layer = defaultLayer(usage);
        EXPECT_EQ(layer.nUsage, usage);
        EXPECT_EQ(layer.nType, isMetalUsage(usage) ? kMetal : kDielectric);
        EXPECT_EQ(layer.nMetal, isMetalUsage(usage) ? kCopper : kNoMetal);
    }
    EXPECT_EQ(&defaultLayer(kUsageCount), &defaultLayer(kSignal));
    EXPECT_EQ(&defaultLayer(-1), &defaultLayer(kSignal));
    EXPECT_FALSE(columnApplies(kUsageCount, kColLayerName));
    // Custom and unknown metals use copper's properties.
    EXPECT_EQ(&metalProperties(kCustomMetal), &metalProperties(kCopper));
    EXPECT_EQ(&metalProperties(kNoMetal), &metalProperties(kCopper));
}

TEST(Catalogues, ChoiceListsLeaveOutExcludedRowsButNeverTheFirst)
{
    EXPECT_EQ(choiceList(ChoiceList::MetalUsages), "Signal\nPlane\nPlating");
    const int32_t signalAndPlating[] = {kSignal, kPlating};
    EXPECT_EQ(choiceList(ChoiceList::MetalUsages, signalAndPlating), "Signal\nPlane");
    const int32_t solderMask[] = {kSolderMask};
    EXPECT_EQ(choiceList(ChoiceList::FlexDielectricUsages, solderMask),
              "Rigid\nFlexible\nAdhesive\nCover Layer\nStiffener");
}
