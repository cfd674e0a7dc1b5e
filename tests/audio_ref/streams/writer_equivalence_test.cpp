// Streams that code the same sound in two ways must decode alike in libmad. Each test writes a
// stream with the feature under test (scale factors, reuse, tables, escapes, reservoir, stereo
// coding) and a plain twin whose spectrum carries the effect directly, which shows that the
// writer codes what it means to code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "streams/equivalence.h"
#include "streams/stream_building.h"
#include "streams/writer_streams.h"
#include "writer/frame_layout.h"
#include "writer/stream_writer.h"

namespace {

// Pre-emphasis added to long-band scale factors when preflag is set.
constexpr int kPretab[22] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3, 3, 2, 0};

// Gain steps (of 2^-1/4) that a scale factor stands for.
int sfSteps(const GranulePlan& g, int sf) { return 2 * (1 + g.scalefacScale) * sf; }

// Values of one long band, and nothing else.
void fillLongBand(GranulePlan& g, const BandLayout& layout, int band, Lcg& rng)
{
    g.values = {};
    scatterValues(g, rng, layout.longStart[band], layout.longStart[band + 1], 6, 70);
}

// Where the one band with values of a granule lies.
struct ContentPlace {
    bool isLong;
    int band;
    int window;
};

ContentPlace placeOfContent(const GranulePlan& g, const BandLayout& layout)
{
    int i = 0;
    while (i < 575 && g.values[i] == 0) ++i;
    const bool longPart = g.blockType != 2 || (g.mixed && i < 36);
    if (longPart) {
        int band = 0;
        while (layout.longStart[band + 1] <= i) ++band;
        return {true, band, 0};
    }
    int band = 0;
    while (3 * layout.shortStart[band + 1] <= i) ++band;
    return {false, band, (i - 3 * layout.shortStart[band]) / layout.shortWidth(band)};
}

// Gain steps that scale factors, pre-emphasis and subblock gain take off the band with values.
int stepsAtContent(const GranulePlan& g, const BandLayout& layout)
{
    const ContentPlace at = placeOfContent(g, layout);
    if (at.isLong) return sfSteps(g, g.sfLong[at.band] + (g.preflag ? kPretab[at.band] : 0));
    return sfSteps(g, g.sfShort[at.band][at.window]) + 8 * g.subblockGain[at.window];
}

// The twin without scale factors, pre-emphasis or subblock gains: the gain carries their effect.
StreamPlan withoutScalefactors(StreamPlan s)
{
    for (FramePlan& f : s.frames) {
        const BandLayout& layout = *bandLayout(f.rate);
        f.scfsi = {0, 0};
        for (auto& granule : f.granule)
            for (GranulePlan& g : granule) {
                g.globalGain -= stepsAtContent(g, layout);
                g.sfLong = {};
                g.sfShort = {};
                g.subblockGain = {};
                g.scalefacCompress = -1;
                g.preflag = false;
            }
    }
    return s;
}

// Values in one band of a short or mixed block: a long band of the mixed part, or one window of a short band.
void fillShortBand(GranulePlan& g, const BandLayout& layout, Lcg& rng)
{
    g.values = {};
    if (g.mixed && rng.percent(30)) {
        const int band = rng.below(layout.mixedLongBands());
        scatterValues(g, rng, layout.longStart[band], layout.longStart[band + 1], 6, 70);
        return;
    }
    const int band = g.mixed ? 3 + rng.below(10) : rng.below(13);
    const int start = shortCodingIndex(layout, band, rng.below(3), 0);
    scatterValues(g, rng, start, start + layout.shortWidth(band), 6, 70);
}

// Short and mixed blocks with random scale factors and subblock gains, granule by granule.
StreamPlan shortBlocksWithScalefactors(int rate, uint32_t seed)
{
    const BandLayout& layout = *bandLayout(rate);
    Lcg rng{seed};
    StreamPlan s;
    for (int n = 0; n < 16; ++n) {
        FramePlan f = silentFrame(rate, layout.mpeg2 ? 160 : 320);
        for (int gr = 0; gr < granuleCount(layout); ++gr)
            for (int ch = 0; ch < 2; ++ch) {
                GranulePlan& g = f.granule[gr][ch];
                g.blockType = 2;
                g.mixed = n % 2;
                g.scalefacScale = rng.percent(50);
                for (int& gain : g.subblockGain) gain = rng.below(8);
                const int compress = rng.below(layout.mpeg2 ? 512 : 16);
                g.preflag = layout.mpeg2 && compress >= 500;
                randomScalefactors(f, gr, ch, rng, compress);
                fillShortBand(g, layout, rng);
                g.globalGain = std::min(255, 205 + stepsAtContent(g, layout));
            }
        s.frames.push_back(f);
    }
    return s;
}

// Long blocks with scale factors of every MPEG-2 length table, pre-emphasis included.
StreamPlan mpeg2LongWithScalefactors(int rate, uint32_t seed)
{
    const BandLayout& layout = *bandLayout(rate);
    Lcg rng{seed};
    StreamPlan s;
    for (int n = 0; n < 24; ++n) {
        FramePlan f = silentFrame(rate, 160);
        for (int ch = 0; ch < 2; ++ch) {
            GranulePlan& g = f.granule[0][ch];
            g.scalefacScale = rng.percent(50);
            const int compress = (n % 3 == 2 ? 500 : n % 3 == 1 ? 400 : 0) + rng.below(n % 3 == 2 ? 12 : n % 3 ? 100 : 400);
            g.preflag = compress >= 500;
            randomScalefactors(f, 0, ch, rng, compress);
            fillLongBand(g, layout, rng.below(22), rng);
            g.globalGain = std::min(255, 200 + stepsAtContent(g, layout));
        }
        s.frames.push_back(f);
    }
    return s;
}

// MPEG-1 long blocks with random scale factors, reused through every scfsi pattern, pre-emphasis
// and both scale-factor steps.
StreamPlan mpeg1LongWithScalefactors()
{
    const BandLayout& layout = *bandLayout(44100);
    Lcg rng{21};
    StreamPlan s;
    for (int n = 0; n < 16; ++n) {
        FramePlan f = silentFrame(44100, 320);
        f.scfsi = {n, (5 * n) % 16};
        for (int ch = 0; ch < 2; ++ch)
            for (int gr = 0; gr < 2; ++gr) {
                GranulePlan& g = f.granule[gr][ch];
                randomLongScalefactors(f, gr, ch, rng);
                fillLongBand(g, layout, rng.below(22), rng);
                g.globalGain = std::min(255, 200 + stepsAtContent(g, layout));
            }
        s.frames.push_back(f);
    }
    return s;
}

TEST(WriterEquivalence, Mpeg1LongScaleFactorsWithReuseAndPreEmphasisAreGainSteps)
{
    const StreamPlan coded = mpeg1LongWithScalefactors();
    EXPECT_LE(difference(coded, withoutScalefactors(coded)), kSameSound);
}

TEST(WriterEquivalence, ShortAndMixedScaleFactorsAndSubblockGainsAreGainSteps)
{
    for (int rate : {44100, 48000, 32000, 22050, 24000, 16000}) {
        SCOPED_TRACE(rate);
        const StreamPlan coded = shortBlocksWithScalefactors(rate, static_cast<uint32_t>(rate));
        EXPECT_LE(difference(coded, withoutScalefactors(coded)), kSameSound);
    }
}

TEST(WriterEquivalence, Mpeg2LongScaleFactorsOfEveryLengthTableAreGainSteps)
{
    for (int rate : {22050, 24000, 16000}) {
        SCOPED_TRACE(rate);
        const StreamPlan coded = mpeg2LongWithScalefactors(rate, static_cast<uint32_t>(rate) + 1);
        EXPECT_LE(difference(coded, withoutScalefactors(coded)), kSameSound);
    }
}

TEST(WriterEquivalence, TableChoiceRegionsAndBigValuesDoNotChangeTheSound)
{
    const StreamPlan chosen = namedStream("writer_long_tables_44k");
    const StreamPlan automatic = withEveryGranule(chosen, [](GranulePlan& g) {
        g.tableSelect = {-1, -1, -1};
        g.region0Count = 5;
        g.region1Count = 2;
        g.count1Table = 1;
        g.bigValues = 230;
    });
    EXPECT_LE(difference(chosen, automatic), kSameSound);
}

// Where region 1 starts in start, short, mixed and stop blocks: with one table for every region the
// boundary does not matter, so both codings read alike only if writer and libmad agree on it.
TEST(WriterEquivalence, RegionsOfWindowSwitchingBlocksStartWhereLibmadStartsThem)
{
    for (const char* name : {"writer_block_types_44k", "writer_block_types_22k"}) {
        SCOPED_TRACE(name);
        const StreamPlan perRegion = namedStream(name);
        const StreamPlan oneTable = withEveryGranule(perRegion, [](GranulePlan& g) { g.tableSelect = {13, 13, 13}; });
        EXPECT_LE(difference(perRegion, oneTable), kSameSound);
    }
}

TEST(WriterEquivalence, QuadrupleTablesAAndBCodeTheSameValues)
{
    const StreamPlan tables = namedStream("writer_count1_tables_44k");
    const StreamPlan flipped = withEveryGranule(tables, [](GranulePlan& g) { g.count1Table ^= 1; });
    EXPECT_LE(difference(tables, flipped), kSameSound);
}

// One line of the given magnitude in every granule, coded with table `table`.
StreamPlan singleLine(int magnitude, int gain, int table)
{
    StreamPlan s;
    for (int n = 0; n < 4; ++n) {
        FramePlan f = silentFrame(44100, 128);
        for (auto& granule : f.granule)
            for (GranulePlan& g : granule) {
                g.values[17] = magnitude;
                g.globalGain = gain;
                g.tableSelect = {table, table, table};
            }
        s.frames.push_back(f);
    }
    return s;
}

TEST(WriterEquivalence, EscapedMagnitudesFollowTheFourThirdsPower)
{
    // m^(4/3) = 2^(k/4) exactly for m = 8, 64, 512, 4096: k = 16, 32, 48, 64 gain steps.
    constexpr int kTable13Linbits = 23;
    EXPECT_LE(difference(singleLine(8, 194, kTable13Linbits), singleLine(1, 210, 1)), kSameSound);
    EXPECT_LE(difference(singleLine(64, 178, kTable13Linbits), singleLine(1, 210, 1)), kSameSound);
    EXPECT_LE(difference(singleLine(512, 162, 31), singleLine(1, 210, 1)), kSameSound);
    EXPECT_LE(difference(singleLine(4096, 146, 31), singleLine(1, 210, 1)), kSameSound);
}

TEST(WriterEquivalence, TheLargestEscapeIsItsMagnitudeToTheFourThirds)
{
    const std::vector<float> top = decode(singleLine(8206, 146, 31));
    const std::vector<float> unit = decode(singleLine(4096, 146, 23));
    const double ratio = std::pow(8206.0 / 4096.0, 4.0 / 3.0);
    float diff = 0;
    for (size_t i = 0; i < top.size(); ++i) diff = std::max(diff, std::fabs(top[i] - static_cast<float>(unit[i] * ratio)));
    EXPECT_LE(diff, 0.05f);
}

// The same granules in frames of another bitrate, each frame's main data in its own frame.
StreamPlan ownFrameMainData(StreamPlan s, int kbps)
{
    for (FramePlan& f : s.frames) {
        f.kbps = kbps;
        f.reach = 0;
    }
    return s;
}

TEST(WriterEquivalence, MainDataReachingFarBackSoundsAsMainDataInItsOwnFrame)
{
    for (auto [name, fullReach, plainKbps] :
         {std::tuple{"writer_reservoir_far_48k", 511, 320}, std::tuple{"writer_reservoir_far_16k", 255, 160}}) {
        const StreamPlan far = namedStream(name);
        const WrittenStream written = writeStream(far);
        EXPECT_GE(*std::max_element(written.mainDataBegin.begin(), written.mainDataBegin.end()), fullReach - 40);
        const BandLayout& layout = *bandLayout(far.frames[0].rate);
        const int slot = frameBytes(far.frames[0], layout) - 4 - sideInfoBytes(layout, 2);
        EXPECT_GE(fullReach / slot, 8) << "the reservoir should span many frames";
        EXPECT_LE(difference(far, ownFrameMainData(far, plainKbps)), kSameSound);
    }
}

TEST(WriterEquivalence, CrcAndTagsDoNotChangeTheSound)
{
    StreamPlan crc = namedStream("writer_crc_44k");
    StreamPlan plain = crc;
    for (FramePlan& f : plain.frames) f.crc = false;
    EXPECT_LE(difference(crc, plain), kSameSound);
    StreamPlan tagged = namedStream("writer_tags_44k");
    StreamPlan bare = tagged;
    bare.leading.clear();
    bare.trailing.clear();
    EXPECT_LE(difference(tagged, bare), kSameSound);
}

}  // namespace
