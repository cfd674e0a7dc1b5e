#include "audio/frame_header.h"

const int32_t kSamplingRates[9] = {44100, 48000, 32000, 22050, 24000, 16000, 11025, 12000, 8000};

namespace {

// Layer III bitrates in kbit/s by [mpeg2][bitrate index]; 0 for free format and the forbidden 15.
constexpr int32_t kLayer3Bitrates[2][16] = {
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};

// Side information bytes by [mpeg2][single channel].
constexpr int kSideInfoBytes[2][2] = {{32, 17}, {17, 9}};
constexpr int kCrcBytes = 2;

constexpr uint32_t kSyncMask = 0xFFE00000;
// Sync, version, layer and sampling frequency: what every frame of one stream shares.
constexpr uint32_t kStreamMask = 0xFFFE0C00;

uint32_t versionBits(uint32_t w) { return (w >> 19) & 3; }  // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
uint32_t layerBits(uint32_t w) { return (w >> 17) & 3; }    // 1 Layer III, 2 II, 3 I
uint32_t bitrateBits(uint32_t w) { return (w >> 12) & 15; }
uint32_t samplingBits(uint32_t w) { return (w >> 10) & 3; }

}  // namespace

bool isPlausibleHeader(uint32_t w)
{
    return (w & kSyncMask) == kSyncMask && layerBits(w) != 0 && bitrateBits(w) != 15 && samplingBits(w) != 3;
}

bool isSupportedHeader(uint32_t w)
{
    return isPlausibleHeader(w) && versionBits(w) != 1 && layerBits(w) == 1 && bitrateBits(w) != 0;
}

bool continuesStream(uint32_t w, uint32_t firstHeader)
{
    return isSupportedHeader(w) && (w & kStreamMask) == (firstHeader & kStreamMask);
}

const char* unsupportedReason(uint32_t w)
{
    if (versionBits(w) == 1) return "streams of the reserved MPEG version are not supported";
    if (layerBits(w) != 1) return layerBits(w) == 3 ? "Layer I streams are not supported" : "Layer II streams are not supported";
    return "free-format streams are not supported";
}

int parseHeader(FrameHeader& h, uint32_t w)
{
    if (!isSupportedHeader(w)) return 0;
    h.mpeg2 = versionBits(w) == 3 ? 0 : 1;
    h.layer = 4 - static_cast<int32_t>(layerBits(w));
    h.hasCrc = ((w >> 16) & 1) ? 0 : 1;
    h.bitrateIndex = static_cast<int32_t>(bitrateBits(w));
    int versionRow = versionBits(w) == 3 ? 0 : versionBits(w) == 2 ? 3 : kMpeg25SamplingIndex;
    h.samplingIndex = static_cast<int32_t>(samplingBits(w)) + versionRow;
    h.padding = (w >> 9) & 1;
    h.mode = (w >> 6) & 3;
    h.modeExt = (w >> 4) & 3;
    int32_t bitrate = kLayer3Bitrates[h.mpeg2][h.bitrateIndex];
    h.frameSize = bitrate * 144000 / (kSamplingRates[h.samplingIndex] << h.mpeg2) + h.padding - 4;
    return 1;
}

int bitrateKbps(const FrameHeader& h) { return kLayer3Bitrates[h.mpeg2][h.bitrateIndex]; }

int sideInfoBytes(const FrameHeader& h)
{
    return kSideInfoBytes[h.mpeg2][channelCount(h) == 1] + (h.hasCrc ? kCrcBytes : 0);
}
