#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What a test chooses for one granule of one channel: its side information and its quantised
// spectrum. Fields left at -1 are worked out by the writer.
struct GranulePlan {
    int globalGain = 0;
    int blockType = 0;  // 0 normal, 1 start, 2 short, 3 stop; non-zero means window switching
    bool mixed = false;
    std::array<int, 3> subblockGain{};
    std::array<int, 3> tableSelect{-1, -1, -1};  // -1: the smallest table that codes the region
    int region0Count = 7;                         // long blocks only
    int region1Count = 7;
    bool scalefacScale = false;
    bool preflag = false;        // MPEG-1; in MPEG-2 it comes with scalefac_compress 500 to 511
    bool intensityScale = false; // MPEG-2 intensity channel: bit 0 of scalefac_compress
    int count1Table = 0;         // 0 = quadruple table A, 1 = table B
    int scalefacCompress = -1;   // -1: the cheapest that holds the scale factors
    int bigValues = -1;          // -1: as few pairs as the values need
    std::array<int, 22> sfLong{};                 // long bands 0 to 20 (21 has none)
    std::array<std::array<int, 3>, 13> sfShort{};  // short bands 0 to 11, by window (12 has none)
    std::array<int, 576> values{};                // in coding order (see shortCodingIndex)
};

// One frame: its header fields and the granules of each channel ([granule][channel]; MPEG-2 has
// only granule 0, single-channel streams only channel 0).
struct FramePlan {
    int rate = 44100;
    int kbps = 128;
    bool padding = false;
    bool crc = false;
    int mode = 0;      // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    int modeExt = 0;   // joint stereo: bit 1 mid/side, bit 0 intensity
    std::array<int, 2> scfsi{};  // MPEG-1: scale-factor reuse bits of granule 1, per channel
    int privateBits = 0;
    int reach = -1;    // main_data_begin to use; -1 puts the main data right behind the previous frame's
    std::vector<uint8_t> junkBefore;  // bytes in front of the header that belong to no frame
    std::array<std::array<GranulePlan, 2>, 2> granule{};
};

struct StreamPlan {
    std::vector<uint8_t> leading;   // bytes before the first frame, e.g. an ID3v2 tag
    std::vector<FramePlan> frames;
    std::vector<uint8_t> trailing;  // bytes after the last frame, e.g. a "TAG" block
    bool allowReachBeforeStart = false;  // lets the first frames point before the stream's first byte
};

struct WrittenStream {
    std::vector<uint8_t> bytes;
    std::vector<int> mainDataBegin;  // per frame, as written
    std::string error;               // empty when every frame could be written as specified
};
