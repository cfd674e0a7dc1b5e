#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/bit_reader.h"
#include "audio/frame_header.h"
#include "audio/info_tag.h"

// The music file in memory, cut into frames, with the bit reservoir.

constexpr int kReservoirBytes = 511;      // the farthest main_data_begin reaches back
constexpr int kFrameBodyOffset = 512;     // room in front of a frame body for the reservoir
constexpr int kReadSlack = 64;            // behind a body: what a bit read may look past its data
constexpr int kMaxFrameBody = 1728;
// Behind a body cut off by the end of the file: zeros for as far as its main data may reach, four
// granules and channels of at most 4095 bits each.
constexpr int kCutBodyZeros = 4 * 4095 / 8 + 1;
constexpr int kFrameBufferBytes = kFrameBodyOffset + kMaxFrameBody + kCutBodyZeros + kReadSlack;

struct StreamInput {
    std::vector<uint8_t> file;
    size_t pos = 0;
    size_t passStart = 0;  // where every pass begins: the first frame the first pass found
    size_t frameAt = 0;    // where the frame nextFrame read last begins
    bool loaded = false;
    bool refused = false;  // no stream this decoder plays: every pass is empty
    bool reportedDamage = false;  // a damaged frame has been reported
    uint32_t firstHeader = 0;  // 0 while searching for the start of the audio
    uint32_t lastHeader = 0;
    // Two frame buffers used in turn; a body is stored from kFrameBodyOffset on.
    std::vector<uint8_t> buffers[2] = {std::vector<uint8_t>(kFrameBufferBytes), std::vector<uint8_t>(kFrameBufferBytes)};
    int bufferIndex = 0;  // the buffer the next frame goes into
    uint8_t* frameData = buffers[1].data() + kFrameBodyOffset;
    uint8_t* prevFrameData = buffers[0].data() + kFrameBodyOffset;
    int frameSize = 0, prevFrameSize = 0;  // body bytes
    int sideInfoSize = 0, prevSideInfoSize = 0;
    // Main-data bytes of earlier frames standing in front of a frame's own main data.
    int history = 0, prevHistory = 0;
    bool continuous = false;  // the previous frame directly precedes this one in the stream
    bool cutShort = false;    // the end of the file cut this frame's body: zeros stand for the rest
    BitReader reader{};
    bool gapless = true;    // a tag's plan is followed; off, every frame plays, the tag frame too
    InfoTag tag;            // of the stream's first frame, read once per file
    bool tagRead = false;
    GaplessPlan plan;       // from the tag, for every pass
    int64_t passFrames = 0;  // frames nextFrame has returned since the pass began
};

// Takes the bytes as the file in memory and forgets every remembered header and reservoir byte.
void loadBytes(StreamInput& s, std::vector<uint8_t> bytes);
// The whole file in memory: 1, or -1 when it cannot be read or is larger than maxBytes.
constexpr size_t kMaxMusicBytes = size_t(512) << 20;
int loadFile(StreamInput& s, const char* name, size_t maxBytes = kMaxMusicBytes);
void releaseFile(StreamInput& s);
// Back to where the first pass found the stream's first frame (the first byte, before it has).
void rewind(StreamInput& s);
// Reads the next frame: 1, or 0 at the end of the pass. A tag frame the plan drops is passed over.
int nextFrame(StreamInput& s, FrameHeader& header);

// What the frames of a stream add up to.
struct FrameTotals {
    FrameHeader first{};
    int64_t frames = 0;
    int64_t bytes = 0;  // of the frames, headers included
    bool variable = false;  // the bitrate changes from frame to frame
};
// The frames from byte `pos` on, found as nextFrame finds them, without reading their bodies.
FrameTotals walkFrames(const StreamInput& s, size_t pos, uint32_t firstHeader);

// Places the reservoir in front of this frame's main data and the reader main_data_begin bytes
// back into it. False when those bytes were never seen (stream start, a gap): the frame is silent.
bool setMainData(StreamInput& s, int mainDataBegin);
// One past the last byte of this frame's main data.
inline const uint8_t* mainDataEnd(const StreamInput& s) { return s.frameData + s.frameSize; }
