#include "app/frame_stats.h"

#include <algorithm>
#include <functional>

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr int kLowShareDivisor = 100;  // the slowest 1 %

double rate(int frames, double totalMs)
{
    return totalMs > 0.0 ? frames * kMsPerSecond / totalMs : 0.0;
}

double onePercentLow(std::span<const FrameTiming> frames)
{
    std::vector<double> slowestFirst;
    for (const FrameTiming& f : frames) slowestFirst.push_back(f.frameMs);
    std::sort(slowestFirst.begin(), slowestFirst.end(), std::greater<>());
    size_t count = std::max<size_t>(1, slowestFirst.size() / kLowShareDivisor);
    count = std::min(count, slowestFirst.size());
    double totalMs = 0.0;
    for (size_t i = 0; i < count; ++i) totalMs += slowestFirst[i];
    return rate(static_cast<int>(count), totalMs);
}

}  // namespace

FrameStats frameStats(std::span<const FrameTiming> frames, std::span<const Stretch> stretches)
{
    FrameStats stats{static_cast<int>(frames.size()), 0.0, 0.0, 0.0, {}};
    std::vector<double> stretchMs(stretches.size(), 0.0);
    for (const Stretch& s : stretches) stats.stretches.push_back({s.name, 0, 0.0});
    double totalMs = 0.0;
    for (const FrameTiming& f : frames) {
        totalMs += f.frameMs;
        stats.slowestMs = std::max(stats.slowestMs, f.frameMs);
        for (size_t i = 0; i < stretches.size(); ++i) {
            if (f.demoMs < stretches[i].fromMs || f.demoMs >= stretches[i].toMs) continue;
            ++stats.stretches[i].frames;
            stretchMs[i] += f.frameMs;
            break;
        }
    }
    stats.averageFps = rate(stats.frames, totalMs);
    if (!frames.empty()) stats.onePercentLowFps = onePercentLow(frames);
    for (size_t i = 0; i < stretches.size(); ++i)
        stats.stretches[i].fps = rate(stats.stretches[i].frames, stretchMs[i]);
    return stats;
}
