#include <gtest/gtest.h>

#include "state/effect_steps.h"

namespace {

struct StepCase {
    int32_t rateHz;
    int64_t instantsDone;
    double nowMs, onsetMs;
    int64_t steps;  // worked out by hand
};

const StepCase kStepCases[] = {
    // Without a rate: one step a frame, whatever the time.
    {0, 5, 99999.0, 60200.0, 1},
    // The first frame at 0 takes the instant 0, as the first frame without a rate takes its step.
    {60, 0, 0.0, kRunningBefore, 1},
    // A slow frame at 50 ms after one at 0: the instants 1/60, 2/60 and 3/60 s.
    {60, 1, 50.0, kRunningBefore, 3},
    // A fast frame: no instant since the last.
    {60, 4, 55.0, kRunningBefore, 0},
    // An effect that comes on at 60.2 s (the instant 3612) in a frame at 60.24 s that follows one
    // at 60.1 s (3607 instants, 0 to 3606, done): only the instants 3613 (60.2167 s) and 3614
    // (60.2333 s) after its start count.
    {60, 3607, 60240.0, 60200.0, 2},
    // An onset before the last frame changes nothing: the instants 3607 to 3614.
    {60, 3607, 60240.0, 100.0, 8},
};

TEST(EffectSteps, AFrameStepsThroughTheInstantsSinceTheLastOne)
{
    for (const StepCase& c : kStepCases) {
        SCOPED_TRACE(testing::Message() << c.rateHz << " Hz, " << c.instantsDone << " done, at " << c.nowMs);
        EXPECT_EQ(stepsThisFrame(c.rateHz, c.instantsDone, c.nowMs, c.onsetMs), c.steps);
    }
}

// Frame k at k / HZ s, as capture's clock gives it, is one step: none lost or taken twice by
// rounding over hours of frames.
TEST(EffectSteps, ASteadyFrameRateOfTheStepRateIsOneStepAFrame)
{
    for (int32_t rate : {25, 60, 144, 240}) {
        int64_t done = 0, wrong = 0;
        for (int64_t k = 0; k < 4 * 3600 * rate; ++k) {
            double nowMs = static_cast<double>(k) * 1000.0 / rate;
            wrong += stepsThisFrame(rate, done, nowMs, kRunningBefore) != 1;
            done = instantsUpTo(rate, nowMs);
        }
        EXPECT_EQ(wrong, 0) << rate << " Hz";
        EXPECT_EQ(done, 4 * 3600 * rate) << rate << " Hz";
    }
}

}  // namespace
