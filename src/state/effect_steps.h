#pragma once

#include <cstdint>

// How far the effects that move once a frame (the greets scroll and panel, the end fog) move in
// a frame. Without a step rate a frame is one step, as the show was made, and the effects run
// faster on a faster display. With a rate of HZ a frame takes a step for each instant 0, 1/HZ,
// 2/HZ ... s of demo time that has come since the last frame: several in a slow frame, none in
// a fast one, one a frame at a steady HZ frames a second.

// Far above any display's refresh; keeps a frame's count of steps small.
constexpr int32_t kMaxStepRateHz = 1000;

// For an effect that was running in the last frame already: every instant since counts.
constexpr double kRunningBefore = -1.0;

// The instants at or before demoMs; none before 0.
int64_t instantsUpTo(int32_t rateHz, double demoMs);
// A frame's steps at nowMs for an effect that began at onsetMs (or kRunningBefore): the instants
// after the instantsDone the last frames took and after the onset; 1 without a rate (0).
int64_t stepsThisFrame(int32_t rateHz, int64_t instantsDone, double nowMs, double onsetMs);
