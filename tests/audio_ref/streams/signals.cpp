#include "streams/signals.h"

#include "streams/lcg.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

int16_t toSample(double v) { return static_cast<int16_t>(std::lround(std::clamp(v, -32768.0, 32767.0))); }

// Exponential sweep: the phase is the integral of f0 * (f1/f0)^(t/T).
double sweep(double t, double seconds, double f0, double f1)
{
    const double k = std::log(f1 / f0);
    return std::sin(kTwoPi * f0 * seconds / k * (std::exp(k * t / seconds) - 1));
}

double sample(Signal signal, int channel, int i, int rate, double seconds, Lcg& noise)
{
    const double t = static_cast<double>(i) / rate;
    const double top = 0.45 * rate;
    switch (signal) {
    case Signal::Sweep:
        return 16000 * (channel == 0 ? sweep(t, seconds, 30, top) : sweep(seconds - t, seconds, 30, top));
    case Signal::Noise:
        return 11000 * noise.uniform();
    case Signal::Transients: {
        const int period = rate / 5;
        const int at = i % period;
        const int burst = rate / 100;
        if (at < burst) return 30000 * std::exp(-8.0 * at / burst) * noise.uniform();
        if (at == period / 2 + 7 * channel) return channel ? -32000 : 32000;
        return 0;
    }
    case Signal::NearFullScale:
        return 20000 * std::sin(kTwoPi * (220 + 37 * channel) * t) + 12700 * std::sin(kTwoPi * 1630 * t);
    }
    return 0;
}

}  // namespace

std::vector<int16_t> makeSignal(Signal signal, int rate, int channels, double seconds)
{
    const int count = static_cast<int>(seconds * rate);
    std::vector<int16_t> pcm;
    pcm.reserve(static_cast<size_t>(count) * channels);
    Lcg noise{12345u};
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c) pcm.push_back(toSample(sample(signal, c, i, rate, seconds, noise)));
    return pcm;
}
