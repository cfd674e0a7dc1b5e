#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/bit_reader.h"
#include "support/shine_encode.h"
#include "writer/bit_writer.h"

// Small pieces of Layer III streams for the decoder tests: bits, headers, side information, frames.

// Bits a reader has consumed since `base`.
inline long bitsFrom(const BitReader& r, const uint8_t* base) { return (r.bytePtr - base) * 8L + r.bitIndex; }

struct HeaderFields {
    int version = 3;   // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    int layer = 1;     // 1 Layer III, 2 Layer II, 3 Layer I
    bool crc = false;
    int bitrateIndex = 9;
    int samplingBits = 0;
    bool padding = false;
    int mode = 0;
    int modeExt = 0;
};
uint32_t headerWord(const HeaderFields& h);
// Body bytes of a Layer III frame (frame length less the 4 header bytes).
int bodyBytes(const HeaderFields& h);

// Side-information fields of one granule of one channel (long blocks unless windowSwitching).
struct TestGranule {
    int part23 = 0;
    int bigValues = 0;
    int globalGain = 210;
    int scalefacCompress = 0;
    bool windowSwitching = false;
    int blockType = 0;
    bool mixed = false;
    int tables[3] = {0, 0, 0};
    int subblockGain[3] = {0, 0, 0};
    int region0 = 15;  // long bands in region 0, less one
    int region1 = 7;
    bool preflag = false;
    bool scalefacScale = false;
    bool count1B = false;
};

struct TestFrame {
    HeaderFields header;
    int mainDataBegin = 0;
    int scfsi[2] = {0, 0};
    TestGranule granules[2][2];  // [granule][channel]
    std::vector<uint8_t> mainData;  // placed right behind the side information, zero-filled
};

std::vector<uint8_t> sideInfoBytes(const TestFrame& f);
// Header, CRC word if any, side information and main data, exactly one frame long.
std::vector<uint8_t> frameBytes(const TestFrame& f);
void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes);

// A stream of `frames` silent 128 kbit/s 44.1 kHz stereo frames.
std::vector<uint8_t> silentStream(int frames);
