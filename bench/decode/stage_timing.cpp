#include "stage_timing.h"

#include <algorithm>
#include <memory>

#include "audio/alias_reduction.h"
#include "audio/huffman_decode.h"
#include "audio/stereo.h"

const char* const kStageNames[kStageCount] = {"frame, side info",  "Huffman + requantise", "intensity stereo",
                                              "alias reduction",   "IMDCT / hybrid",       "synthesis + PCM"};

namespace {

constexpr int kSlots = 18;
constexpr int kSlotBytes = 128;

// Scale factors and spectra of both channels, then intensity stereo; false when the data overrun.
bool decodeSpectra(StreamInput& s, Layer3State& st, const FrameHeader& h, GranuleInfo* g, const FrameModes& m, Stage last)
{
    for (int ch = 0; ch < m.channels; ++ch) {
        if (g[ch].part2_3_length > (mainDataEnd(s) - s.reader.bytePtr) * 8L - s.reader.bitIndex) return false;
        int32_t(&sf)[kScaleFactors] = st.scaleFactors[ch];
        int part2 = h.mpeg2 ? readScaleFactorsMpeg2(sf, st.largestScaleFactors[ch], g[ch], s.reader, ch == 1 && m.intensity)
                            : readScaleFactorsMpeg1(sf, g[ch], s.reader);
        int overrun = ch == 1 && m.midSide
                          ? decodeSpectrumMidSide(st.spectrum[0], st.spectrum[1], sf, g[ch], h.samplingIndex, part2, s.reader)
                          : decodeSpectrum(st.spectrum[ch], sf, g[ch], h.samplingIndex, part2, s.reader);
        if (overrun) return false;
    }
    if (last < kIntensityStage) return true;
    if (m.intensity)
        applyIntensityStereo(st.spectrum[0], st.spectrum[1], st.scaleFactors[1], st.largestScaleFactors[1], g[1],
                             h.samplingIndex, m.midSide, h.mpeg2);
    if (m.midSide || m.intensity) g[0].activeSubbands = g[1].activeSubbands = std::max(g[0].activeSubbands, g[1].activeSubbands);
    return true;
}

void synthesizeUpTo(Layer3State& st, const GranuleInfo* g, int channels, const PcmSink& out, Stage last)
{
    for (int ch = channels - 1; ch >= 0 && last >= kAliasStage; --ch) {
        reduceAliasing(st.spectrum[ch], g[ch]);
        if (last >= kHybridStage) hybridFilter(st.hybrid, st.spectrum[ch], st.slots[ch], ch, g[ch]);
    }
    for (int t = 0; t < kSlots && last >= kSynthesisStage; ++t) {
        int16_t pcm[2][32];
        for (int ch = 0; ch < channels; ++ch) synthesize(st.synthesis, st.slots[ch] + 32 * t, ch, pcm[ch]);
        interleave(pcm[0], pcm[channels - 1], out.buffer + *out.fill);
        *out.fill += kSlotBytes;
        if (*out.fill >= out.blockBytes) out.flush(out.context);
    }
}

// The frame decoder's steps for a frame of a well-formed stream.
void decodeFrameUpTo(StreamInput& s, Layer3State& st, const FrameHeader& h, const PcmSink& out, Stage last)
{
    if (h.hasCrc) skipBits(s.reader, 16);
    FrameModes m = frameModes(h);
    SideInfo si{};
    bool valid = h.mpeg2 ? readSideInfoMpeg2(si, s.reader, m.channels, m.midSide, h.samplingIndex)
                         : readSideInfoMpeg1(si, s.reader, m.channels, m.midSide, h.samplingIndex);
    bool seen = setMainData(s, static_cast<int>(si.main_data_begin));
    if (!valid || last == kFrameStage) return;
    for (int gr = 0; gr < (h.mpeg2 ? 1 : 2); ++gr) {
        GranuleInfo g[2] = {si.gr[0][gr], si.gr[1][gr]};
        if (!seen) g[0] = g[1] = GranuleInfo{};  // nothing to decode: the filter banks play out
        else if (!decodeSpectra(s, st, h, g, m, last)) break;
        synthesizeUpTo(st, g, m.channels, out, last);
    }
}

}  // namespace

void decodeUpTo(const std::vector<uint8_t>& mp3, Stage last, const PcmSink& out)
{
    StreamInput s;
    loadBytes(s, mp3);
    auto state = std::make_unique<Layer3State>();
    FrameHeader h{};
    while (nextFrame(s, h)) decodeFrameUpTo(s, *state, h, out, last);
}
