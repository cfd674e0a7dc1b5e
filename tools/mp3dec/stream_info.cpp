#include "stream_info.h"

#include <cstdio>

namespace {

const char* const kModes[] = {"stereo", "joint stereo", "dual channel", "single channel"};

std::string line(const char* name, const std::string& value) { return std::string(name) + ": " + value + "\n"; }

std::string fixed(double v, const char* format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

std::string version(const FrameHeader& h)
{
    if (!h.mpeg2) return "MPEG-1";
    return h.samplingIndex >= kMpeg25SamplingIndex ? "MPEG-2.5" : "MPEG-2";
}

std::string tagLines(const InfoTag& tag)
{
    auto field = [](int64_t v) { return v < 0 ? std::string("absent") : std::to_string(v); };
    std::string s = line("tag", tag.kind);
    s += line("tag frames", field(tag.frames)) + line("tag bytes", field(tag.bytes));
    s += line("encoder", tag.encoder.empty() ? "absent" : tag.encoder);
    s += line("delay", field(tag.delay)) + line("padding", field(tag.padding));
    return s;
}

}  // namespace

std::string streamInfo(StreamInput& s)
{
    // The first frame a pass plays, read as a pass reads it, so that the tag and its plan are known.
    FrameHeader played{};
    rewind(s);
    if (nextFrame(s, played) != 1) return {};
    FrameTotals t = walkFrames(s, s.frameAt, s.firstHeader);
    const FrameHeader& h = t.first;
    int rate = kSamplingRates[h.samplingIndex];
    int perFrame = samplesPerFrame(h);
    int64_t samples = t.frames * perFrame;
    if (s.plan.keep >= 0) samples = s.plan.keep;
    double seconds = static_cast<double>(samples) / rate;
    std::string out = line("version", version(h)) + line("layer", "III") + line("rate", std::to_string(rate) + " Hz");
    out += line("mode", kModes[h.mode]);
    double average = t.bytes * 8.0 / (t.frames * perFrame / static_cast<double>(rate)) / 1000;
    bool variable = t.variable || s.tag.kind == "Xing";
    out += line("bitrate", variable ? fixed(average, "VBR, %.1f kbit/s on average") : std::to_string(bitrateKbps(h)) + " kbit/s");
    out += line("frames", std::to_string(t.frames));
    out += line("duration", fixed(seconds, "%.3f s") + " (" + std::to_string(samples) + " samples" +
                                (s.plan.keep >= 0 ? ", trimmed by the tag's delay and padding)" : ")"));
    if (!s.tag.present) return out + line("tag", "none");
    out += tagLines(s.tag);
    return out + line("gapless", s.plan.skipTagFrame ? (s.plan.keep >= 0 ? "yes" : "no delay and padding")
                                                     : "no: the tag's numbers do not fit the stream");
}
