#pragma once

#include <span>
#include <string>
#include <vector>

// Frame-rate figures of a timed run of the show.

// One presented frame: the demo time it showed and how long it took until the next one.
struct FrameTiming {
    double demoMs;
    double frameMs;
};

// A named part of the show by demo time, [fromMs, toMs); a frame counts in the first that holds it.
struct Stretch {
    const char* name;
    double fromMs, toMs;
};

struct StretchRate {
    std::string name;
    int frames;
    double fps;  // 0 when the stretch got no frame
};

struct FrameStats {
    int frames;
    double averageFps;
    double onePercentLowFps;  // the average rate of the slowest 1 % of frames (at least one frame)
    double slowestMs;
    std::vector<StretchRate> stretches;  // in the order given
};

FrameStats frameStats(std::span<const FrameTiming> frames, std::span<const Stretch> stretches);
