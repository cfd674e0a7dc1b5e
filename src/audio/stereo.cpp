#include "audio/stereo.h"

#include <algorithm>

#include "audio/layer3_tables.h"

namespace {

constexpr int kMpeg1Positions = 7;
constexpr int kMidSideRows = 2;  // the ratio rows times sqrt 2

struct Ratios {
    const float* left;
    const float* right;
    const int32_t* largest;  // MPEG-2: the value of each position that says "not coded"; else null

    bool coded(int pos, int at) const
    {
        if (!largest) return pos >= 0 && pos < kMpeg1Positions;
        return pos >= 0 && pos < kIntensityPositions && pos != largest[at];
    }
    void apply(float* ch0, float* ch1, int first, int count, int step, const int32_t* sf, int at) const
    {
        int pos = sf[at];
        if (!coded(pos, at)) return;
        float l = left[pos], r = right[pos];
        for (int i = 0, line = first; i < count; ++i, line += step) {
            float v = ch0[line];
            ch0[line] = v * l;
            ch1[line] = v * r;
        }
    }
};

// Long bands from `first` to `last` (inclusive); the band after the last coded one reuses its position.
void longBands(const Ratios& q, float* ch0, float* ch1, const int32_t* sf, int samplingIndex, int first, int last)
{
    const int32_t* starts = kLongBandStarts[samplingIndex];
    for (int band = first; band <= last; ++band) {
        q.apply(ch0, ch1, starts[band], starts[band + 1] - starts[band], 1, sf, std::min(band, kLongBands - 2));
    }
}

// Short bands of each window from its first zero band; band 12 reuses band 11's position.
// `base` is where short band 3's scale factors start, less 9 (the scale factors of bands 0..2).
void shortBands(const Ratios& q, float* ch0, float* ch1, const int32_t* sf, const GranuleInfo& g, int samplingIndex,
                int base)
{
    const int32_t* starts = kShortBandStarts[samplingIndex];
    for (int w = 0; w < 3; ++w) {
        for (int band = g.lastShortBands[w]; band < kShortBands; ++band) {
            int at = base + 3 * std::min(band, kShortBands - 2) + w;
            q.apply(ch0, ch1, 3 * starts[band] + w, starts[band + 1] - starts[band], 3, sf, at);
        }
    }
}

}  // namespace

void applyIntensityStereo(float* ch0, float* ch1, const int32_t (&sf1)[kScaleFactors], const int32_t* largest,
                          const GranuleInfo& g1, int samplingIndex, bool midSide, bool mpeg2)
{
    const float(*rows)[kIntensityPositions] = mpeg2 ? gIntensityMpeg2[g1.scalefac_compress & 1] : gIntensityMpeg1;
    int row = midSide ? kMidSideRows : 0;
    Ratios q{rows[row], rows[row + 1], mpeg2 ? largest : nullptr};
    if (g1.block_type != 2) {
        longBands(q, ch0, ch1, sf1, samplingIndex, g1.lastLongBand, kLongBands - 1);
        return;
    }
    if (!g1.mixed_block_flag) {
        shortBands(q, ch0, ch1, sf1, g1, samplingIndex, 0);
        return;
    }
    int longCount = mixedLongBands(samplingIndex);
    shortBands(q, ch0, ch1, sf1, g1, samplingIndex, longCount - 9);
    int firstShort = *std::max_element(g1.lastShortBands, g1.lastShortBands + 3);
    if (firstShort <= 3) longBands(q, ch0, ch1, sf1, samplingIndex, g1.lastLongBand, longCount - 1);
}
