// The writer refuses what it cannot write as asked, rather than writing another stream.
#include <gtest/gtest.h>

#include "writer/frame_layout.h"
#include "writer/stream_writer.h"

namespace {

StreamPlan oneFrame(int rate = 44100, int kbps = 128)
{
    StreamPlan s;
    FramePlan f;
    f.rate = rate;
    f.kbps = kbps;
    s.frames.push_back(f);
    return s;
}

TEST(Writer, RefusesValuesItsTableCannotCode)
{
    StreamPlan s = oneFrame();
    s.frames[0].granule[0][0].values[0] = 2;
    s.frames[0].granule[0][0].tableSelect = {1, -1, -1};
    EXPECT_NE(writeStream(s).error.find("table 1 cannot code"), std::string::npos);
    s.frames[0].granule[0][0].tableSelect = {4, -1, -1};
    EXPECT_NE(writeStream(s).error, "");
    s.frames[0].granule[0][0].values[0] = 8207;  // beyond 15 + 8191
    s.frames[0].granule[0][0].tableSelect = {-1, -1, -1};
    EXPECT_NE(writeStream(s).error, "");
}

TEST(Writer, RefusesScaleFactorsTheLengthsCannotHold)
{
    StreamPlan s = oneFrame();
    GranulePlan& g = s.frames[0].granule[0][0];
    g.sfLong[12] = 8;
    g.scalefacCompress = 15;  // slen2 = 3 for bands 11 to 20
    EXPECT_EQ(writeStream(s).error, "frame 0: granule 0 channel 0: no scalefac_compress holds the scale factors");
    g.scalefacCompress = -1;
    g.sfLong[12] = 16;  // no MPEG-1 length reaches 4 bits for band 12
    EXPECT_NE(writeStream(s).error, "");
}

TEST(Writer, RefusesReuseOfScaleFactorsThatDiffer)
{
    StreamPlan s = oneFrame();
    s.frames[0].scfsi[1] = 0b1000;
    s.frames[0].granule[0][1].sfLong[2] = 3;
    EXPECT_NE(writeStream(s).error.find("scfsi"), std::string::npos);
    s.frames[0].granule[1][1].sfLong[2] = 3;
    EXPECT_EQ(writeStream(s).error, "");
}

TEST(Writer, RefusesMainDataThatDoesNotFitOrReachesTooFar)
{
    StreamPlan s = oneFrame(48000, 32);  // 96-byte frames: 60 bytes of main data
    for (int i = 0; i < 400; ++i) s.frames[0].granule[0][0].values[i] = 15;
    EXPECT_NE(writeStream(s).error.find("main data needs"), std::string::npos);

    StreamPlan far = oneFrame();
    far.frames.push_back(far.frames[0]);
    far.frames[1].reach = 512;
    EXPECT_NE(writeStream(far).error.find("reach above 511"), std::string::npos);
    far.frames[1].reach = 300;  // only one 381-byte slot before it, and it is empty
    EXPECT_EQ(writeStream(far).error, "");
    EXPECT_EQ(writeStream(far).mainDataBegin, (std::vector<int>{0, 300}));
}

TEST(Writer, FramesHaveTheStandardSizes)
{
    FramePlan f;
    f.kbps = 128;
    EXPECT_EQ(frameBytes(f, *bandLayout(44100)), 417);
    f.padding = true;
    EXPECT_EQ(frameBytes(f, *bandLayout(44100)), 418);
    f.padding = false;
    f.kbps = 64;
    EXPECT_EQ(frameBytes(f, *bandLayout(22050)), 208);
    const WrittenStream written = writeStream(oneFrame());
    ASSERT_EQ(written.bytes.size(), 417u);
    EXPECT_EQ(frameBytesOfHeader(0xFFFB9000u), 417);
    EXPECT_EQ(frameBytesOfHeader(0xFFFB0000u), 0);  // free format
    EXPECT_EQ(frameBytesOfHeader(0xFFFD9000u), 0);  // layer II
}

}  // namespace
