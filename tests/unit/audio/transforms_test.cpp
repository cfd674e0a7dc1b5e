#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "audio/imdct.h"
#include "audio/layer3_tables.h"
#include "audio/matrixing.h"
#include "audio/synthesis.h"
#include "reference_filterbank.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Each input alone (every column of the transform), then random inputs.
template <typename Check>
void basisAndRandom(int n, Check check)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    for (int trial = 0; trial < n + 50; ++trial) {
        float in[32] = {};
        if (trial < n) in[trial] = 1.0f;
        else for (int k = 0; k < n; ++k) in[k] = value(rng);
        check(in);
    }
}

// The fast transforms give the standard's IMDCT divided by the compensation 0.5 / cos(...).
TEST(Transforms, Imdct36MatchesTheDirectFormula)
{
    basisAndRandom(18, [](const float* in) {
        float fast[36];
        double direct[36];
        imdct36(in, fast);
        directImdct(in, 36, direct);
        for (int i = 0; i < 36; ++i)
            ASSERT_NEAR(fast[i], direct[i] * 2 * std::cos((2 * i + 19) * kPi / 72), 2e-5) << i;
    });
}

TEST(Transforms, Imdct12MatchesTheDirectFormula)
{
    basisAndRandom(6, [](const float* in) {
        float fast[12];
        double direct[12];
        imdct12(in, fast);
        directImdct(in, 12, direct);
        for (int i = 0; i < 12; ++i)
            ASSERT_NEAR(fast[i], direct[i] * 2 * std::cos((2 * i + 7) * kPi / 24), 1e-5) << i;
    });
}

// The two columns: -V[32 + m] for m = 0..16 and V[m] for m = 0..15.
TEST(Transforms, Matrix32MatchesTheDirectFormula)
{
    basisAndRandom(32, [](const float* in) {
        float first[17], second[17];
        double samples[32], v[64];
        for (int k = 0; k < 32; ++k) samples[k] = in[k];
        matrix32(in, first, second);
        directMatrix(samples, v);
        for (int m = 0; m <= 16; ++m) ASSERT_NEAR(first[m], -v[32 + m], 2e-5) << m;
        for (int m = 0; m < 16; ++m) ASSERT_NEAR(second[m], v[m], 2e-5) << m;
    });
}

}  // namespace
