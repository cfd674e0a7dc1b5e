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

bool trims(const GaplessPlan& trim) { return trim.skip > 0 || trim.keep >= 0; }

// Into the staging buffer, through the pass's trim when it has one.
PcmSink stagingSink(Mp3Decoder& d, StagedOutput& to)
{
    PcmStaging& st = d.staging;
    return {st.bytes, &st.fill, kBlockBytes, flushStaged, &to, trims(d.trim) ? &d.trim : nullptr};
}

// Each pass is trimmed anew, so that the song's last sample is followed by its first. A trimmed
// pass is the song alone and starts from a clean decoder, so that every pass is the same samples.
void startPass(Mp3Decoder& d)
{
    d.trim = d.stream.gapless ? d.stream.plan : GaplessPlan{};
    if (trims(d.trim)) d.layer3 = Layer3State{};
}

}  // namespace

int decodeFrame(Mp3Decoder& d, FrameHeader& header, OutputQueue& out)
{
    if (header.formatChange > 1 && !fitOutput(d, header, out)) return -1;
    if (d.stream.passFrames == 1) startPass(d);
    d.channels = channelCount(header);
    StagedOutput to{d.staging, out};
    return decodeLayer3(d.stream, d.layer3, header, stagingSink(d, to));
}

int finishPass(Mp3Decoder& d, OutputQueue& out)
{
    int clips = 0;
    StagedOutput to{d.staging, out};
    if (d.trim.keep > 0) clips = playOutGranule(d.layer3, d.channels, stagingSink(d, to));
    d.trim = GaplessPlan{};
    return clips;
}
