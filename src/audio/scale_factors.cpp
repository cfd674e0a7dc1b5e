#include "audio/scale_factors.h"

#include "audio/generated/mpeg2_partitions.h"
#include "audio/layer3_tables.h"

namespace {

constexpr uint8_t kSlen1[16] = {0, 0, 0, 0, 3, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4};
constexpr uint8_t kSlen2[16] = {0, 1, 2, 3, 0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 2, 3};

// Granule-1 groups of long bands that scfsi can carry over: first band, count, which length.
struct ScfsiGroup {
    int first;
    int count;
    bool second;
};
constexpr ScfsiGroup kScfsiGroups[4] = {{0, 6, false}, {6, 5, false}, {11, 5, true}, {16, 5, true}};

// Reads n values of `bits` bits each from index i on (zeros when bits is 0); returns the bits.
int readValues(int32_t* sf, int& i, int n, int bits, BitReader& r)
{
    for (int k = 0; k < n; ++k) sf[i++] = static_cast<int32_t>(readBitsShort(r, bits));
    return n * bits;
}

void appendZeros(int32_t* sf, int i, int n)
{
    for (int k = 0; k < n; ++k) sf[i + k] = 0;
}

}  // namespace

int readScaleFactorsMpeg1(int32_t (&sf)[kScaleFactors], const GranuleInfo& g, BitReader& r)
{
    int slen1 = kSlen1[g.scalefac_compress & 15], slen2 = kSlen2[g.scalefac_compress & 15];
    int i = 0, bits = 0;
    if (g.block_type == 2) {
        bits += readValues(sf, i, g.mixed_block_flag ? 17 : 18, slen1, r);
        bits += readValues(sf, i, 18, slen2, r);
        appendZeros(sf, i, 3);
        return bits;
    }
    for (int k = 0; k < 4; ++k) {
        const ScfsiGroup& group = kScfsiGroups[k];
        i = group.first;
        if (g.scfsi < 0 || !((g.scfsi >> (3 - k)) & 1)) bits += readValues(sf, i, group.count, group.second ? slen2 : slen1, r);
    }
    appendZeros(sf, 21, 1);
    return bits;
}

int readScaleFactorsMpeg2(int32_t (&sf)[kScaleFactors], int32_t (&largest)[kScaleFactors], GranuleInfo& g,
                          BitReader& r, bool intensityChannel)
{
    uint32_t word = intensityChannel ? kMpeg2IntensityScaleLengths[(g.scalefac_compress >> 1) & 255]
                                     : kMpeg2ScaleLengths[g.scalefac_compress & 511];
    g.preflag = static_cast<int32_t>((word >> 15) & 1);
    int kind = blockKind(g.block_type, g.mixed_block_flag);
    const uint8_t* counts = kMpeg2PartitionSizes[kind][(word >> 12) & 7];
    int i = 0, bits = 0;
    for (int p = 0; p < 4; ++p) {
        int slen = static_cast<int>((word >> (3 * p)) & 7);
        for (int k = 0; k < counts[p]; ++k) largest[i + k] = (1 << slen) - 1;
        bits += readValues(sf, i, counts[p], slen, r);
    }
    // Zeros for the bands without a scale factor of their own, up to the most a band map reads.
    appendZeros(largest, i, kScaleFactors - i);
    appendZeros(sf, i, kScaleFactors - i);
    return bits;
}
