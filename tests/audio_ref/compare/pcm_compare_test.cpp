#include <gtest/gtest.h>

#include <cmath>

#include "compare/pcm_compare.h"

namespace {

TEST(PcmCompare, TruncationTowardZeroCostsUnderOneLsb)
{
    const std::vector<float> ref = {0.9f, -0.9f, 100.5f, -100.5f, 7.0f, 0.0f};
    const std::vector<int16_t> truncated = {0, 0, 100, -100, 7, 0};
    const PcmComparison c = comparePcm(truncated, ref);
    EXPECT_NEAR(c.maxDiff, 0.9, 1e-6);
    EXPECT_EQ(c.maxAt, 0u);
    EXPECT_NEAR(c.rmsDiff, std::sqrt((0.81 * 2 + 0.25 * 2) / 6), 1e-6);
}

TEST(PcmCompare, LibmadBeyondFullScaleIsComparedClipped)
{
    const PcmComparison c = comparePcm({32767, -32768, 32767}, {40000.0f, -33000.0f, 32766.0f});
    EXPECT_EQ(c.maxDiff, 1.0);
    EXPECT_EQ(c.maxAt, 2u);
    EXPECT_EQ(c.refClipped, 2u);
}

TEST(PcmCompare, LengthsAreKeptForTheCallerToCompare)
{
    const PcmComparison c = comparePcm({1, 2}, {1.0f, 2.0f, 3.0f, 4.0f});
    EXPECT_EQ(c.ourSamples, 2u);
    EXPECT_EQ(c.refSamples, 4u);
    EXPECT_EQ(c.maxDiff, 0.0);
}

TEST(PcmCompare, DescriptionNamesFrameGranuleAndChannel)
{
    std::vector<int16_t> ours(2 * 1152 * 3, 0);
    std::vector<float> ref(ours.size(), 0.0f);
    ref[2 * (1152 * 2 + 600) + 1] = 5.0f;  // frame 2, granule 1, right
    const std::string text = describe(comparePcm(ours, ref), 1152);
    EXPECT_NE(text.find("max 5.000 LSB (frame 2, granule 1, right)"), std::string::npos) << text;
}

TEST(ReferenceCompare, MonoReferenceChecksBothChannelsAndCountsLargeDifferences)
{
    const std::vector<int16_t> ours = {10, 10, -5, -7, 3, 3, 9, 9};
    const ReferenceComparison c = compareWithReference(ours, {10, -6, 3}, 1);
    EXPECT_EQ(c.compared, 6u);
    EXPECT_EQ(c.missing, 0u);
    EXPECT_EQ(c.maxDiff, 1);
    EXPECT_EQ(c.maxAt, 2u);
    EXPECT_EQ(c.overOne, 0u);
    EXPECT_NEAR(c.rmsDiff, std::sqrt(2.0 / 6), 1e-9);
    const ReferenceComparison off = compareWithReference(ours, {10, 10, -5, -4, 3, 3, 9, 9, 1, 1}, 2);
    EXPECT_EQ(off.maxDiff, 3);
    EXPECT_EQ(off.maxAt, 3u);
    EXPECT_EQ(off.overOne, 1u);
    EXPECT_EQ(off.missing, 2u) << "a reference longer than our output";
}

}  // namespace
