#include "audio/format_fit.h"

namespace {

constexpr int kRateCount = kFitRateCount;
constexpr int kChannelChoices = kFitChannelChoices;
constexpr int kEncodingCount = kFitEncodingCount;
constexpr int kStereoIndex = 1;

// The tenth entry repeats 8000 so that a lookup from the end finds 8000 there.
constexpr int32_t rateTable[kRateCount] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 8000};
constexpr int32_t channelCounts[kChannelChoices] = {1, 2};
constexpr int32_t encodingCodes[kEncodingCount] = {0x110, 0x120, 0x01, 0x02, 0x04, 0x08};

// What the device answers for any rate and channel count: 16-bit signed PCM only.
constexpr int32_t kDeviceEncodings = 0x110;

struct FitTry {
    int firstEncoding;
    int lastEncoding;
    int rateShift;  // the stream's rate halved this many times
};
constexpr FitTry fitTries[] = {{0, 1, 0}, {0, 1, 1}, {0, 1, 2}, {2, 5, 0}, {2, 5, 1}, {2, 5, 2}};

int32_t queryFormats(const AudioParams&)
{
    return kDeviceEncodings;
}

// Searched from the end, so 8000 yields the last index; -1 when the rate is not in the table.
int rateIndex(int rate)
{
    for (int j = kRateCount - 1; j >= 0; --j)
        if (rateTable[j] == rate) return j;
    return -1;
}

}  // namespace

void probeFormats(FormatTable& formats, const AudioParams& params)
{
    formats = FormatTable{};
    AudioParams probe = params;
    for (int i = 0; i < kChannelChoices; ++i) {
        for (int j = 0; j < kRateCount; ++j) {
            probe.channels = channelCounts[i];
            probe.rate = rateTable[j];
            int32_t answer = queryFormats(probe);
            for (int k = 0; k < kEncodingCount; ++k)
                formats.capability[i][k][j] = (answer & encodingCodes[k]) == encodingCodes[k];
        }
    }
}

bool fitFormat(const FormatTable& formats, AudioParams& params, int rate)
{
    for (const FitTry& fit : fitTries) {
        int j = rateIndex(rate >> fit.rateShift);
        if (j < 0) continue;
        for (int k = fit.firstEncoding; k <= fit.lastEncoding; ++k) {
            if (!formats.capability[kStereoIndex][k][j]) continue;
            params.rate = rateTable[j];
            params.format = encodingCodes[k];
            params.channels = channelCounts[kStereoIndex];
            return true;
        }
    }
    return false;
}
