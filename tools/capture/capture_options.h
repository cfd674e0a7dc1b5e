#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "session/frame_schedule.h"

// What the command line asks of capture: a range of the show, every frame (no moments given), or
// pictures of single moments.
struct CaptureOptions {
    std::string dataDir = ".";
    double fromSeconds = 0.0;
    double toSeconds = 0.0;  // parseCaptureOptions sets the default: the show's end plus 2 s
    FrameRate rate;
    int width = 800;
    int height = 600;
    bool sizeGiven = false;
    bool fit = false;  // --fit: the show keeps its shape and 800 × 600 layout inside width × height
    int stepRateHz = 0;  // --step-rate: the effects step by demo time, as zephal3d --step-rate does
    int renderWidth = 0;  // --render-size: drawn off screen at this size, then scaled; 0: directly
    int renderHeight = 0;
    bool window = false;  // --window: drawn in a window on the X display, not off-screen
    std::string out;      // a range's PNG folder, or the moments' file prefix
    std::string y4mPath;  // a range as one YUV4MPEG2 stream ("-": standard output) instead of PNGs
    std::string wavPath;  // a range's music ("-": standard output)
    std::vector<double> momentsSeconds;
};

enum class ParseOutcome { run, help, bad };

// Reads the arguments; `bad` with the reason in `error`.
ParseOutcome parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& error);

// The usage text, naming the program as it was started.
void printCaptureUsage(std::FILE* out);
