#include "writer/frame_layout.h"

namespace {

constexpr int kKbpsMpeg1[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr int kKbpsMpeg2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

int bitrateIndex(const FramePlan& f, const BandLayout& layout)
{
    const int* table = layout.mpeg2 ? kKbpsMpeg2 : kKbpsMpeg1;
    for (int i = 1; i < 15; ++i)
        if (table[i] == f.kbps) return i;
    return -1;
}

}  // namespace

int channelCount(const FramePlan& f) { return f.mode == 3 ? 1 : 2; }

int granuleCount(const BandLayout& layout) { return layout.mpeg2 ? 1 : 2; }

int frameBytes(const FramePlan& f, const BandLayout& layout)
{
    return (layout.mpeg2 ? 72000 : 144000) * f.kbps / layout.rate + f.padding;
}

int sideInfoBytes(const BandLayout& layout, int channels)
{
    if (layout.mpeg2) return channels == 1 ? 9 : 17;
    return channels == 1 ? 17 : 32;
}

int maxMainDataBegin(const BandLayout& layout) { return layout.mpeg2 ? 255 : 511; }

bool headerWord(const FramePlan& f, const BandLayout& layout, uint32_t& word)
{
    const int index = bitrateIndex(f, layout);
    if (index < 0) return false;
    word = 0xFFE00000u;
    word |= (layout.mpeg2 ? 2u : 3u) << 19;  // version
    word |= 1u << 17;                         // layer III
    word |= (f.crc ? 0u : 1u) << 16;          // protection bit: 0 means a CRC follows
    word |= static_cast<uint32_t>(index) << 12;
    word |= static_cast<uint32_t>(layout.rateIndex) << 10;
    word |= static_cast<uint32_t>(f.padding) << 9;
    word |= static_cast<uint32_t>(f.mode) << 6;
    word |= static_cast<uint32_t>(f.modeExt) << 4;
    return true;
}

int frameBytesOfHeader(uint32_t word)
{
    const int version = static_cast<int>(word >> 19 & 3);  // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const bool mpeg2 = version != 3;
    const int index = static_cast<int>(word >> 12 & 15);
    const int rateBits = static_cast<int>(word >> 10 & 3);
    if ((word & 0xFFE60000u) != 0xFFE20000u || version == 1 || index == 0 || index == 15 || rateBits == 3) return 0;
    constexpr int kRates[4][3] = {{11025, 12000, 8000}, {}, {22050, 24000, 16000}, {44100, 48000, 32000}};
    const int kbps = (mpeg2 ? kKbpsMpeg2 : kKbpsMpeg1)[index];
    return (mpeg2 ? 72000 : 144000) * kbps / kRates[version][rateBits] + static_cast<int>(word >> 9 & 1);
}
