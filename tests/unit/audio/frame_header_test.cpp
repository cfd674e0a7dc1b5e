#include <gtest/gtest.h>

#include <string>

#include "audio/frame_header.h"
#include "audio/stream_input.h"
#include "test_frames.h"

namespace {

FrameHeader parsed(const HeaderFields& f)
{
    FrameHeader h{};
    EXPECT_EQ(parseHeader(h, headerWord(f)), 1);
    return h;
}

TEST(FrameHeader, FrameSizesTruncateAndAddPadding)
{
    HeaderFields f;  // MPEG-1, 128 kbit/s, 44100 Hz
    EXPECT_EQ(parsed(f).frameSize, 413);
    f.padding = true;
    EXPECT_EQ(parsed(f).frameSize, 414);
    HeaderFields lsf{.version = 2, .bitrateIndex = 8};  // MPEG-2, 64 kbit/s, 22050 Hz: 208.98 bytes
    EXPECT_EQ(parsed(lsf).frameSize, 204);
    EXPECT_EQ(parsed(lsf).samplingIndex, 3);
    EXPECT_EQ(kSamplingRates[parsed(lsf).samplingIndex], 22050);
}

TEST(FrameHeader, LargestAndSmallestFramesFitTheBuffers)
{
    HeaderFields largest{.bitrateIndex = 14, .samplingBits = 2, .padding = true};  // 320 kbit/s at 32 kHz
    EXPECT_EQ(parsed(largest).frameSize, 1437);
    EXPECT_LE(parsed(largest).frameSize, kMaxFrameBody);
    HeaderFields smallest{.version = 2, .bitrateIndex = 1, .samplingBits = 1};  // 8 kbit/s at 24 kHz
    FrameHeader h = parsed(smallest);
    EXPECT_EQ(h.frameSize, 20);
    EXPECT_GE(h.frameSize, sideInfoBytes(h));
}

TEST(FrameHeader, FieldsAndSideInformationSizes)
{
    FrameHeader h = parsed({.crc = true, .bitrateIndex = 5, .samplingBits = 1, .mode = 1, .modeExt = 2});
    EXPECT_EQ(h.mpeg2, 0);
    EXPECT_EQ(h.layer, 3);
    EXPECT_EQ(h.hasCrc, 1);
    EXPECT_EQ(h.bitrateIndex, 5);
    EXPECT_EQ(h.samplingIndex, 1);
    EXPECT_EQ(h.mode, 1);
    EXPECT_EQ(h.modeExt, 2);
    EXPECT_EQ(sideInfoBytes(h), 34);
    EXPECT_EQ(sideInfoBytes(parsed({})), 32);
    EXPECT_EQ(sideInfoBytes(parsed({.version = 2})), 17);
    EXPECT_EQ(sideInfoBytes(parsed({.version = 2, .crc = true})), 19);
    EXPECT_EQ(sideInfoBytes(parsed({.mode = 3})), 17);
    EXPECT_EQ(sideInfoBytes(parsed({.version = 2, .mode = 3})), 9);
    EXPECT_EQ(channelCount(parsed({.mode = 3})), 1);
    EXPECT_EQ(channelCount(parsed({.mode = 2})), 2);
}

// What the decoder does not take is refused by name, never read as Layer III at a wrong rate.
TEST(FrameHeader, StreamsThatAreNotDecodedAreRefusedWithTheirReason)
{
    struct Case {
        HeaderFields fields;
        const char* reason;
    } cases[] = {
        {{.layer = 2}, "Layer II"},
        {{.layer = 3}, "Layer I"},
        {{.bitrateIndex = 0}, "free-format"},
        {{.version = 1}, "reserved MPEG version"},
    };
    for (const Case& c : cases) {
        uint32_t w = headerWord(c.fields);
        EXPECT_TRUE(isPlausibleHeader(w));
        EXPECT_FALSE(isSupportedHeader(w));
        FrameHeader h{};
        EXPECT_EQ(parseHeader(h, w), 0);
        EXPECT_NE(std::string(unsupportedReason(w)).find(c.reason), std::string::npos) << unsupportedReason(w);
    }
    EXPECT_FALSE(isPlausibleHeader(headerWord({.bitrateIndex = 15})));
    EXPECT_FALSE(isPlausibleHeader(headerWord({.samplingBits = 3})));
    EXPECT_FALSE(isPlausibleHeader(headerWord({.layer = 0})));
    EXPECT_FALSE(isPlausibleHeader(headerWord({}) & ~0x00200000u));  // one sync bit missing
}

TEST(FrameHeader, LaterHeadersMustKeepVersionLayerAndRate)
{
    uint32_t first = headerWord({});
    EXPECT_TRUE(continuesStream(headerWord({.crc = true, .bitrateIndex = 3, .padding = true, .mode = 3}), first));
    EXPECT_FALSE(continuesStream(headerWord({.samplingBits = 1}), first));
    EXPECT_FALSE(continuesStream(headerWord({.version = 2}), first));
    EXPECT_FALSE(continuesStream(headerWord({.layer = 2}), first));
    EXPECT_FALSE(continuesStream(headerWord({.bitrateIndex = 0}), first));
    EXPECT_FALSE(continuesStream(0x54414700u | 'x', first));  // "TAGx"
}

}  // namespace
