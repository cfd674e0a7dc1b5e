#include <gtest/gtest.h>

#include "audio/stream_input.h"
#include "test_frames.h"

namespace {

// 32 kbit/s at 48 kHz, stereo: 92-byte bodies, 60 bytes of main data each.
constexpr int kMainBytes = 60;
const HeaderFields kSmallFrames{.bitrateIndex = 1, .samplingBits = 1};

// The byte at a position of the stream's main data: never 0, so copied zeros show.
uint8_t mainByte(int pos) { return uint8_t(pos % 251 + 1); }

std::vector<uint8_t> patternStream(int frames)
{
    std::vector<uint8_t> out;
    for (int i = 0; i < frames; ++i) {
        TestFrame f;
        f.header = kSmallFrames;
        for (int k = 0; k < kMainBytes; ++k) f.mainData.push_back(mainByte(i * kMainBytes + k));
        append(out, frameBytes(f));
    }
    return out;
}

// Reads frames up to `frame` (setting each one's main data with a reach of 0 unless `skip`
// names it) and then sets that frame's main data `reach` bytes back.
bool reachBack(StreamInput& s, int frame, int reach, int skip = -1)
{
    FrameHeader h{};
    for (int i = 0; i < frame; ++i) {
        EXPECT_EQ(nextFrame(s, h), 1);
        if (i != skip) {
            EXPECT_TRUE(setMainData(s, 0));
        }
    }
    EXPECT_EQ(nextFrame(s, h), 1);
    return setMainData(s, reach);
}

// The reader stands on the byte `reach` before this frame's main data and reads on through it.
void expectMainDataFrom(StreamInput& s, int frame, int reach)
{
    int first = frame * kMainBytes - reach;
    for (int k = 0; k < reach + kMainBytes; ++k) ASSERT_EQ(readBits(s.reader, 8), mainByte(first + k)) << "byte " << k;
}

TEST(Reservoir, ReachesBackAcrossSeveralFrames)
{
    for (int reach : {0, 1, 59, 60, 61, 300, 511}) {
        StreamInput s;
        loadBytes(s, patternStream(12));
        ASSERT_TRUE(reachBack(s, 10, reach)) << reach;
        expectMainDataFrom(s, 10, reach);
    }
}

TEST(Reservoir, MainDataBeforeTheFirstByteIsRefused)
{
    struct Case {
        int frame, reach;
        bool seen;
    } cases[] = {{0, 1, false}, {1, 61, false}, {1, 60, true}, {2, 120, true}, {2, 121, false}};
    for (const Case& c : cases) {
        StreamInput s;
        loadBytes(s, patternStream(12));
        ASSERT_EQ(reachBack(s, c.frame, c.reach), c.seen) << c.frame << " " << c.reach;
        if (c.seen) expectMainDataFrom(s, c.frame, c.reach);
    }
}

// The first frame of a new pass cannot take bytes from the end of the last one.
TEST(Reservoir, NothingCarriesOverARewind)
{
    StreamInput s;
    loadBytes(s, patternStream(12));
    FrameHeader h{};
    while (nextFrame(s, h)) setMainData(s, 0);
    rewind(s);
    ASSERT_EQ(nextFrame(s, h), 1);
    EXPECT_FALSE(setMainData(s, 1));
    ASSERT_EQ(nextFrame(s, h), 1);
    EXPECT_TRUE(setMainData(s, 60));
    expectMainDataFrom(s, 1, 60);
}

// A frame whose main data was never placed (a dropped frame) still lends its own bytes.
TEST(Reservoir, FrameWithoutMainDataLendsOnlyItsOwnBytes)
{
    StreamInput s;
    loadBytes(s, patternStream(12));
    EXPECT_FALSE(reachBack(s, 7, 61, 6));
    StreamInput t;
    loadBytes(t, patternStream(12));
    ASSERT_TRUE(reachBack(t, 7, 60, 6));
    expectMainDataFrom(t, 7, 60);
}

}  // namespace
