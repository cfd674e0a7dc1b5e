#include "bench_music.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr int kRate = 44100;
constexpr double kChords[4][3] = {{261.6, 329.6, 392.0}, {220.0, 261.6, 329.6}, {174.6, 220.0, 261.6}, {196.0, 246.9, 293.7}};

}  // namespace

std::vector<int16_t> benchMusic(double seconds)
{
    const int frames = static_cast<int>(seconds * kRate);
    std::vector<int16_t> out(size_t(frames) * 2);
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const double twoPi = 2 * std::numbers::pi;
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / kRate, beat = std::fmod(t, 0.5);
        const double* chord = kChords[int(t / 2) % 4];
        double tone = 0;
        for (int k = 0; k < 3; ++k) tone += std::sin(twoPi * chord[k] * t) + 0.3 * std::sin(twoPi * 2 * chord[k] * t);
        double bass = std::sin(twoPi * chord[0] / 2 * t);
        double hat = noise(rng) * std::exp(-std::fmod(t, 0.125) * 60);
        double drum = std::sin(twoPi * 60 * beat) * std::exp(-beat * 20);
        double left = 2500 * tone + 4000 * bass + 2000 * hat + 6000 * drum;
        double right = 2500 * tone + 3000 * bass + 3000 * hat * 0.7 + 6000 * drum;
        out[size_t(i) * 2] = int16_t(std::clamp(left, -32768.0, 32767.0));
        out[size_t(i) * 2 + 1] = int16_t(std::clamp(right, -32768.0, 32767.0));
    }
    return out;
}
