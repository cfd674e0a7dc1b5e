#pragma once

#include <cstdint>
#include <vector>

// Test signals for the encoder-made streams, interleaved 16-bit PCM.
enum class Signal {
    Sweep,          // sine sweeping up from 30 Hz to near the Nyquist rate (the right side sweeps down)
    Noise,          // white noise at about a third of full scale, different on each side
    Transients,     // silence broken by short loud bursts and single clicks
    NearFullScale,  // two tones adding up to just under full scale, so the decoder must clip
};

std::vector<int16_t> makeSignal(Signal signal, int rate, int channels, double seconds);
