// Decode speed of our decoder and of libmad on the same 80-second 128 kbit/s stereo stream, in
// times real time of the CPU time of this one thread.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "audio/layer3_frame.h"
#include "audio/layer3_tables.h"
#include "audio/stream_input.h"
#include "audio/synthesis.h"
#include "bench_music.h"
#include "madref/mad_frames.h"
#include "support/shine_encode.h"

namespace {

constexpr double kSeconds = 80.0;
constexpr int kRate = 44100;
constexpr int kRuns = 5;
constexpr int kBlock = 16384;

uint8_t gStaging[2 * kBlock];
int32_t gFill = 0;
long gChecksum = 0;

void takeBlock(void*)
{
    const int16_t* s = reinterpret_cast<const int16_t*>(gStaging);
    for (int i = 0; i < gFill / 2; i += 128) gChecksum += s[i];
    gFill = 0;
}

double threadSeconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

// One pass of our decoder over the stream held in memory; stereo frames decoded.
long oursDecode(const std::vector<uint8_t>& mp3, long& checksum)
{
    StreamInput s;
    loadBytes(s, mp3);
    auto state = std::make_unique<Layer3State>();
    FrameHeader h{};
    gFill = 0;
    gChecksum = 0;
    long samples = 0;
    while (nextFrame(s, h)) {
        decodeLayer3(s, *state, h, PcmSink{gStaging, &gFill, kBlock, takeBlock, nullptr});
        samples += h.mpeg2 ? 576 : 1152;
    }
    takeBlock(nullptr);
    checksum = gChecksum;
    return samples;
}

// Rounds libmad's fixed-point sample to 16 bits, clipping, as a player would.
inline int16_t madToSixteen(mad_fixed_t s)
{
    s += 1L << (MAD_F_FRACBITS - 16);
    if (s >= MAD_F_ONE) s = MAD_F_ONE - 1;
    if (s < -MAD_F_ONE) s = -MAD_F_ONE;
    return static_cast<int16_t>(s >> (MAD_F_FRACBITS + 1 - 16));
}

// One pass of libmad over the same stream, each frame converted to 16-bit stereo; stereo frames decoded.
long madPass(const std::vector<uint8_t>& mp3, long& checksum)
{
    long frames = 0;
    checksum = 0;
    int16_t block[1152 * 2];
    auto convert = [&](const mad_pcm& pcm, const mad_header&) {
        for (unsigned i = 0; i < pcm.length; ++i) {
            block[2 * i] = madToSixteen(pcm.samples[0][i]);
            block[2 * i + 1] = madToSixteen(pcm.samples[pcm.channels > 1][i]);
        }
        for (unsigned i = 0; i < pcm.length; i += 64) checksum += block[2 * i];
        frames += pcm.length;
    };
    forEachMadFrame(mp3.data(), mp3.size(), convert, [](const mad_stream&, const mad_header&) { return true; });
    return frames;
}

// The best of several runs, in times real time.
template <typename Decode>
double timesRealTime(const std::vector<uint8_t>& mp3, Decode decode, long& frames, long& checksum)
{
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        double start = threadSeconds();
        frames = decode(mp3, checksum);
        best = std::min(best, threadSeconds() - start);
    }
    return double(frames) / kRate / best;
}

}  // namespace

int main()
{
    std::vector<uint8_t> mp3 = shineEncode(benchMusic(kSeconds), 2, 44100, 128);
    if (mp3.empty()) {
        std::fprintf(stderr, "bench_decode: shineenc failed\n");
        return 1;
    }
    long oursFrames = 0, madFrames = 0, oursSum = 0, madSum = 0;
    double ours = timesRealTime(mp3, oursDecode, oursFrames, oursSum);
    double mad = timesRealTime(mp3, madPass, madFrames, madSum);
    std::printf("stream: %.0f s, 44100 Hz stereo, 128 kbit/s, %zu bytes (shineenc)\n", kSeconds, mp3.size());
    std::printf("ours:   %8.1f x real time  (%ld samples per channel, best of %d runs, one thread's CPU time)\n", ours, oursFrames, kRuns);
    std::printf("libmad: %8.1f x real time  (%ld samples per channel)\n", mad, madFrames);
    std::printf("ours / libmad: %.2f\n", ours / mad);
    return 0;
}
