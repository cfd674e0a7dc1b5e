#include "compare/pcm_compare.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

// The files are little-endian, as is every machine this builds on (madref checks it too).
template <class T>
bool readSamples(const std::string& path, std::vector<T>& samples)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() % sizeof(T)) return false;
    samples.resize(bytes.size() / sizeof(T));
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(samples.data()));
    return true;
}

}  // namespace

PcmComparison comparePcm(const std::vector<int16_t>& ours, const std::vector<float>& ref)
{
    PcmComparison c;
    c.ourSamples = ours.size();
    c.refSamples = ref.size();
    const size_t n = std::min(ours.size(), ref.size());
    double sumSquares = 0;
    double refSquares = 0;
    for (size_t i = 0; i < n; ++i) {
        if (ref[i] > 32767.0f || ref[i] < -32768.0f) ++c.refClipped;
        const double expected = std::clamp(static_cast<double>(ref[i]), -32768.0, 32767.0);
        const double diff = std::fabs(ours[i] - expected);
        if (diff > c.maxDiff) {
            c.maxDiff = diff;
            c.maxAt = i;
        }
        sumSquares += diff * diff;
        refSquares += expected * expected;
    }
    if (n) {
        c.rmsDiff = std::sqrt(sumSquares / n);
        c.refRms = std::sqrt(refSquares / n);
    }
    return c;
}

std::string describe(const PcmComparison& c, int samplesPerFrame)
{
    const size_t stereoFrame = c.maxAt / 2;
    char line[256];
    std::snprintf(line, sizeof line,
                  "max %.3f LSB (frame %zu, granule %zu, %s), RMS %.3f LSB over %zu samples; libmad level %.0f, %zu "
                  "beyond 16 bits",
                  c.maxDiff, stereoFrame / samplesPerFrame, stereoFrame % samplesPerFrame / 576,
                  c.maxAt % 2 ? "right" : "left", c.rmsDiff, std::min(c.ourSamples, c.refSamples), c.refRms,
                  c.refClipped);
    return line;
}

ReferenceComparison compareWithReference(const std::vector<int16_t>& ours, const std::vector<int16_t>& ref,
                                         int refChannels)
{
    ReferenceComparison c;
    double sumSquares = 0;
    const size_t frames = ref.size() / refChannels;
    for (size_t f = 0; f < frames; ++f) {
        for (int ch = 0; ch < 2; ++ch) {
            const size_t at = 2 * f + ch;
            if (at >= ours.size()) {
                ++c.missing;
                continue;
            }
            const int diff = std::abs(ours[at] - ref[refChannels * f + (refChannels == 2 ? ch : 0)]);
            if (diff > c.maxDiff) {
                c.maxDiff = diff;
                c.maxAt = at;
            }
            c.overOne += diff > 1;
            sumSquares += double(diff) * diff;
            ++c.compared;
        }
    }
    if (c.compared) c.rmsDiff = std::sqrt(sumSquares / c.compared);
    return c;
}

bool readRaw16(const std::string& path, std::vector<int16_t>& samples) { return readSamples(path, samples); }

bool readF32(const std::string& path, std::vector<float>& samples) { return readSamples(path, samples); }
