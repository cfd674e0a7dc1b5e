// Decode speed of our decoder and of libmad on the same 80-second 128 kbit/s stereo stream: in this
// thread (CPU time, best of several runs), stage by stage, and as whole processes, mp3dec against
// madplay, each writing the raw PCM to a file.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "audio/layer3_frame.h"
#include "audio/layer3_tables.h"
#include "audio/stream_input.h"
#include "audio/synthesis.h"
#include "bench_music.h"
#include "common/file_bytes.h"
#include "madref/mad_frames.h"
#include "process_timing.h"
#include "stage_timing.h"
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

const PcmSink kBenchSink{gStaging, &gFill, kBlock, takeBlock, nullptr};

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
        decodeLayer3(s, *state, h, kBenchSink);
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

// The best of several runs, in seconds.
template <typename Decode>
double bestSeconds(const std::vector<uint8_t>& mp3, Decode decode, long& frames, long& checksum)
{
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        double start = threadSeconds();
        frames = decode(mp3, checksum);
        best = std::min(best, threadSeconds() - start);
    }
    return best;
}

// The best CPU time of the passes up to each stage; false when the full pass decoded other PCM
// than `checksum`.
bool bestStages(const std::vector<uint8_t>& mp3, long checksum, double (&best)[kStageCount])
{
    bool same = true;
    for (int stage = 0; stage < kStageCount; ++stage) {
        best[stage] = 1e9;
        for (int run = 0; run < kRuns; ++run) {
            gFill = 0;
            gChecksum = 0;
            double start = threadSeconds();
            decodeUpTo(mp3, static_cast<Stage>(stage), kBenchSink);
            best[stage] = std::min(best[stage], threadSeconds() - start);
            takeBlock(nullptr);
        }
        if (stage == kSynthesisStage) same = gChecksum == checksum;
    }
    return same;
}

void printStages(const std::vector<uint8_t>& mp3, long checksum)
{
    double upTo[kStageCount];
    bool same = bestStages(mp3, checksum, upTo);
    double total = upTo[kSynthesisStage];
    std::printf("\nwhere our time goes (each stage: what a pass up to it takes beyond the pass before; best of %d):\n", kRuns);
    for (int i = 0; i < kStageCount; ++i) {
        double cost = std::max(0.0, upTo[i] - (i ? upTo[i - 1] : 0.0));
        std::printf("  %-22s %7.2f ms  %5.1f %%\n", kStageNames[i], cost * 1e3, 100 * cost / total);
    }
    std::printf("  %-22s %7.2f ms  (PCM %s the decoder's)\n", "all stages", total * 1e3, same ? "equal to" : "DIFFERS from");
}

// The best of several whole runs of a program.
ProcessTime bestProcess(const std::vector<std::string>& argv)
{
    ProcessTime best;
    for (int run = 0; run < kRuns; ++run) {
        ProcessTime t = timeProcess(argv);
        if (!t.ran) return t;
        best.ran = true;
        best.cpuSeconds = run ? std::min(best.cpuSeconds, t.cpuSeconds) : t.cpuSeconds;
        best.wallSeconds = run ? std::min(best.wallSeconds, t.wallSeconds) : t.wallSeconds;
        best.waits = run ? std::min(best.waits, t.waits) : t.waits;
    }
    return best;
}

void printProcess(const char* what, const ProcessTime& t)
{
    if (t.ran)
        std::printf("  %-40s CPU %7.1f ms   wall %7.1f ms   waits %5ld\n", what, t.cpuSeconds * 1e3, t.wallSeconds * 1e3, t.waits);
    else std::printf("  %-40s did not run\n", what);
}

void printProcesses(const std::vector<uint8_t>& mp3)
{
    char dir[] = "/tmp/z3d-bench-decode-XXXXXX";
    if (!mkdtemp(dir)) return;
    const std::string stream = std::string(dir) + "/bench.mp3", pcm = std::string(dir) + "/out.raw";
    if (writeFileBytes(stream.c_str(), mp3)) {
        ProcessTime ours = bestProcess({Z3D_MP3DEC, "-r", stream, pcm});
        ProcessTime mad = bestProcess({"madplay", "-q", "-o", "raw:" + pcm, stream});
        std::printf("\nwhole process, raw PCM to a file (best of %d runs; CPU = user + system; waits = voluntary\n"
                    "context switches, the times it slept; wall beyond CPU without waits is the machine's load):\n", kRuns);
        printProcess("mp3dec -r STREAM FILE", ours);
        printProcess("madplay -q -o raw:FILE STREAM (libmad)", mad);
        if (ours.ran && mad.ran) std::printf("  mp3dec / madplay speed: %.2f\n", mad.cpuSeconds / ours.cpuSeconds);
    }
    std::remove(stream.c_str());
    std::remove(pcm.c_str());
    rmdir(dir);
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
    double ours = bestSeconds(mp3, oursDecode, oursFrames, oursSum);
    double mad = bestSeconds(mp3, madPass, madFrames, madSum);
    std::printf("stream: %.0f s, 44100 Hz stereo, 128 kbit/s, %zu bytes (shineenc)\n", kSeconds, mp3.size());
    std::printf("\ndecoding in this thread (best of %d runs, the thread's CPU time):\n", kRuns);
    std::printf("  ours:   %7.2f ms  %7.1f x real time  (%ld samples per channel)\n", ours * 1e3, oursFrames / (kRate * ours), oursFrames);
    std::printf("  libmad: %7.2f ms  %7.1f x real time  (%ld samples per channel)\n", mad * 1e3, madFrames / (kRate * mad), madFrames);
    std::printf("  ours / libmad speed: %.2f\n", (oursFrames / ours) / (madFrames / mad));
    printStages(mp3, oursSum);
    printProcesses(mp3);
    return 0;
}
