#include "streams/writer_streams.h"

#include <algorithm>
#include <cmath>

#include "streams/stream_building.h"
#include "writer/frame_layout.h"
#include "writer/huffman_writer.h"

namespace {

// MPEG-1 scalefac_compress values whose two lengths are both 3 or more, so every scale factor can
// hold an intensity position 0 to 7.
constexpr int kCompressHoldingPositions[] = {13, 15};
// MPEG-2 scalefac_compress of the intensity channel with lengths 3, 3, 3 (a value of 7 then means
// "no intensity" in every reading of the standard), and with lengths 4, 4, 4; bit 0 is the scale.
constexpr int kMpeg2IntensityCompress3 = 258;
constexpr int kMpeg2IntensityCompress4 = 344;

StreamPlan silence44k()
{
    StreamPlan s;
    for (int n = 0; n < 4; ++n) s.frames.push_back(silentFrame(44100, 128));
    return s;
}

// Every pair table without linbits, one per region, with region counts that move from granule to granule.
StreamPlan longTables44k()
{
    constexpr int kTables[] = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15};
    const BandLayout& layout = *bandLayout(44100);
    Lcg rng{1};
    StreamPlan s;
    int next = 0;
    for (int n = 0; n < 10; ++n) {
        FramePlan f = silentFrame(44100, 320);
        for (int gr = 0; gr < 2; ++gr)
            for (int ch = 0; ch < 2; ++ch) {
                GranulePlan& g = f.granule[gr][ch];
                g.globalGain = 170;
                g.region0Count = (n + gr + 3 * ch) % 12;
                g.region1Count = (n + 2 * gr + ch) % 8;
                const std::array<int, 2> starts = regionStarts(g, layout);
                const int bounds[4] = {0, starts[0], starts[1], 400};
                for (int r = 0; r < 3; ++r) {
                    g.tableSelect[r] = kTables[next++ % std::size(kTables)];
                    scatterValues(g, rng, std::min(bounds[r], 400), std::min(bounds[r + 1], 400),
                                  tableMaxValue(g.tableSelect[r]), 35);
                }
            }
        s.frames.push_back(f);
    }
    return s;
}


// Tables 16 to 31: escapes of value 15 and 16 and the largest value each table's linbits reach.
StreamPlan linbits48k()
{
    Lcg rng{2};
    StreamPlan s;
    for (int n = 0; n < 8; ++n) {
        FramePlan f = silentFrame(48000, 320);
        for (int gr = 0; gr < 2; ++gr)
            for (int ch = 0; ch < 2; ++ch) {
                GranulePlan& g = f.granule[gr][ch];
                const int table = 16 + (4 * n + 2 * gr + ch) % 16;
                const int top = tableMaxValue(table);
                g.tableSelect = {table, table, table};
                g.region0Count = 3;
                g.region1Count = 4;
                scatterValues(g, rng, 0, 240, std::min(top, 40), 30);
                g.values[3] = 15;
                g.values[4] = -16;
                g.values[30 + 7 * (n % 4)] = gr ? -top : top;
                g.globalGain = 210 - static_cast<int>(std::lround(4 * std::log2(12 * std::pow(top, 4.0 / 3))));
            }
        s.frames.push_back(f);
    }
    return s;
}

// Spectra of +-1 after a short big-values part, coded with quadruple tables A and B in turn.
StreamPlan count1Tables44k()
{
    Lcg rng{3};
    StreamPlan s;
    for (int n = 0; n < 6; ++n) {
        FramePlan f = silentFrame(44100, 256);
        for (int gr = 0; gr < 2; ++gr)
            for (int ch = 0; ch < 2; ++ch) {
                GranulePlan& g = f.granule[gr][ch];
                g.globalGain = 186;
                g.count1Table = (n + gr + ch) % 2;
                const int bigLines = 4 * (n % 3);
                scatterValues(g, rng, 0, bigLines, 3, 60);
                scatterValues(g, rng, bigLines, 572, 1, 25);
            }
        s.frames.push_back(f);
    }
    return s;
}

// Block types of each granule of a channel, frame after frame: normal, start, short, stop, and
// short blocks marked mixed where the flag is set.
struct BlockPlan {
    int type[2];
    bool mixed;
};

void fillBlock(GranulePlan& g, const BlockPlan& plan, int gr, Lcg& rng)
{
    g.blockType = plan.type[gr];
    g.mixed = plan.mixed && g.blockType == 2;
    g.globalGain = 163;
    if (g.blockType == 2) {
        for (int w = 0; w < 3; ++w) g.subblockGain[w] = rng.below(3);
        g.globalGain += 8 * std::max({g.subblockGain[0], g.subblockGain[1], g.subblockGain[2]});
    }
    scatterValues(g, rng, 0, 300 + rng.below(200), 9, 25);
    if (g.mixed) scatterValues(g, rng, 0, 36, 15, 50);
}

StreamPlan blockTypes(int rate, int kbps, int mode, const std::vector<BlockPlan>& plans0,
                      const std::vector<BlockPlan>& plans1)
{
    const BandLayout& layout = *bandLayout(rate);
    Lcg rng{4};
    StreamPlan s;
    for (size_t n = 0; n < plans0.size(); ++n) {
        FramePlan f = silentFrame(rate, kbps, mode);
        for (int gr = 0; gr < granuleCount(layout); ++gr)
            for (int ch = 0; ch < 2; ++ch) {
                fillBlock(f.granule[gr][ch], (ch ? plans1 : plans0)[n], gr, rng);
                randomScalefactors(f, gr, ch, rng, rng.below(layout.mpeg2 ? 400 : 16));
            }
        s.frames.push_back(f);
    }
    return s;
}

// MPEG-1: the two channels switch windows at different times; channel 1 uses mixed blocks.
StreamPlan blockTypes44k()
{
    const std::vector<BlockPlan> ch0 = {{{0, 1}, false}, {{2, 2}, false}, {{2, 3}, false}, {{0, 0}, false},
                                        {{1, 2}, false}, {{2, 2}, false}, {{3, 1}, false}, {{2, 3}, false}};
    const std::vector<BlockPlan> ch1 = {{{0, 0}, false}, {{1, 2}, true}, {{2, 2}, true}, {{3, 1}, false},
                                        {{2, 3}, false}, {{0, 1}, false}, {{2, 2}, true}, {{3, 0}, false}};
    return blockTypes(44100, 320, 0, ch0, ch1);
}

// MPEG-2 has one granule per frame: the same walk through the block types, mixed blocks included,
// in a dual-channel stream.
StreamPlan blockTypes22k()
{
    const std::vector<BlockPlan> ch0 = {{{0}, false}, {{1}, false}, {{2}, false}, {{2}, false}, {{3}, false},
                                        {{1}, false}, {{2}, true},  {{2}, true},  {{3}, false}, {{0}, false}};
    const std::vector<BlockPlan> ch1 = {{{1}, false}, {{2}, true},  {{2}, true},  {{3}, false}, {{0}, false},
                                        {{1}, false}, {{2}, false}, {{3}, false}, {{1}, false}, {{2}, true}};
    return blockTypes(22050, 160, 2, ch0, ch1);
}

// MPEG-1 long blocks with scale factors in every band, reused by granule 1 through all 16 scfsi
// patterns, with pre-emphasis and both scale-factor steps.
StreamPlan scfsi32k()
{
    Lcg rng{5};
    StreamPlan s;
    for (int n = 0; n < 16; ++n) {
        FramePlan f = silentFrame(32000, 320);
        f.scfsi = {n, 15 - n};
        for (int ch = 0; ch < 2; ++ch)
            for (int gr = 0; gr < 2; ++gr) {
                GranulePlan& g = f.granule[gr][ch];
                randomLongScalefactors(f, gr, ch, rng);
                g.globalGain = 178 + 4 * g.scalefacScale;
                scatterValues(g, rng, 0, 576, 5, 20);
            }
        s.frames.push_back(f);
    }
    return s;
}

// Both channels of a joint-stereo frame switch windows together, as mid/side and intensity need.
void sameBlocks(FramePlan& f, int gr, int type, bool mixed)
{
    for (int ch = 0; ch < 2; ++ch) {
        f.granule[gr][ch].blockType = type;
        f.granule[gr][ch].mixed = mixed;
    }
}

// Mid/side stereo in long, short and mixed blocks.
StreamPlan midSide48k()
{
    constexpr int kTypes[][2] = {{0, 0}, {0, 1}, {2, 2}, {2, 3}, {0, 1}, {2, 2}, {3, 0}, {0, 0}};
    Lcg rng{6};
    StreamPlan s;
    for (int n = 0; n < 8; ++n) {
        FramePlan f = silentFrame(48000, 320, 1, 2);
        for (int gr = 0; gr < 2; ++gr) {
            sameBlocks(f, gr, kTypes[n][gr], n == 5);
            for (int ch = 0; ch < 2; ++ch) {
                GranulePlan& g = f.granule[gr][ch];
                g.globalGain = ch ? 161 : 176;
                scatterValues(g, rng, 0, ch ? 250 : 450, 11, 30);
                randomScalefactors(f, gr, ch, rng, rng.below(16));
            }
        }
        s.frames.push_back(f);
    }
    return s;
}

// Channel 1 of an intensity frame: its own values below `bound` (a long band), intensity
// positions above (7 means none). The last band has no scale factor: the ISO reference decoder
// gives it the position of the band below, libmad position 0; band 20 keeps 0 so both agree.
void intensityLong(FramePlan& f, int gr, const BandLayout& layout, int bound, Lcg& rng)
{
    GranulePlan& right = f.granule[gr][1];
    scatterValues(right, rng, 0, layout.longStart[bound], 7, 40);
    for (int b = 0; b < 20; ++b) right.sfLong[b] = rng.below(8);
}

// The same for short blocks, with a bound of its own in each window; band 11 keeps position 0.
void intensityShort(FramePlan& f, int gr, const BandLayout& layout, const int bound[3], Lcg& rng)
{
    GranulePlan& right = f.granule[gr][1];
    for (int w = 0; w < 3; ++w)
        for (int b = 0; b < bound[w]; ++b) {
            const int start = shortCodingIndex(layout, b, w, 0);
            scatterValues(right, rng, start, start + layout.shortWidth(b), 7, 40);
        }
    for (int b = 0; b < 11; ++b)
        for (int w = 0; w < 3; ++w) right.sfShort[b][w] = rng.below(8);
}

// MPEG-1 intensity stereo, alone and with mid/side, in long and short blocks; all positions 0 to 7.
StreamPlan intensity44k()
{
    const BandLayout& layout = *bandLayout(44100);
    Lcg rng{7};
    StreamPlan s;
    for (int n = 0; n < 10; ++n) {
        FramePlan f = silentFrame(44100, 320, 1, n % 2 ? 3 : 1);
        for (int gr = 0; gr < 2; ++gr) {
            const bool shortBlocks = n >= 6 && !(n == 6 && gr == 0) && !(n == 9 && gr == 1);
            sameBlocks(f, gr, shortBlocks ? 2 : n == 5 && gr == 1 ? 1 : n == 9 ? 3 : 0, false);
            GranulePlan& left = f.granule[gr][0];
            left.globalGain = 178;
            scatterValues(left, rng, 0, 500, 9, 35);
            randomScalefactors(f, gr, 0, rng, rng.below(16));
            f.granule[gr][1].globalGain = 173;
            f.granule[gr][1].scalefacCompress = kCompressHoldingPositions[(n + gr) % 2];
            if (shortBlocks) {
                const int bound[3] = {3 + rng.below(8), 3 + rng.below(8), 3 + rng.below(8)};
                intensityShort(f, gr, layout, bound, rng);
            } else {
                intensityLong(f, gr, layout, 4 + rng.below(15), rng);
            }
        }
        s.frames.push_back(f);
    }
    return s;
}

// MPEG-2 intensity stereo with both intensity scales and the given scalefac_compress on channel 1.
StreamPlan intensityMpeg2(int rate, int compress, int positions, uint32_t seed)
{
    const BandLayout& layout = *bandLayout(rate);
    Lcg rng{seed};
    StreamPlan s;
    for (int n = 0; n < 10; ++n) {
        FramePlan f = silentFrame(rate, 160, 1, n % 3 == 2 ? 3 : 1);
        const bool shortBlocks = n >= 5 && n <= 7;
        sameBlocks(f, 0, shortBlocks ? 2 : n == 4 ? 1 : n == 8 ? 3 : 0, false);
        GranulePlan& left = f.granule[0][0];
        left.globalGain = 176;
        scatterValues(left, rng, 0, 500, 9, 35);
        randomScalefactors(f, 0, 0, rng, rng.below(400));
        GranulePlan& right = f.granule[0][1];
        right.globalGain = 171;
        right.intensityScale = n % 2;
        right.scalefacCompress = compress + n % 2;
        if (shortBlocks) {
            const int bound[3] = {2 + rng.below(9), 2 + rng.below(9), 2 + rng.below(9)};
            intensityShort(f, 0, layout, bound, rng);
            for (int b = 0; b < 11; ++b)
                for (int& sf : right.sfShort[b]) sf = rng.below(positions);
        } else {
            intensityLong(f, 0, layout, 3 + rng.below(16), rng);
            for (int b = 0; b < 20; ++b) right.sfLong[b] = rng.below(positions);
        }
        s.frames.push_back(f);
    }
    return s;
}

// Positions 0 to 7 in 3-bit scale factors: 7 is "no intensity" however the standard is read.
StreamPlan intensity22k() { return intensityMpeg2(22050, kMpeg2IntensityCompress3, 8, 8); }

// Positions 0 to 15 in 4-bit scale factors: the standard takes 15 (the largest value the length
// holds) as "no intensity" and 7 as an ordinary position.
StreamPlan intensityPositions24k() { return intensityMpeg2(24000, kMpeg2IntensityCompress4, 16, 9); }

// Low-bitrate frames whose main data starts up to the full reservoir back, many frames earlier:
// light granules fill the reservoir, heavy ones empty it.
StreamPlan reservoir(int rate, int kbps, int frames, int heavyEvery, int heavyLines, uint32_t seed)
{
    const BandLayout& layout = *bandLayout(rate);
    Lcg rng{seed};
    StreamPlan s;
    for (int n = 0; n < frames; ++n) {
        FramePlan f = silentFrame(rate, kbps);
        const bool heavy = n % heavyEvery == heavyEvery - 1;
        for (int gr = 0; gr < granuleCount(layout); ++gr)
            for (int ch = 0; ch < 2; ++ch) {
                GranulePlan& g = f.granule[gr][ch];
                g.globalGain = 182;
                scatterValues(g, rng, 0, heavy ? heavyLines : 12, 3, heavy ? 45 : 30);
            }
        s.frames.push_back(f);
    }
    return s;
}

// MPEG-1: 60-byte main-data slots, so 511 bytes of reservoir reach back nine frames.
StreamPlan reservoirFar48k() { return reservoir(48000, 32, 40, 10, 200, 10); }

// MPEG-2: 15-byte slots, so 255 bytes reach back seventeen frames.
StreamPlan reservoirFar16k() { return reservoir(16000, 8, 60, 18, 190, 11); }

// Every frame protected by a CRC, with window switching and mid/side.
StreamPlan crc44k()
{
    StreamPlan s = blockTypes44k();
    for (FramePlan& f : s.frames) f.crc = true;
    s.frames.push_back(midSide48k().frames[2]);
    s.frames.back().rate = 44100;
    s.frames.back().crc = true;
    return s;
}

// An ID3v2 tag full of false frame headers in front, an end-of-file "TAG" block behind.
StreamPlan tags44k()
{
    StreamPlan s = longTables44k();
    s.frames.resize(5);
    s.leading = id3v2Tag(3000);
    s.trailing = id3v1Tag();
    return s;
}

// MPEG-2 scale factors of every length table: scalefac_compress from 0-399, 400-499 and 500-511
// (pre-emphasis) in long, short and mixed blocks.
StreamPlan mpeg2Scalefactors(int rate, uint32_t seed)
{
    constexpr int kRanges[3][2] = {{0, 400}, {400, 100}, {500, 12}};
    constexpr int kKinds[][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 0}};
    Lcg rng{seed};
    StreamPlan s;
    for (int n = 0; n < 15; ++n) {
        FramePlan f = silentFrame(rate, 160);
        const int range = n % 3;
        sameBlocks(f, 0, kKinds[n % 5][0], kKinds[n % 5][1]);
        for (int ch = 0; ch < 2; ++ch) {
            GranulePlan& g = f.granule[0][ch];
            g.preflag = range == 2;
            g.scalefacScale = rng.percent(50);
            g.globalGain = 176 + 4 * g.scalefacScale;
            randomScalefactors(f, 0, ch, rng, kRanges[range][0] + rng.below(kRanges[range][1]));
            scatterValues(g, rng, 0, 576, 5, 20);
        }
        s.frames.push_back(f);
    }
    return s;
}

StreamPlan mpeg2Scalefactors22k() { return mpeg2Scalefactors(22050, 12); }
StreamPlan mpeg2Scalefactors24k() { return mpeg2Scalefactors(24000, 13); }
StreamPlan mpeg2Scalefactors16k() { return mpeg2Scalefactors(16000, 14); }

// Single-channel streams: the channel's side information and main data alone in the frame.
StreamPlan mono(StreamPlan stereo)
{
    for (FramePlan& f : stereo.frames) f.mode = 3;
    return stereo;
}

StreamPlan mono44k() { return mono(scfsi32k()); }
StreamPlan mono22k() { return mono(blockTypes22k()); }

// The first frame's main data would start 100 bytes before the stream: libmad drops that frame.
StreamPlan firstFrameReach44k()
{
    StreamPlan s = longTables44k();
    s.frames.resize(4);
    s.frames[0].reach = 100;
    s.allowReachBeforeStart = true;
    return s;
}

// 24 kHz long bands 17 and 18 meet at line 332; their scale factors differ by a factor 128.
StreamPlan bands24k()
{
    Lcg rng{15};
    StreamPlan s;
    for (int n = 0; n < 6; ++n) {
        FramePlan f = silentFrame(24000, 160);
        for (int ch = 0; ch < 2; ++ch) {
            GranulePlan& g = f.granule[0][ch];
            g.globalGain = 184;
            g.scalefacScale = true;
            g.sfLong[17] = ch ? 7 : 0;
            g.sfLong[18] = ch ? 0 : 7;
            scatterValues(g, rng, 300, 360, 7, 80);
        }
        s.frames.push_back(f);
    }
    return s;
}

// Junk in front of the first frame, and junk between two frames after the decoder has locked on;
// the frame behind it keeps its main data to itself.
StreamPlan junk44k()
{
    StreamPlan s = longTables44k();
    s.frames.resize(6);
    s.leading = junk(5000);
    s.frames[3].junkBefore = junk(300);
    s.frames[3].reach = 0;
    return s;
}

// MPEG audio inside a RIFF/WAVE wrapper.
StreamPlan riff44k()
{
    StreamPlan s = longTables44k();
    s.frames.resize(5);
    s.leading = riffHeader(static_cast<uint32_t>(writeStream(s).bytes.size()));
    return s;
}

}  // namespace

const std::vector<WriterStream>& writerStreams()
{
    static const std::vector<WriterStream> streams = {
        {"writer_silence_44k", silence44k, 0, 0, true},
        {"writer_long_tables_44k", longTables44k},
        {"writer_linbits_48k", linbits48k},
        {"writer_count1_tables_44k", count1Tables44k},
        {"writer_block_types_44k", blockTypes44k},
        {"writer_block_types_22k", blockTypes22k},
        {"writer_scfsi_32k", scfsi32k},
        {"writer_mid_side_48k", midSide48k},
        {"writer_intensity_44k", intensity44k},
        {"writer_intensity_22k", intensity22k},
        {"writer_intensity_positions_24k", intensityPositions24k},
        {"writer_reservoir_far_48k", reservoirFar48k},
        {"writer_reservoir_far_16k", reservoirFar16k},
        {"writer_crc_44k", crc44k},
        {"writer_tags_44k", tags44k, 0, 1},
        {"writer_mpeg2_scalefactors_22k", mpeg2Scalefactors22k},
        {"writer_mpeg2_scalefactors_24k", mpeg2Scalefactors24k},
        {"writer_mpeg2_scalefactors_16k", mpeg2Scalefactors16k},
        {"writer_mono_44k", mono44k},
        {"writer_mono_22k", mono22k},
        {"writer_first_frame_reach_44k", firstFrameReach44k, 1},
        {"writer_bands_24k", bands24k},
        {"writer_junk_44k", junk44k, 0, 2},
        {"writer_riff_44k", riff44k, 0, 1},
    };
    return streams;
}
