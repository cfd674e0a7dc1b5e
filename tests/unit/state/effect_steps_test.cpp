#include <gtest/gtest.h>

#include "state/effect_steps.h"

namespace {

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
