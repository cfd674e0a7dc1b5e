// Joint-stereo coding checked the same way: a mid/side or intensity frame must sound like a plain
// left/right frame that carries the stereo matrix in its values and scale factors. Positions and
// values are chosen so that the plain twin can code the result exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "madref/mad_decode.h"
#include "streams/equivalence.h"
#include "streams/stream_building.h"
#include "writer/frame_layout.h"
#include "writer/stream_writer.h"

namespace {

constexpr int kGain = 190;

// Lines where mid has a value, side has one, or neither; never both, so that each output line is
// one value times a power of two.
void apartLines(GranulePlan& mid, GranulePlan& side, Lcg& rng, int lines)
{
    scatterValues(mid, rng, 0, lines, 7, 30);
    scatterValues(side, rng, 0, lines, 7, 30);
    for (int i = 0; i < 576; ++i)
        if (mid.values[i] && side.values[i]) side.values[i] = 0;
}

// Left = (M + S)/sqrt 2 and right = (M - S)/sqrt 2: the factor is 2 gain steps.
FramePlan leftRightOfMidSide(const FramePlan& ms)
{
    FramePlan lr = ms;
    lr.mode = 0;
    lr.modeExt = 0;
    for (int gr = 0; gr < 2; ++gr) {
        GranulePlan& left = lr.granule[gr][0];
        GranulePlan& right = lr.granule[gr][1];
        const GranulePlan& mid = ms.granule[gr][0];
        const GranulePlan& side = ms.granule[gr][1];
        for (int i = 0; i < 576; ++i) {
            left.values[i] = mid.values[i] + side.values[i];
            right.values[i] = mid.values[i] - side.values[i];
        }
        left.globalGain = right.globalGain = kGain - 2;
    }
    return lr;
}

TEST(StereoEquivalence, MidSideIsLeftAndRightOverSquareRootTwo)
{
    for (int rate : {44100, 22050}) {
        SCOPED_TRACE(rate);
        const BandLayout& layout = *bandLayout(rate);
        Lcg rng{31};
        StreamPlan ms, lr;
        for (int n = 0; n < 8; ++n) {
            FramePlan f = silentFrame(rate, layout.mpeg2 ? 160 : 320, 1, 2);
            for (int gr = 0; gr < granuleCount(layout); ++gr)
                for (int ch = 0; ch < 2; ++ch) {
                    GranulePlan& g = f.granule[gr][ch];
                    g.blockType = n % 4 == 2 ? 2 : n % 4 == 1 ? 1 : n % 4 == 3 ? 3 : 0;
                    g.globalGain = kGain;
                }
            for (int gr = 0; gr < granuleCount(layout); ++gr) apartLines(f.granule[gr][0], f.granule[gr][1], rng, 400);
            ms.frames.push_back(f);
            lr.frames.push_back(leftRightOfMidSide(f));
        }
        EXPECT_LE(difference(ms, lr), kSameSound);
    }
}

// An intensity band's effect on the left and right channel as scale factors (steps of 2^-1/2),
// or -1 where the channel gets nothing.
struct Split {
    int left;
    int right;
};

// MPEG-1: tan(p pi/12) gives (0, 1) at p = 0, (1/2, 1/2) at 3 and (1, 0) at 6; 7 leaves the band alone.
Split mpeg1Split(int position)
{
    switch (position) {
    case 0: return {-1, 0};
    case 3: return {2, 2};
    default: return {0, -1};
    }
}

// MPEG-2: with io = 2^-(scale+1)/4, odd p scales the left by io^((p+1)/2), even p the right by io^(p/2).
Split mpeg2Split(int position, int scale, int illegal)
{
    if (position == illegal) return {0, -1};
    const int n = position % 2 ? (position + 1) / 2 : position / 2;
    const int steps = (scale + 1) * n / 2;
    return position % 2 ? Split{steps, 0} : Split{0, steps};
}

// Frames of long or short intensity bands above channel 1's own values, with the given positions.
struct IntensityCase {
    int rate;
    bool shortBlocks;
    int scale;            // MPEG-2 intensity scale
    int compress;         // MPEG-2 scalefac_compress of channel 1, without the scale bit; -1 in MPEG-1
    std::vector<int> positions;
    int illegal;          // the position that means "no intensity"
};

Split splitOf(const IntensityCase& c, int position)
{
    return c.compress < 0 ? mpeg1Split(position) : mpeg2Split(position, c.scale, c.illegal);
}

// The intensity frame and its plain twin: granule `gr`, one band of one window (long: window 0).
struct Twins {
    FramePlan& is;
    FramePlan& lr;
    int gr;
};

int& sfAt(GranulePlan& g, bool shortBlocks, int band, int window)
{
    return shortBlocks ? g.sfShort[band][window] : g.sfLong[band];
}

std::array<int, 2> bandLines(const BandLayout& layout, bool shortBlocks, int band, int window)
{
    if (!shortBlocks) return {layout.longStart[band], layout.longStart[band + 1]};
    const int from = shortCodingIndex(layout, band, window, 0);
    return {from, from + layout.shortWidth(band)};
}

// Below the bound both channels have values of their own, the last band of channel 1 included.
void ownBand(Twins t, const BandLayout& layout, bool shortBlocks, int band, int window, bool last, Lcg& rng)
{
    const auto [from, to] = bandLines(layout, shortBlocks, band, window);
    for (int ch = 0; ch < 2; ++ch) {
        scatterValues(t.is.granule[t.gr][ch], rng, from, to, 5, 40);
        if (last && ch == 1) t.is.granule[t.gr][1].values[from] = 1;
        for (int i = from; i < to; ++i) t.lr.granule[t.gr][ch].values[i] = t.is.granule[t.gr][ch].values[i];
    }
}

// Above it, channel 0's values spread over both channels by the band's position.
void intensityBand(Twins t, const IntensityCase& c, const BandLayout& layout, int band, int window, int position,
                   Lcg& rng)
{
    const auto [from, to] = bandLines(layout, c.shortBlocks, band, window);
    GranulePlan& source = t.is.granule[t.gr][0];
    scatterValues(source, rng, from, to, 5, 50);
    const Split split = splitOf(c, position);
    for (int i = from; i < to; ++i) {
        t.lr.granule[t.gr][0].values[i] = split.left < 0 ? 0 : source.values[i];
        t.lr.granule[t.gr][1].values[i] = split.right < 0 ? 0 : source.values[i];
    }
    const int lastBandWithFactor = c.shortBlocks ? 11 : 20;
    if (band > lastBandWithFactor) return;
    sfAt(t.is.granule[t.gr][1], c.shortBlocks, band, window) = position;
    sfAt(t.lr.granule[t.gr][0], c.shortBlocks, band, window) = std::max(split.left, 0);
    sfAt(t.lr.granule[t.gr][1], c.shortBlocks, band, window) = std::max(split.right, 0);
}

void intensityGranule(Twins t, const IntensityCase& c, const BandLayout& layout, Lcg& rng)
{
    const int bands = c.shortBlocks ? 13 : 22;
    for (int w = 0; w < (c.shortBlocks ? 3 : 1); ++w) {
        const int bound = c.shortBlocks ? 3 + rng.below(8) : 3 + rng.below(15);
        for (int b = 0; b < bound; ++b) ownBand(t, layout, c.shortBlocks, b, w, b == bound - 1, rng);
        for (int b = bound; b < bands; ++b) {
            // The last band has no scale factor: the ISO reference decoder gives it the position of
            // the band below, libmad position 0; with 0 there both agree.
            const int position = b >= bands - 2 ? 0 : c.positions[rng.below(static_cast<int>(c.positions.size()))];
            intensityBand(t, c, layout, b, w, position, rng);
        }
    }
}

StreamPlan intensityFrames(const IntensityCase& c, StreamPlan& plain)
{
    const BandLayout& layout = *bandLayout(c.rate);
    Lcg rng{static_cast<uint32_t>(c.rate + c.scale + 10 * c.shortBlocks)};
    StreamPlan coded;
    for (int n = 0; n < 6; ++n) {
        FramePlan is = silentFrame(c.rate, layout.mpeg2 ? 160 : 320, 1, 1);
        for (auto& granule : is.granule)
            for (GranulePlan& g : granule) {
                g.blockType = c.shortBlocks ? 2 : 0;
                g.globalGain = kGain;
            }
        FramePlan lr = is;
        lr.mode = 0;
        lr.modeExt = 0;
        for (int gr = 0; gr < granuleCount(layout); ++gr) {
            GranulePlan& right = is.granule[gr][1];
            right.intensityScale = c.scale;
            right.scalefacCompress = c.compress < 0 ? 15 : c.compress + c.scale;
            intensityGranule({is, lr, gr}, c, layout, rng);
        }
        coded.frames.push_back(is);
        plain.frames.push_back(lr);
    }
    return coded;
}

void expectIntensityIsItsSplit(const IntensityCase& c)
{
    SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << (c.shortBlocks ? "short" : "long") << ", scale " << c.scale
                                    << ", compress " << c.compress);
    StreamPlan plain;
    const StreamPlan coded = intensityFrames(c, plain);
    EXPECT_LE(difference(coded, plain), kSameSound);
}

TEST(StereoEquivalence, Mpeg1IntensityPositionsSplitTheBand)
{
    for (bool shortBlocks : {false, true}) expectIntensityIsItsSplit({44100, shortBlocks, 0, -1, {0, 3, 6, 7}, 7});
}

TEST(StereoEquivalence, Mpeg2IntensityPositionsSplitTheBand)
{
    for (bool shortBlocks : {false, true}) {
        expectIntensityIsItsSplit({22050, shortBlocks, 1, 258, {0, 1, 2, 3, 4, 5, 6, 7}, 7});
        expectIntensityIsItsSplit({16000, shortBlocks, 0, 258, {0, 3, 4, 7}, 7});
    }
}

TEST(StereoEquivalence, Mpeg2IntensityTakesTheLargestPositionAsNone)
{
    // 4-bit positions: 15 means "no intensity"; 7 is an ordinary position.
    std::vector<int> all(16);
    for (int p = 0; p < 16; ++p) all[p] = p;
    for (bool shortBlocks : {false, true}) {
        expectIntensityIsItsSplit({24000, shortBlocks, 1, 344, all, 15});
        expectIntensityIsItsSplit({24000, shortBlocks, 0, 344, {0, 3, 4, 7, 8, 11, 12, 15}, 15});
    }
}

// A mixed block whose values all lie below line 28 (clear of the alias butterflies at line 36)
// sounds like a long block: its first two sub-bands are long blocks.
TEST(StereoEquivalence, MixedBlockWithLowValuesOnlyIsALongBlock)
{
    for (int rate : {44100, 22050}) {
        SCOPED_TRACE(rate);
        const BandLayout& layout = *bandLayout(rate);
        Lcg rng{41};
        StreamPlan normal;
        for (int n = 0; n < 6; ++n) {
            FramePlan f = silentFrame(rate, 128);
            for (int gr = 0; gr < granuleCount(layout); ++gr)
                for (int ch = 0; ch < 2; ++ch) {
                    GranulePlan& g = f.granule[gr][ch];
                    g.globalGain = kGain;
                    scatterValues(g, rng, 0, 28, 9, 60);
                }
            normal.frames.push_back(f);
        }
        const StreamPlan mixed = withEveryGranule(normal, [](GranulePlan& g) {
            g.blockType = 2;
            g.mixed = true;
        });
        EXPECT_LE(difference(mixed, normal), kSameSound);
    }
}

TEST(StereoEquivalence, SingleChannelIsOnBothSides)
{
    for (const char* name : {"writer_mono_44k", "writer_mono_22k"}) {
        SCOPED_TRACE(name);
        const StreamPlan mono = namedStream(name);
        StreamPlan stereo = mono;
        for (FramePlan& f : stereo.frames) {
            f.mode = 0;
            for (auto& granule : f.granule) granule[1] = GranulePlan{};
        }
        const std::vector<float> one = decode(mono);
        const std::vector<float> two = decode(stereo);
        ASSERT_EQ(one.size(), two.size());
        float diff = 0;
        for (size_t i = 0; i < one.size(); i += 2)
            diff = std::max({diff, std::fabs(one[i] - two[i]), std::fabs(one[i + 1] - two[i])});
        EXPECT_LE(diff, kSameSound);
    }
}

}  // namespace
