#include "audio/band_tables.h"

#include "audio/generated/mpeg25_bands.h"

namespace {

constexpr int kStandardIndices = 6;  // MPEG-1 and MPEG-2

const int32_t kStandardLongStarts[kStandardIndices][kLongBands + 1] = {
    {0, 4, 8, 12, 16, 20, 24, 30, 36, 44, 52, 62, 74, 90, 110, 134, 162, 196, 238, 288, 342, 418, 576},
    {0, 4, 8, 12, 16, 20, 24, 30, 36, 42, 50, 60, 72, 88, 106, 128, 156, 190, 230, 276, 330, 384, 576},
    {0, 4, 8, 12, 16, 20, 24, 30, 36, 44, 54, 66, 82, 102, 126, 156, 194, 240, 296, 364, 448, 550, 576},
    {0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
    {0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 114, 136, 162, 194, 232, 278, 332, 394, 464, 540, 576},
    {0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
};

const int32_t kStandardShortStarts[kStandardIndices][kShortBands + 1] = {
    {0, 4, 8, 12, 16, 22, 30, 40, 52, 66, 84, 106, 136, 192},
    {0, 4, 8, 12, 16, 22, 28, 38, 50, 64, 80, 100, 126, 192},
    {0, 4, 8, 12, 16, 22, 30, 42, 58, 78, 104, 138, 180, 192},
    {0, 4, 8, 12, 18, 24, 32, 42, 56, 74, 100, 132, 174, 192},
    {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 136, 180, 192},
    {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192},
};

}  // namespace

const int32_t* const kLongBandStarts[kSamplingIndices] = {
    kStandardLongStarts[0],    kStandardLongStarts[1],    kStandardLongStarts[2],
    kStandardLongStarts[3],    kStandardLongStarts[4],    kStandardLongStarts[5],
    kMpeg25LongBandStarts[0],  kMpeg25LongBandStarts[1],  kMpeg25LongBandStarts[2],
};

const int32_t* const kShortBandStarts[kSamplingIndices] = {
    kStandardShortStarts[0],   kStandardShortStarts[1],   kStandardShortStarts[2],
    kStandardShortStarts[3],   kStandardShortStarts[4],   kStandardShortStarts[5],
    kMpeg25ShortBandStarts[0], kMpeg25ShortBandStarts[1], kMpeg25ShortBandStarts[2],
};

int mixedLongBands(int samplingIndex)
{
    int n = 0;
    while (kLongBandStarts[samplingIndex][n] < kMixedLongLines) ++n;
    return n;
}
