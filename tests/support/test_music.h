#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "common/file_bytes.h"
#include "support/shine_encode.h"

// Samples per 4 MPEG-1 or 8 MPEG-2 frames: a pass that long leaves the decoder's 16-slot synthesis
// ring where the pass began, so that every pass decodes to the same bytes, not just within 1 LSB.
constexpr int kWholePassSamples = 4608;

// Test music: two gliding tones, different on each side so that swapped or repeated blocks show,
// then digital silence (at least the given length), which leaves the decoder's filters at rest
// when the track repeats.
inline std::vector<int16_t> testMusicSamples(int rate, double toneSeconds, double silenceSeconds)
{
    const int toneFrames = int(toneSeconds * rate);
    const int wanted = toneFrames + int(silenceSeconds * rate);
    const int frames = (wanted + kWholePassSamples - 1) / kWholePassSamples * kWholePassSamples;
    std::vector<int16_t> samples(size_t(frames) * 2, 0);
    double left = 0, right = 0;
    for (int i = 0; i < toneFrames; ++i) {
        double t = double(i) / rate;
        left += 2 * std::numbers::pi * (220 + 600 * t / toneSeconds) / rate;
        right += 2 * std::numbers::pi * (1500 - 900 * t / toneSeconds) / rate;
        double fade = std::min(1.0, (toneFrames - i) / (0.05 * rate));  // no click into the silence
        samples[size_t(i) * 2] = int16_t(9000 * fade * std::sin(left));
        samples[size_t(i) * 2 + 1] = int16_t(7000 * fade * std::sin(right));
    }
    return samples;
}

// Encodes the test music at 128 kbit/s (32 at the MPEG-2.5 rates, where shine takes no more) into
// mp3Path; false when the encoder or the file fails.
inline bool writeTestMp3(const std::string& mp3Path, int rate, double toneSeconds, double silenceSeconds)
{
    const int kbps = rate < 16000 ? 32 : 128;
    const std::vector<uint8_t> mp3 = shineEncode(testMusicSamples(rate, toneSeconds, silenceSeconds), 2, rate, kbps);
    return !mp3.empty() && writeFileBytes(mp3Path.c_str(), mp3);
}
