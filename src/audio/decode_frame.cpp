#include <cstdio>

#include "audio/layer3_frame.h"
#include "audio/layer3_tables.h"
#include "audio/mp3_decoder.h"

AudioParams gAudioParams;

namespace {

constexpr int kFullSubbandLimit = 32;

// Fits the output to the stream's rate and opens it; false when no format fits (the music stops).
bool fitOutput(FrameHeader& h)
{
    AudioParams before = gAudioParams;
    int rate = kSamplingRates[h.samplingIndex];
    if (!fitFormat(gAudioParams, rate)) {
        std::fprintf(stderr, "mp3: no output format fits %d Hz; the music stops\n", rate);
        gStream.refused = true;
        return false;
    }
    h.subbandLimit = kFullSubbandLimit;
    startOutput(gAudioParams);
    if (before.rate != gAudioParams.rate || before.channels != gAudioParams.channels || before.format != gAudioParams.format) {
        buildLayer3Tables(h.subbandLimit);
        reopenDevice(gAudioParams);
    }
    return true;
}

}  // namespace

int decodeFrame(FrameHeader& header)
{
    if (header.formatChange > 1 && !fitOutput(header)) return -1;
    if (!pcmBuffer) return 0;  // no staging buffer: nothing can be played
    return decodeLayer3(gStream, gLayer3, header, PcmSink{pcmBuffer, &pcmFill, kBlockBytes, queueStaged});
}
