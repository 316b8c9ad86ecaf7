#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(LayerRecord, NameReadIsBoundedByTheFieldAndWriteIsCutAndTerminated)
{
    LMLAYEREX layer{};
    std::memset(layer.szName, 'x', sizeof(layer.szName));
    EXPECT_EQ(lm::layerName(layer).size(), sizeof(layer.szName));
    lm::setLayerName(layer, std::string(100, 'a'));
    EXPECT_EQ(lm::layerName(layer), std::string(lm::kMaxNameBytes, 'a'));
    EXPECT_EQ(layer.szName[lm::kMaxNameBytes], '\0');
    lm::setLayerName(layer, "Top");
    EXPECT_EQ(layer.szName[4], '\0');
    EXPECT_EQ(lm::layerName(layer), "Top");
}
