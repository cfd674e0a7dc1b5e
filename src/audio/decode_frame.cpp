#include <cstdio>

#include "audio/mp3_decoder.h"

namespace {

constexpr int kFullSubbandLimit = 32;

// Fits the output to the stream's rate and opens it; false when no format fits (the music stops).
bool fitOutput(Mp3Decoder& d, FrameHeader& h)
{
    AudioParams& params = d.audioParams;
    AudioParams before = params;
    int rate = kSamplingRates[h.samplingIndex];
    if (!fitFormat(params, rate)) {
        std::fprintf(stderr, "mp3: no output format fits %d Hz; the music stops\n", rate);
        d.stream.refused = true;
        return false;
    }
    h.subbandLimit = kFullSubbandLimit;
    startOutput(d.staging, params);
    if (before.rate != params.rate || before.channels != params.channels || before.format != params.format)
        reopenDevice(params);
    return true;
}

void flushStaged(void* staging) { queueStaged(*static_cast<PcmStaging*>(staging)); }

}  // namespace

int decodeFrame(Mp3Decoder& d, FrameHeader& header)
{
    if (header.formatChange > 1 && !fitOutput(d, header)) return -1;
    PcmStaging& st = d.staging;
    return decodeLayer3(d.stream, d.layer3, header, PcmSink{st.bytes, &st.fill, kBlockBytes, flushStaged, &st});
}
