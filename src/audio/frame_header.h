#pragma once

#include <cstdint>

// The MPEG audio frame header as the Layer III decoder keeps it.
struct FrameHeader {
    int32_t subbandLimit;  // 32 once output has started: every sub-band may be transformed
    int32_t mpeg2;         // 0 MPEG-1, 1 the lower sampling frequencies (MPEG-2 and 2.5)
    int32_t formatChange;  // 2 when the output format must be fitted again, else 1
    int32_t layer;         // always 3 for a frame that is decoded
    int32_t hasCrc;        // a 16-bit CRC follows the header
    int32_t bitrateIndex;
    int32_t samplingIndex;  // into kSamplingRates: the two sampling bits + 3 (MPEG-2) or 6 (MPEG-2.5)
    int32_t padding;
    int32_t mode;     // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    int32_t modeExt;  // bit 1 mid/side, bit 0 intensity (joint stereo only)
    int32_t frameSize;  // bytes of the frame after its 4 header bytes
};

constexpr int kMpeg25SamplingIndex = 6;  // the first of the MPEG-2.5 rates in kSamplingRates
extern const int32_t kSamplingRates[9];

// Word checks, most significant byte first in the stream.
// Plausible: frame sync, a layer, a bitrate index other than 15, a sampling index other than 3.
bool isPlausibleHeader(uint32_t word);
// Decodable here: plausible, MPEG-1, 2 or 2.5, Layer III, not free format.
bool isSupportedHeader(uint32_t word);
// A decodable header with the same version, layer and sampling frequency as the stream's first.
bool continuesStream(uint32_t word, uint32_t firstHeader);
// Why a plausible header is not decodable, for the message that refuses the stream.
const char* unsupportedReason(uint32_t word);

// Decodes a header word; 1 when the frame can be read on (a supported header), 0 otherwise.
int parseHeader(FrameHeader& header, uint32_t word);
// Bytes of side information (plus the CRC word) between the header and the main data.
int sideInfoBytes(const FrameHeader& header);
int bitrateKbps(const FrameHeader& header);
inline int channelCount(const FrameHeader& header) { return header.mode == 3 ? 1 : 2; }
// Samples per channel a frame decodes to: two granules of 576, one below MPEG-1.
inline int samplesPerFrame(const FrameHeader& header) { return header.mpeg2 ? 576 : 1152; }
