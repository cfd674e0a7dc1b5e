#include "test_frames.h"

namespace {

constexpr int kBitrates[2][16] = {
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};
constexpr int kRates[2][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}};

void putGranule(BitWriter& b, const TestGranule& g, bool mpeg2)
{
    b.put(g.part23, 12);
    b.put(g.bigValues, 9);
    b.put(g.globalGain, 8);
    b.put(g.scalefacCompress, mpeg2 ? 9 : 4);
    b.put(g.windowSwitching, 1);
    if (g.windowSwitching) {
        b.put(g.blockType, 2);
        b.put(g.mixed, 1);
        b.put(g.tables[0], 5);
        b.put(g.tables[1], 5);
        for (int w : g.subblockGain) b.put(w, 3);
    } else {
        for (int t : g.tables) b.put(t, 5);
        b.put(g.region0, 4);
        b.put(g.region1, 3);
    }
    if (!mpeg2) b.put(g.preflag, 1);
    b.put(g.scalefacScale, 1);
    b.put(g.count1B, 1);
}

}  // namespace

uint32_t headerWord(const HeaderFields& h)
{
    return 0xFFE00000u | uint32_t(h.version) << 19 | uint32_t(h.layer) << 17 | uint32_t(!h.crc) << 16 |
           uint32_t(h.bitrateIndex) << 12 | uint32_t(h.samplingBits) << 10 | uint32_t(h.padding) << 9 |
           uint32_t(h.mode) << 6 | uint32_t(h.modeExt) << 4;
}

int bodyBytes(const HeaderFields& h)
{
    int mpeg2 = h.version == 3 ? 0 : 1;
    return kBitrates[mpeg2][h.bitrateIndex] * 144000 / (kRates[mpeg2][h.samplingBits] << mpeg2) + h.padding - 4;
}

std::vector<uint8_t> sideInfoBytes(const TestFrame& f)
{
    bool mpeg2 = f.header.version != 3;
    int channels = f.header.mode == 3 ? 1 : 2;
    BitWriter b;
    b.put(f.mainDataBegin, mpeg2 ? 8 : 9);
    b.put(0, mpeg2 ? (channels == 1 ? 1 : 2) : (channels == 1 ? 5 : 3));
    if (!mpeg2) {
        for (int ch = 0; ch < channels; ++ch) b.put(f.scfsi[ch], 4);
    }
    for (int gr = 0; gr < (mpeg2 ? 1 : 2); ++gr) {
        for (int ch = 0; ch < channels; ++ch) putGranule(b, f.granules[gr][ch], mpeg2);
    }
    return b.bytes;
}

void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

std::vector<uint8_t> frameBytes(const TestFrame& f)
{
    uint32_t word = headerWord(f.header);
    std::vector<uint8_t> out = {uint8_t(word >> 24), uint8_t(word >> 16), uint8_t(word >> 8), uint8_t(word)};
    if (f.header.crc) append(out, {0, 0});
    append(out, sideInfoBytes(f));
    append(out, f.mainData);
    out.resize(4 + bodyBytes(f.header), 0);
    return out;
}

std::vector<uint8_t> silentStream(int frames)
{
    std::vector<uint8_t> out;
    for (int i = 0; i < frames; ++i) append(out, frameBytes(TestFrame{}));
    return out;
}
