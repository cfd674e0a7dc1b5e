#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "audio/alias_reduction.h"
#include "audio/band_tables.h"
#include "audio/hybrid_filter.h"
#include "audio/layer3_tables.h"
#include "audio/synthesis.h"
#include "reference_filterbank.h"

namespace {

struct GranuleKind {
    int blockType;
    bool mixed;
    int topBand;  // long (or, for short blocks, short) band whose start ends the non-zero lines
};

// Random values, falling with frequency, below the band's first line; the band limits set the
// way the Huffman pass sets them.
GranuleInfo randomGranule(const GranuleKind& kind, std::mt19937& rng, float* spectrum)
{
    GranuleInfo g{};
    g.block_type = kind.blockType;
    g.mixed_block_flag = kind.mixed;
    bool shortBlock = kind.blockType == 2;
    int top = shortBlock ? 3 * kShortBandStarts[0][kind.topBand] : kLongBandStarts[0][kind.topBand];
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    for (int i = 0; i < 576; ++i) spectrum[i] = i < top ? value(rng) * 0.02f / (1.0f + i / 40.0f) : 0.0f;
    g.activeSubbands = shortBlock ? kShortSubbandLimits[0][std::max(kind.topBand, kind.mixed ? 3 : 0)]
                                  : kLongSubbandLimits[0][kind.topBand];
    if (kind.blockType == 2 && !kind.mixed) return g;
    reduceAliasing(spectrum, g);
    return g;
}

// The fast path (hybrid filter bank, then synthesis into 16-bit PCM) against the slow path
// evaluated from the standard's formulas, over block-type changes and a silent tail.
TEST(FilterBank, FastPathMatchesTheStandardsFormulas)
{
    const GranuleKind kinds[] = {{0, false, 22}, {0, false, 5}, {1, false, 22}, {2, false, 13}, {2, false, 4},
                                 {3, false, 12}, {0, false, 1}, {2, true, 9},   {2, true, 3},  {0, false, 22},
                                 {0, false, 0},  {0, false, 0}};
    std::mt19937 rng(5);
    HybridState hybrid{};
    SynthesisState synth{};
    ReferenceHybrid refHybrid[2];
    ReferenceSynthesis refSynth[2];
    int16_t pcm[32];
    int compared = 0;
    for (int round = 0; round < 3; ++round) {
        for (const GranuleKind& kind : kinds) {
            float spectrum[2][576], slots[2][576];
            double refSlots[2][576];
            for (int ch = 0; ch < 2; ++ch) {
                GranuleInfo g = randomGranule(kind, rng, spectrum[ch]);
                referenceHybrid(refHybrid[ch], spectrum[ch], kind.blockType, kind.mixed, refSlots[ch]);
                hybridFilter(hybrid, spectrum[ch], slots[ch], ch, g);
            }
            for (int t = 0; t < 18; ++t) {
                for (int ch = 0; ch < 2; ++ch) {
                    ASSERT_EQ(synthesize(synth, slots[ch] + 32 * t, ch, pcm), 0);
                    double expected[32];
                    referenceSynthesize(refSynth[ch], refSlots[ch] + 32 * t, expected);
                    for (int j = 0; j < 32; ++j) {
                        ASSERT_LT(std::fabs(expected[j]), 32000.0) << "test signal too loud";
                        int diff = std::abs(pcm[j] - static_cast<int>(std::trunc(expected[j])));
                        ASSERT_LE(diff, 1) << "block type " << kind.blockType << " slot " << t << " sample " << j;
                        compared += std::fabs(expected[j]) > 1000;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 10000) << "the signal must be loud enough to tell";
}

// A loud granule, then silence: the first silent granule plays the overlap, the second is silent.
TEST(FilterBank, OverlapRingsOutForOneGranule)
{
    std::mt19937 rng(3);
    HybridState hybrid{};
    float spectrum[576], slots[576];
    hybridFilter(hybrid, spectrum, slots, 0, randomGranule({0, false, 22}, rng, spectrum));
    GranuleInfo silent{};
    silent.activeSubbands = kLongSubbandLimits[0][0];
    std::fill(std::begin(spectrum), std::end(spectrum), 0.0f);
    hybridFilter(hybrid, spectrum, slots, 0, silent);
    float energy = 0;
    for (float s : slots) energy += s * s;
    EXPECT_GT(energy, 0.0f);
    hybridFilter(hybrid, spectrum, slots, 0, silent);
    for (float s : slots) ASSERT_EQ(s, 0.0f);
}

TEST(FilterBank, TruncationTowardZeroAndClipping)
{
    struct Case {
        float sum;
        int16_t sample;
        int clipped;
    } cases[] = {{32767.9f, 32767, 0}, {32768.0f, 32767, 1}, {1e30f, 32767, 1},   {-0.7f, 0, 0},
                 {0.7f, 0, 0},         {-1.5f, -1, 0},       {-32768.9f, -32768, 0}, {-32769.0f, -32768, 1},
                 {-1e30f, -32768, 1},  {std::numeric_limits<float>::quiet_NaN(), 32767, 1}};
    for (const Case& c : cases) {
        int clips = 0;
        EXPECT_EQ(toPcm(c.sum, clips), c.sample) << c.sum;
        EXPECT_EQ(clips, c.clipped) << c.sum;
    }
}

// A full-scale slot clips and counts.
TEST(FilterBank, SynthesisCountsClippedSamples)
{
    SynthesisState synth{};
    float loud[32];
    int16_t pcm[32];
    int clips = 0, extremes = 0;
    for (int slot = 0; slot < 20; ++slot) {
        for (int k = 0; k < 32; ++k) loud[k] = (k % 2 ? -4.0f : 4.0f) * (slot % 2 ? -1.0f : 1.0f);
        clips += synthesize(synth, loud, 0, pcm);
        for (int16_t s : pcm) extremes += s == 32767 || s == -32768;
    }
    EXPECT_GT(clips, 0);
    EXPECT_EQ(clips, extremes);
}

TEST(FilterBank, InterleavesLeftAndRight)
{
    int16_t left[32], right[32];
    for (int i = 0; i < 32; ++i) {
        left[i] = static_cast<int16_t>(i - 1000);
        right[i] = static_cast<int16_t>(-7 * i);
    }
    uint8_t out[128];
    interleave(left, right, out);
    for (int i = 0; i < 32; ++i) {
        int16_t l, r;
        std::memcpy(&l, out + 4 * i, 2);
        std::memcpy(&r, out + 4 * i + 2, 2);
        ASSERT_EQ(l, left[i]);
        ASSERT_EQ(r, right[i]);
    }
}

}  // namespace
