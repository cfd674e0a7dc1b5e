#include <string>

#include "audio/mp3_decoder.h"
#include "platform/report.h"

namespace {

constexpr int kFullSubbandLimit = 32;

// Fits the output to the stream's rate and opens it; false when no format fits (the music stops).
bool fitOutput(Mp3Decoder& d, FrameHeader& h, OutputQueue& out)
{
    AudioParams& params = d.audioParams;
    AudioParams before = params;
    int rate = kSamplingRates[h.samplingIndex];
    if (!fitFormat(d.formats, params, rate)) {
        report("mp3", "no output format fits " + std::to_string(rate) + " Hz; the music stops");
        d.stream.refused = true;
        return false;
    }
    h.subbandLimit = kFullSubbandLimit;
    startOutput(d.staging, out, params);
    if (before.rate != params.rate || before.channels != params.channels || before.format != params.format)
        reopenDevice(out, params);
    return true;
}

struct StagedOutput {
    PcmStaging& staging;
    OutputQueue& out;
};

void flushStaged(void* context)
{
    auto* to = static_cast<StagedOutput*>(context);
    queueStaged(to->staging, to->out);
}

}  // namespace

int decodeFrame(Mp3Decoder& d, FrameHeader& header, OutputQueue& out)
{
    if (header.formatChange > 1 && !fitOutput(d, header, out)) return -1;
    // Each pass is trimmed anew, so that the song's last sample is followed by its first.
    if (d.stream.passFrames == 1) d.trim = d.stream.gapless ? d.stream.plan : GaplessPlan{};
    bool trimming = d.trim.skip > 0 || d.trim.keep >= 0;
    PcmStaging& st = d.staging;
    StagedOutput to{st, out};
    PcmSink sink{st.bytes, &st.fill, kBlockBytes, flushStaged, &to, trimming ? &d.trim : nullptr};
    return decodeLayer3(d.stream, d.layer3, header, sink);
}
