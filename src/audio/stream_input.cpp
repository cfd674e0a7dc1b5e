#include "audio/stream_input.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/frame_search.h"
#include "platform/report.h"

void loadBytes(StreamInput& s, std::vector<uint8_t> bytes)
{
    s.file = std::move(bytes);
    s.pos = s.passStart = s.frameAt = 0;
    s.loaded = true;
    s.refused = false;
    s.reportedDamage = false;
    s.firstHeader = 0;
    s.lastHeader = 0;
    s.history = s.prevHistory = 0;
    s.continuous = false;
    s.tag = InfoTag{};
    s.tagRead = false;
    s.plan = GaplessPlan{};
    s.passFrames = 0;
}

int loadFile(StreamInput& s, const char* name, size_t maxBytes)
{
    FILE* f = std::fopen(name, "rb");
    if (!f) return -1;
    std::vector<uint8_t> bytes, chunk(65536);
    size_t n = 0;
    bool failed = false;
    // Bounded, so a huge file (or an endless device) is refused instead of exhausting memory.
    while (!failed && (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
        failed = bytes.size() + n > maxBytes;
        if (!failed) bytes.insert(bytes.end(), chunk.data(), chunk.data() + n);
    }
    failed = failed || std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return -1;
    loadBytes(s, std::move(bytes));
    return 1;
}

void releaseFile(StreamInput& s)
{
    s.file = {};
    s.pos = 0;
    s.loaded = false;
}

void rewind(StreamInput& s)
{
    // From byte 0 again a later pass could take a header that the first pass's search rejected.
    s.pos = s.passStart;
    s.continuous = false;  // the file's first frame cannot reach back into its last
    s.passFrames = 0;
}

namespace {

// 2 when the output may have to change: the first frame, another sampling frequency, or a move
// between stereo and the other modes.
int formatChange(uint32_t lastHeader, uint32_t word)
{
    constexpr uint32_t kSampling = 0xC00, kMode = 0xC0;
    if (lastHeader == 0 || ((lastHeader ^ word) & kSampling)) return 2;
    return ((lastHeader & kMode) == 0) == ((word & kMode) == 0) ? 1 : 2;
}

// Reads a body of n bytes into frameData; bytes missing at the end of the file read as zeros,
// also past the body, as far as the frame's main data may reach.
bool readFrameBody(StreamInput& s, int n)
{
    size_t left = s.file.size() - s.pos;
    if (n <= 0 || n > kMaxFrameBody || left == 0) return false;
    size_t have = std::min(left, static_cast<size_t>(n));
    s.cutShort = have < static_cast<size_t>(n);
    std::memcpy(s.frameData, s.file.data() + s.pos, have);
    std::memset(s.frameData + have, 0, n - have + (s.cutShort ? kCutBodyZeros : 0) + kReadSlack);
    s.pos += have;
    s.reader = {s.frameData, 0};
    return true;
}

// Finds the next header at or after pos; false ends the pass.
bool locateHeader(StreamInput& s, uint32_t& word)
{
    if (s.firstHeader && wordAt(s.file.data(), s.file.size(), s.pos, word) && continuesStream(word, s.firstHeader))
        return true;
    SearchResult r = findHeader(s.file.data(), s.file.size(), s.pos, s.firstHeader);
    if (!r.found) {
        if (s.firstHeader == 0) {
            report("mp3", std::string(r.unsupported ? unsupportedReason(r.unsupported) : "no MPEG audio stream found") +
                              "; the music stays silent");
            s.refused = true;
        }
        return false;
    }
    wordAt(s.file.data(), s.file.size(), s.pos, word);
    s.continuous = false;
    return true;
}

int readFrame(StreamInput& s, FrameHeader& header)
{
    uint32_t word = 0;
    if (!s.loaded || s.refused || !locateHeader(s, word)) return 0;
    header.formatChange = formatChange(s.lastHeader, word);
    if (s.firstHeader == 0) {
        s.firstHeader = word;
        s.passStart = s.pos;
    }
    s.lastHeader = word;
    parseHeader(header, word);
    s.frameAt = s.pos;
    s.pos += 4;
    s.prevFrameData = s.frameData;
    s.prevFrameSize = s.frameSize;
    s.prevSideInfoSize = s.sideInfoSize;
    s.prevHistory = s.continuous ? s.history : -1;
    s.frameData = s.buffers[s.bufferIndex].data() + kFrameBodyOffset;
    s.bufferIndex = 1 - s.bufferIndex;
    s.sideInfoSize = sideInfoBytes(header);
    s.frameSize = header.frameSize;
    s.history = 0;
    s.continuous = true;
    return readFrameBody(s, header.frameSize) ? 1 : 0;
}

// Reads the tag of the stream's first frame once, and with the frames behind it makes the plan.
void readTag(StreamInput& s, const FrameHeader& h)
{
    s.tagRead = true;
    if (!readInfoTag(s.frameData, s.frameSize, sideInfoBytes(h), s.tag)) return;
    s.plan = gaplessPlan(s.tag, walkFrames(s, s.pos, s.firstHeader).frames, samplesPerFrame(h));
}

}  // namespace

int nextFrame(StreamInput& s, FrameHeader& header)
{
    int read = readFrame(s, header);
    if (read == 1 && s.passFrames == 0) {
        if (!s.tagRead) readTag(s, header);
        if (s.gapless && s.plan.skipTagFrame) {
            int change = header.formatChange;
            read = readFrame(s, header);
            header.formatChange = std::max(change, header.formatChange);
        }
    }
    s.passFrames += read;
    return read;
}

FrameTotals walkFrames(const StreamInput& s, size_t pos, uint32_t firstHeader)
{
    const uint8_t* data = s.file.data();
    size_t size = s.file.size();
    FrameTotals t;
    uint32_t word = 0;
    for (;;) {
        bool atFrame = wordAt(data, size, pos, word) && continuesStream(word, firstHeader);
        if (!atFrame && !(findHeader(data, size, pos, firstHeader).found && wordAt(data, size, pos, word))) break;
        FrameHeader h{};
        parseHeader(h, word);
        pos += 4;
        if (pos >= size) break;  // a header without a body ends the pass
        if (t.frames++ == 0) t.first = h;
        t.variable |= h.bitrateIndex != t.first.bitrateIndex;
        t.bytes += 4 + h.frameSize;
        pos += static_cast<size_t>(h.frameSize);
    }
    return t;
}

bool setMainData(StreamInput& s, int mainDataBegin)
{
    // What the previous buffer holds of the main-data stream, ending with its body.
    int avail = 0;
    if (s.prevHistory >= 0) avail = std::min(kReservoirBytes, s.prevHistory + std::max(0, s.prevFrameSize - s.prevSideInfoSize));
    uint8_t* mainData = s.frameData + s.sideInfoSize;
    if (avail > 0) std::memmove(mainData - avail, s.prevFrameData + s.prevFrameSize - avail, avail);
    s.history = avail;
    s.reader = {mainData - mainDataBegin, 0};
    return mainDataBegin <= avail;
}
