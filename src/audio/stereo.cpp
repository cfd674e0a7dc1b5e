#include "audio/stereo.h"

#include <algorithm>

#include "audio/layer3_tables.h"

namespace {

constexpr int kMpeg1Positions = 7;
constexpr int kMidSideRows = 2;  // the ratio rows times sqrt 2

constexpr int kNotCoded = -1;

struct Ratios {
    const float* left;
    const float* right;
    const int32_t* largest;  // MPEG-2: the value of each position that says "not coded"; else null

    // The position of the scale factor at `at`, or kNotCoded.
    int position(const int32_t* sf, int at) const
    {
        int pos = sf[at];
        bool coded = largest ? pos != largest[at] : pos < kMpeg1Positions;
        return pos >= 0 && pos < kIntensityPositions && coded ? pos : kNotCoded;
    }
    // The last band has no scale factor of its own. It takes the position of the band below; in
    // MPEG-2 only when that band is intensity-coded too, else it is coded at position 0 (both
    // channels alike), as the standard's reference output has it.
    int lastBandPosition(const int32_t* sf, int belowAt, bool belowInRegion) const
    {
        if (largest && !belowInRegion) return 0;
        return position(sf, belowAt);
    }
    void apply(float* ch0, float* ch1, int first, int count, int step, int pos) const
    {
        if (pos == kNotCoded) return;
        float l = left[pos], r = right[pos];
        for (int i = 0, line = first; i < count; ++i, line += step) {
            float v = ch0[line];
            ch0[line] = v * l;
            ch1[line] = v * r;
        }
    }
};

// Long bands from `first` to `last` (inclusive).
void longBands(const Ratios& q, float* ch0, float* ch1, const int32_t* sf, int samplingIndex, int first, int last)
{
    const int32_t* starts = kLongBandStarts[samplingIndex];
    constexpr int kLast = kLongBands - 1;
    for (int band = first; band <= last; ++band) {
        int pos = band < kLast ? q.position(sf, band) : q.lastBandPosition(sf, kLast - 1, first < kLast);
        q.apply(ch0, ch1, starts[band], starts[band + 1] - starts[band], 1, pos);
    }
}

// Short bands of each window from its first zero band.
// `base` is where short band 3's scale factors start, less 9 (the scale factors of bands 0..2).
void shortBands(const Ratios& q, float* ch0, float* ch1, const int32_t* sf, const GranuleInfo& g, int samplingIndex,
                int base)
{
    const int32_t* starts = kShortBandStarts[samplingIndex];
    constexpr int kLast = kShortBands - 1;
    for (int w = 0; w < 3; ++w) {
        int first = g.lastShortBands[w];
        for (int band = first; band < kShortBands; ++band) {
            int pos = band < kLast ? q.position(sf, base + 3 * band + w)
                                   : q.lastBandPosition(sf, base + 3 * (kLast - 1) + w, first < kLast);
            q.apply(ch0, ch1, 3 * starts[band] + w, starts[band + 1] - starts[band], 3, pos);
        }
    }
}

}  // namespace

void applyIntensityStereo(float* ch0, float* ch1, const int32_t (&sf1)[kScaleFactors], const int32_t* largest,
                          const GranuleInfo& g1, int samplingIndex, bool midSide, bool mpeg2)
{
    const float(*rows)[kIntensityPositions] = mpeg2 ? kIntensityMpeg2[g1.scalefac_compress & 1] : kIntensityMpeg1;
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
