#pragma once

#include <cstdint>

// A frame rate as frames per `den` seconds, so that rates such as 30000/1001 stay exact.
struct FrameRate {
    int64_t num = 60;
    int64_t den = 1;
};

// The demo time of frame k of a capture that starts at `fromSeconds`: from + k / rate, in
// milliseconds, worked out for each frame on its own so that no rounding accumulates.
double frameTimeMs(double fromSeconds, int64_t k, FrameRate rate);

// How many frames lie in [from, to): the k with from + k / rate < to. A product that misses a
// whole number by float noise alone counts as that number, so 0 to 80.2 s at 60 is 4812 frames.
int64_t frameCount(double fromSeconds, double toSeconds, FrameRate rate);

// The frame of the grid from 0 that a moment shows: the one at or just before it.
int64_t gridFrameAtOrBefore(double seconds, FrameRate rate);
