#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/alsa_wave_device.h"
#include "audio/mp3_player.h"
#include "support/test_music.h"

// Figures of the playback thread: its processor time per second of music while a device takes
// the blocks in real time, and how long startThread takes to put the first block in the queue.

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr int kFrameBytes = 4;
constexpr double kMusicSeconds = 20;
constexpr double kMeasuredSeconds = 10;
constexpr int kLatencyRuns = 9;

// Takes a block as a sound card would: in the time it lasts.
struct PacedDevice {
    std::atomic<long long> playedBytes{0};
};

bool pacedOpen(void*, int)
{
    return true;
}

bool pacedPlay(void* context, const uint8_t*, int bytes)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(double(bytes) / (kRate * kFrameBytes)));
    static_cast<PacedDevice*>(context)->playedBytes += bytes;
    return true;
}

void pacedClose(void*) {}

WaveDevice pacedDevice(PacedDevice& paced)
{
    return {&paced, pacedOpen, pacedPlay, pacedClose};
}

// Notes when the first block reaches the device it passes the blocks on to.
struct TimedDevice {
    const WaveDevice* inner = nullptr;
    std::atomic<bool> firstPlay{false};
    Clock::time_point firstPlayAt;  // written before firstPlay is set
};

TimedDevice& timedOf(void* context)
{
    return *static_cast<TimedDevice*>(context);
}
bool timedOpen(void* context, int rate)
{
    const WaveDevice& inner = *timedOf(context).inner;
    return inner.open(inner.context, rate);
}
bool timedPlay(void* context, const uint8_t* data, int bytes)
{
    TimedDevice& timed = timedOf(context);
    if (!timed.firstPlay.load()) {
        timed.firstPlayAt = Clock::now();
        timed.firstPlay = true;
    }
    return timed.inner->play(timed.inner->context, data, bytes);
}
void timedClose(void* context)
{
    const WaveDevice& inner = *timedOf(context).inner;
    inner.close(inner.context);
}
void timedAbort(void* context)
{
    const WaveDevice& inner = *timedOf(context).inner;
    if (inner.abort) inner.abort(inner.context);
}
void timedLiftAbort(void* context)
{
    const WaveDevice& inner = *timedOf(context).inner;
    if (inner.liftAbort) inner.liftAbort(inner.context);
}

double cpuSeconds(clockid_t clock)
{
    timespec ts{};
    if (clock_gettime(clock, &ts) != 0) return -1;
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double threadCpuSeconds(pthread_t thread)
{
    clockid_t clock;
    return pthread_getcpuclockid(thread, &clock) == 0 ? cpuSeconds(clock) : -1;
}

void measureCpu(const std::string& music, PacedDevice& paced)
{
    WaveDevice device = pacedDevice(paced);
    setWaveDevice(gPlayer.output, &device);
    gPlayer.open(music.c_str());
    gPlayer.startThread(1);
    std::this_thread::sleep_for(std::chrono::seconds(1));  // past the start, with the queue full
    double cpu0 = threadCpuSeconds(gPlayer.threadHandle);
    double process0 = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    long long bytes0 = paced.playedBytes;
    std::this_thread::sleep_for(std::chrono::duration<double>(kMeasuredSeconds));
    double cpu = threadCpuSeconds(gPlayer.threadHandle) - cpu0;
    double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process0;
    double musicSeconds = double(paced.playedBytes - bytes0) / (kRate * kFrameBytes);
    gPlayer.stopThread();
    setWaveDevice(gPlayer.output, nullptr);
    std::printf("playback thread CPU: %.2f ms per second of music = %.3f%% of one core at %d Hz "
                "(%.1f s of music played in real time; target under 1%%)\n",
                1000 * cpu / musicSeconds, 100 * cpu / musicSeconds, kRate, musicSeconds);
    std::printf("whole process, with the thread that feeds the device: %.3f%% of one core\n",
                100 * process / musicSeconds);
}

// Time from startThread until the device thread gets the first block, which is queued just before.
void measureLatency(const std::string& music, const WaveDevice* device, const char* name)
{
    std::vector<double> ms;
    TimedDevice timed;
    timed.inner = device;
    const WaveDevice timedDevice{&timed, timedOpen, timedPlay, timedClose, timedAbort, false, timedLiftAbort};
    setWaveDevice(gPlayer.output, &timedDevice);
    for (int run = 0; run < kLatencyRuns; ++run) {
        gPlayer.open(music.c_str());
        timed.firstPlay = false;
        Clock::time_point start = Clock::now();
        gPlayer.startThread(1);
        while (!timed.firstPlay && gPlayer.runningFlag) std::this_thread::sleep_for(std::chrono::microseconds(50));
        if (!timed.firstPlay) {
            std::printf("%s: no block reached the device\n", name);
            gPlayer.stopThread();
            setWaveDevice(gPlayer.output, nullptr);
            return;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(timed.firstPlayAt - start).count());
        gPlayer.stopThread();
    }
    setWaveDevice(gPlayer.output, nullptr);
    std::sort(ms.begin(), ms.end());
    std::printf("startThread to first block queued, %s: median %.2f ms, min %.2f ms, max %.2f ms (%d runs)\n", name,
                ms[ms.size() / 2], ms.front(), ms.back(), kLatencyRuns);
}

}  // namespace

int main()
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "z3d-bench-playback";
    std::filesystem::create_directories(dir);
    std::string music = (dir / "music.mp3").string();
    if (!writeTestMp3(music, kRate, kMusicSeconds - 0.5, 0.5)) {
        std::fprintf(stderr, "cannot make the test music with shineenc\n");
        return 1;
    }
    PacedDevice pacing;
    const WaveDevice paced = pacedDevice(pacing);
    measureLatency(music, &paced, "device that plays in real time");
    std::ofstream(dir / ".asoundrc") << "pcm.!default {\ntype file\nslave.pcm \"null\"\nfile \"/dev/null\"\n}\n";
    setenv("HOME", dir.c_str(), 1);
    measureLatency(music, alsaWaveDevice(), "ALSA \"default\" into the null PCM");
    measureCpu(music, pacing);
    std::filesystem::remove_all(dir);
    return 0;
}
