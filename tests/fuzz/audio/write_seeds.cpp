// Writes the seed corpus of the decoder's fuzz target into the folder given.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "support/tagged_song.h"
#include "test_frames.h"

namespace {

bool writeSeed(const std::string& dir, const char* name, const std::vector<uint8_t>& bytes)
{
    std::string path = dir + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<int16_t> chirp(int channels, int rate, double seconds)
{
    std::vector<int16_t> out;
    for (int i = 0; i < int(rate * seconds); ++i) {
        double t = double(i) / rate;
        for (int ch = 0; ch < channels; ++ch)
            out.push_back(int16_t(12000 * std::sin(2 * std::numbers::pi * (200 + 4000 * t) * t * (1 + ch))));
    }
    return out;
}

// Four frames with every block kind and both stereo tools, budgets and gains at odd values.
std::vector<uint8_t> switchedBlocks()
{
    std::vector<uint8_t> out;
    const int kinds[4][2] = {{1, 0}, {2, 0}, {2, 1}, {3, 0}};
    for (int i = 0; i < 4; ++i) {
        TestFrame f;
        f.header.mode = 1;
        f.header.modeExt = 3;
        f.header.crc = i == 2;
        f.mainDataBegin = i * 40;
        for (auto& gr : f.granules) {
            for (TestGranule& g : gr) {
                g = {.part23 = 300, .bigValues = 60, .globalGain = 180, .scalefacCompress = 9, .windowSwitching = true,
                     .blockType = kinds[i][0], .mixed = kinds[i][1] == 1, .tables = {7, 24, 0}, .subblockGain = {1, 2, 3}};
            }
        }
        for (int k = 0; k < 300; ++k) f.mainData.push_back(uint8_t(k * 37 + i));
        append(out, frameBytes(f));
    }
    return out;
}

std::vector<uint8_t> wrapped(const std::vector<uint8_t>& mp3)
{
    std::vector<uint8_t> out = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 20};
    out.resize(30, 0);
    append(out, {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a', 't', 'a', 0, 0, 0, 0});
    append(out, mp3);
    std::vector<uint8_t> tag = {'T', 'A', 'G'};
    tag.resize(128, ' ');
    append(out, tag);
    return out;
}

std::vector<uint8_t> joined(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    append(a, b);
    return a;
}

// The first frames of a shine stream: enough to reach into the reservoir, small enough to mutate.
std::vector<uint8_t> firstBytes(std::vector<uint8_t> bytes, size_t n)
{
    if (bytes.size() > n) bytes.resize(n);
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    std::string dir = argv[1];
    std::vector<uint8_t> stereo = shineEncode(chirp(2, 44100, 0.2), 2, 44100, 128);
    std::vector<uint8_t> lsfMono = shineEncode(chirp(1, 22050, 0.3), 1, 22050, 32);
    std::vector<uint8_t> mpeg25 = shineEncode(chirp(2, 8000, 0.3), 2, 8000, 32);
    if (stereo.empty() || lsfMono.empty() || mpeg25.empty()) {
        std::fprintf(stderr, "write_mp3_seeds: shineenc failed\n");
        return 1;
    }
    // Tagged songs small enough to vary byte by byte: a delay below the decoder's, no padding,
    // a stray header in front, tag fields that do not fit.
    std::vector<uint8_t> lowFrames = wholeFrames(firstBytes(mpeg25, 3 * 288));
    bool ok = writeSeed(dir, "stereo.mp3", firstBytes(stereo, 1700)) && writeSeed(dir, "lsf_mono.mp3", firstBytes(lsfMono, 700)) &&
              writeSeed(dir, "switched.mp3", switchedBlocks()) && writeSeed(dir, "wrapped.mp3", wrapped(silentStream(2))) &&
              writeSeed(dir, "mpeg25.mp3", firstBytes(mpeg25, 700)) &&
              writeSeed(dir, "tagged.mp3", withInfoFrame(stereo, framesOf(stereo), kShineDelay, 700)) &&
              writeSeed(dir, "tagged_stray.mp3", oneFrameSongBehindAStrayHeader()) &&
              writeSeed(dir, "tagged_mpeg25.mp3", withInfoFrame(lowFrames, framesOf(lowFrames), 0, 0)) &&
              writeSeed(dir, "tagged_cut_fields.mp3", joined(tagFrameWithoutRoomForItsSeekTable(framesOf(lowFrames)), lowFrames));
    return ok ? 0 : 1;
}
