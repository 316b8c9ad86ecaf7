#include <gtest/gtest.h>
TEST(HostAbi, Placeholder) {}
