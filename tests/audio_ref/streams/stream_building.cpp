#include "streams/stream_building.h"

#include <algorithm>
#include <cstring>

#include "common/chunk_writer.h"

FramePlan silentFrame(int rate, int kbps, int mode, int modeExt)
{
    FramePlan f;
    f.rate = rate;
    f.kbps = kbps;
    f.mode = mode;
    f.modeExt = modeExt;
    return f;
}

void scatterValues(GranulePlan& g, Lcg& rng, int from, int to, int maxValue, int percent)
{
    for (int i = from; i < to; ++i) {
        if (!rng.percent(percent)) continue;
        const int big = maxValue > 1 && rng.percent(30) ? 2 + rng.below(maxValue - 1) : 1;
        g.values[i] = rng.percent(50) ? -big : big;
    }
}

StreamPlan withEveryGranule(StreamPlan s, const std::function<void(GranulePlan&)>& change)
{
    for (FramePlan& f : s.frames)
        for (auto& granule : f.granule)
            for (GranulePlan& g : granule) change(g);
    return s;
}

ScalefactorPlace placeOf(const FramePlan& f, int gr, int ch)
{
    const BandLayout* layout = bandLayout(f.rate);
    const bool mpeg2 = layout && layout->mpeg2;
    return {mpeg2, gr, f.scfsi[ch], &f.granule[0][ch], mpeg2 && f.mode == 1 && (f.modeExt & 1) && ch == 1};
}

void randomScalefactors(FramePlan& f, int gr, int ch, Lcg& rng, int compress)
{
    GranulePlan& g = f.granule[gr][ch];
    g.scalefacCompress = compress;
    fitScalefactors(g, placeOf(f, gr, ch), compress, [&rng](int top) { return rng.below(top + 1); });
}

void randomLongScalefactors(FramePlan& f, int gr, int ch, Lcg& rng)
{
    GranulePlan& g = f.granule[gr][ch];
    if (gr == 1) g.sfLong = f.granule[0][ch].sfLong;
    randomScalefactors(f, gr, ch, rng, rng.below(16));
    g.preflag = rng.percent(50);
    g.scalefacScale = rng.percent(50);
}

std::vector<uint8_t> id3v2Tag(int bodyBytes)
{
    std::vector<uint8_t> tag = {'I', 'D', '3', 3, 0, 0};
    for (int shift = 21; shift >= 0; shift -= 7) tag.push_back(static_cast<uint8_t>(bodyBytes >> shift & 0x7F));
    const char title[] = "TIT2\0\0\0\x09\0\0\0Zephal3D";
    tag.insert(tag.end(), title, title + sizeof title - 1);
    const uint8_t falseSync[] = {0xFF, 0xFB, 0x90, 0x64};  // an MPEG-1 Layer III header, as picture bytes may hold
    while (tag.size() < 10 + static_cast<size_t>(bodyBytes)) tag.push_back(falseSync[tag.size() % 4]);
    return tag;
}

std::vector<uint8_t> junk(int bytes)
{
    std::vector<uint8_t> out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(0x20 + i * 7 % 0x5F));
    return out;
}

std::vector<uint8_t> riffHeader(uint32_t dataBytes)
{
    ChunkWriter w;  // RIFF numbers are little-endian, as in .3DS chunks
    auto text = [&w](const char* s) {
        for (int i = 0; i < 4; ++i) w.u8(static_cast<uint8_t>(s[i]));
    };
    text("RIFF");
    w.u32(4 + 8 + 16 + 8 + dataBytes);
    text("WAVE");
    text("fmt ");
    w.u32(16);
    w.u16(0x55);  // MPEG Layer 3
    w.u16(2);
    w.u32(44100);
    w.u32(16000);
    w.u16(1);
    w.u16(0);
    text("data");
    w.u32(dataBytes);
    return w.bytes;
}

std::vector<uint8_t> id3v1Tag()
{
    std::vector<uint8_t> tag(128, 0);
    const char text[] = "TAGSorvel";
    std::memcpy(tag.data(), text, sizeof text - 1);
    return tag;
}
