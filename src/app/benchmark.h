#pragma once

#include <string>
#include <vector>

#include "app/frame_stats.h"

struct App;

// --benchmark: the flight once on the real clock, every frame timed, then a report.
struct BenchmarkRun {
    std::vector<FrameTiming> frames;
    double lastFrameStartMs = -1.0;  // wall clock, -1 before the first frame
    double lastDemoMs = 0.0;
    bool flightDone = false;
    std::string renderer, version;  // the GL's, read at the first frame
    int pictureWidth = 0, pictureHeight = 0, showWidth = 0, showHeight = 0;
    int renderWidth = 0, renderHeight = 0;  // the off-screen size the show was drawn at; 0: none
};

// After each drawn frame of demo time demoMs, with its context current: times the frame before
// it and ends the run (quitRequested) once a frame has shown the end of the flight.
void recordBenchmarkFrame(BenchmarkRun& run, App& app, double demoMs, double wallMs);
// A steady wall clock in ms for recordBenchmarkFrame.
double benchmarkClockMs();
// The report for stdout; it names the stretches of the show it times.
std::string benchmarkReport(const BenchmarkRun& run);
