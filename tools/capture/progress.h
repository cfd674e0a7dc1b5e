#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// Progress of a capture on stderr: on a terminal one line rewritten in place, elsewhere (a log,
// a pipe) a line every few seconds.
struct Progress {
    using Clock = std::chrono::steady_clock;
    int64_t total = 0;
    bool terminal = false;
    Clock::time_point start;
    Clock::time_point lastShown;
    FILE* out = stderr;
};

void startProgress(Progress& progress, int64_t total, FILE* out);
// Shows `done` frames of the total when a line is due.
void showProgress(Progress& progress, int64_t done);
// The last line: frames, time taken and frames per second.
void endProgress(Progress& progress, int64_t done);

// "frame 1200 of 4812, 75.3 fps, 48 s left" after `seconds` of work.
std::string progressLine(int64_t done, int64_t total, double seconds);
