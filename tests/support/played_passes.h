#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/mp3_decoder.h"

// A music file played pass after pass through the decoder's entry, as the player loops it, into
// memory: what each pass hands on, sample for sample.
struct PlayedPasses {
    std::vector<std::vector<int16_t>> pcm;  // per pass, interleaved stereo
    bool stopped = false;                   // the music stopped: no output format fits
    bool trimmed = false;                   // the passes are trimmed to the song the tag gives
};

namespace played_passes {

inline bool open(void*, int) { return true; }
inline bool play(void* context, const uint8_t* data, int bytes)
{
    auto& pcm = *static_cast<std::vector<int16_t>*>(context);
    const auto* samples = reinterpret_cast<const int16_t*>(data);
    pcm.insert(pcm.end(), samples, samples + bytes / 2);
    return true;
}
inline void close(void*) {}

}  // namespace played_passes

inline PlayedPasses playPasses(const std::vector<uint8_t>& file, int passes, bool gapless = true)
{
    std::vector<int16_t> heard;
    WaveDevice device{&heard, played_passes::open, played_passes::play, played_passes::close, nullptr, true};
    auto d = std::make_unique<Mp3Decoder>();
    OutputQueue out;
    setWaveDevice(out, &device);
    probeFormats(d->formats, d->audioParams);
    loadBytes(d->stream, file);
    d->stream.gapless = gapless;
    PlayedPasses played;
    std::vector<size_t> ends;
    FrameHeader h{};
    for (int pass = 0; pass < passes && !played.stopped; ++pass) {
        rewind(d->stream);
        while (!played.stopped && nextFrame(d->stream, h) == 1) played.stopped = decodeFrame(*d, h, out) < 0;
        if (!played.stopped) finishPass(*d, out);
        ends.push_back(heard.size() + static_cast<size_t>(d->staging.fill) / 2);
    }
    while (d->staging.fill > 0) queueStaged(d->staging, out);
    closeDevice(out);
    for (size_t i = 0, from = 0; i < ends.size(); from = ends[i++])
        played.pcm.emplace_back(heard.begin() + long(from), heard.begin() + long(ends[i]));
    played.trimmed = gapless && d->stream.plan.keep >= 0;
    return played;
}
