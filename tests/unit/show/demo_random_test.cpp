#include <gtest/gtest.h>

#include "show/demo_random.h"

namespace {

TEST(DemoRandom, UnseededSequenceStartsAsTheClassicGenerator)
{
    RandomState random{1};  // never seeded: the state starts at 1
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int32_t value : expected) EXPECT_EQ(demoRand(random), value);
}

TEST(DemoRandom, DropsTheTopBitOfTheState)
{
    // This state steps to 0xFFFF1234: bits 16 to 30 give 32767, not 65535.
    RandomState random{0xC1F9F585u};
    EXPECT_EQ(demoRand(random), 32767);
    EXPECT_EQ(random.state, 0xFFFF1234u);
}

}  // namespace
