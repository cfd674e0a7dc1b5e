#include "audio/layer3_frame.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "audio/alias_reduction.h"
#include "audio/side_info.h"
#include "audio/huffman_decode.h"
#include "audio/layer3_tables.h"
#include "audio/stereo.h"
#include "platform/report.h"

namespace {

constexpr int kCrcBits = 16;
constexpr int kSlots = 18;
constexpr int kSlotBytes = 128;


}  // namespace

FrameModes frameModes(const FrameHeader& h)
{
    bool joint = h.mode == 1;
    return {channelCount(h), joint && (h.modeExt & 2), joint && (h.modeExt & 1)};
}

namespace {

// Bits left between the read position and the end of this frame's main data.
long bitsLeft(const StreamInput& s) { return (mainDataEnd(s) - s.reader.bytePtr) * 8L - s.reader.bitIndex; }

// Scale factors and spectrum of one channel; false when its data overrun. Data running past the
// end of a frame that the end of the file cut off decode from the zeros that stand in for them;
// there the zeros, not damage, explain an overrun, so the channel keeps what its own bits hold and
// the frame keeps its length.
bool decodeChannel(StreamInput& s, Layer3State& st, const FrameHeader& h, GranuleInfo& g, int ch, const FrameModes& m)
{
    if (!s.cutShort && g.part2_3_length > bitsLeft(s)) return false;
    BitReader& r = s.reader;
    int32_t(&sf)[kScaleFactors] = st.scaleFactors[ch];
    int part2 = h.mpeg2 ? readScaleFactorsMpeg2(sf, st.largestScaleFactors[ch], g, r, ch == 1 && m.intensity)
                        : readScaleFactorsMpeg1(sf, g, r);
    int overrun = ch == 1 && m.midSide
        ? decodeSpectrumMidSide(st.spectrum[0], st.spectrum[1], sf, g, h.samplingIndex, part2, r)
        : decodeSpectrum(st.spectrum[ch], sf, g, h.samplingIndex, part2, r);
    return overrun == 0 || s.cutShort;
}

// Spectra of one granule, stereo processing included; false when the data overrun.
bool decodeGranule(StreamInput& s, Layer3State& st, const FrameHeader& h, GranuleInfo* g, const FrameModes& m)
{
    for (int ch = 0; ch < m.channels; ++ch) {
        if (!decodeChannel(s, st, h, g[ch], ch, m)) return false;
    }
    if (m.intensity)
        applyIntensityStereo(st.spectrum[0], st.spectrum[1], st.scaleFactors[1], st.largestScaleFactors[1], g[1],
                             h.samplingIndex, m.midSide, h.mpeg2);
    if (m.midSide || m.intensity) g[0].activeSubbands = g[1].activeSubbands = std::max(g[0].activeSubbands, g[1].activeSubbands);
    return true;
}

// Keeps the slot's samples that belong to the song, moved to the slot's start; returns their bytes.
int trimSlot(GaplessPlan& trim, uint8_t* slot)
{
    constexpr int kFrameBytes = 4;
    int first = static_cast<int>(std::min<int64_t>(trim.skip, 32));
    trim.skip -= first;
    int count = 32 - first;
    if (trim.keep >= 0) {
        count = static_cast<int>(std::min<int64_t>(count, trim.keep));
        trim.keep -= count;
    }
    if (first > 0 && count > 0) std::memmove(slot, slot + kFrameBytes * first, kFrameBytes * count);
    return kFrameBytes * count;
}

int synthesizeGranule(Layer3State& st, const GranuleInfo* g, int channels, const PcmSink& out)
{
    for (int ch = channels - 1; ch >= 0; --ch) {
        reduceAliasing(st.spectrum[ch], g[ch]);
        hybridFilter(st.hybrid, st.spectrum[ch], st.slots[ch], ch, g[ch]);
    }
    int clips = 0;
    for (int t = 0; t < kSlots; ++t) {
        int16_t pcm[2][32];
        for (int ch = 0; ch < channels; ++ch) clips += synthesize(st.synthesis, st.slots[ch] + 32 * t, ch, pcm[ch]);
        // A single channel plays on both outputs.
        uint8_t* slot = out.buffer + *out.fill;
        interleave(pcm[0], pcm[channels - 1], slot);
        *out.fill += out.trim ? trimSlot(*out.trim, slot) : kSlotBytes;
        if (*out.fill >= out.blockBytes) out.flush(out.context);
    }
    return clips;
}

// A granule with nothing in it: the filter banks play out what they hold.
GranuleInfo silentGranule()
{
    GranuleInfo g{};
    g.activeSubbands = 0;
    return g;
}

// Mid/side pairs lines of the two channels one to one, which only holds when both order their
// lines alike (long, short or mixed); other frames would decode as noise.
bool midSideFits(const SideInfo& si, const FrameModes& m, int granules)
{
    if (!m.midSide) return true;
    for (int gr = 0; gr < granules; ++gr) {
        const GranuleInfo& a = si.gr[0][gr];
        const GranuleInfo& b = si.gr[1][gr];
        if (blockKind(a.block_type, a.mixed_block_flag) != blockKind(b.block_type, b.mixed_block_flag)) return false;
    }
    return true;
}

// Said once per stream, so that a damaged file does not flood the terminal while it loops.
void reportDropped(StreamInput& s, const char* why)
{
    if (s.reportedDamage) return;
    s.reportedDamage = true;
    report("mp3", std::string("damaged frame dropped (") + why + ")");
}

}  // namespace

int decodeLayer3(StreamInput& s, Layer3State& st, const FrameHeader& h, const PcmSink& out)
{
    if (s.frameSize < s.sideInfoSize) return 0;
    if (h.hasCrc) skipBits(s.reader, kCrcBits);
    FrameModes m = frameModes(h);
    SideInfo si{};
    bool valid = h.mpeg2 ? readSideInfoMpeg2(si, s.reader, m.channels, m.midSide, h.samplingIndex)
                         : readSideInfoMpeg1(si, s.reader, m.channels, m.midSide, h.samplingIndex);
    bool seen = setMainData(s, static_cast<int>(si.main_data_begin));
    const int granules = h.mpeg2 ? 1 : 2;
    if (!valid) {
        reportDropped(s, "window switching with block type 0");
        return 0;
    }
    if (!midSideFits(si, m, granules)) {
        reportDropped(s, "mid/side stereo over channels of different block kinds");
        return 0;
    }
    int clips = 0;
    for (int gr = 0; gr < granules; ++gr) {
        GranuleInfo g[2] = {si.gr[0][gr], si.gr[1][gr]};
        if (!seen) g[0] = g[1] = silentGranule();
        else if (!decodeGranule(s, st, h, g, m)) break;
        clips += synthesizeGranule(st, g, m.channels, out);
    }
    return clips;
}

int playOutGranule(Layer3State& st, int channels, const PcmSink& out)
{
    GranuleInfo g[2] = {silentGranule(), silentGranule()};
    return synthesizeGranule(st, g, channels, out);
}
