#include "streams/equivalence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "madref/mad_decode.h"
#include "streams/writer_streams.h"
#include "writer/stream_writer.h"

std::vector<float> decode(const StreamPlan& plan)
{
    const WrittenStream written = writeStream(plan);
    EXPECT_EQ(written.error, "");
    const MadDecoded decoded = madDecode(written.bytes);
    EXPECT_TRUE(decoded.frameErrors.empty()) << decoded.frameErrors[0].text;
    EXPECT_EQ(decoded.frames, static_cast<int>(plan.frames.size()));
    return decoded.pcm;
}

float difference(const StreamPlan& a, const StreamPlan& b)
{
    const std::vector<float> pa = decode(a);
    const std::vector<float> pb = decode(b);
    EXPECT_EQ(pa.size(), pb.size());
    float diff = 0;
    float peak = 0;
    for (size_t i = 0; i < std::min(pa.size(), pb.size()); ++i) {
        diff = std::max(diff, std::fabs(pa[i] - pb[i]));
        peak = std::max(peak, std::fabs(pa[i]));
    }
    EXPECT_GT(peak, 100.0f) << "a silent comparison proves nothing";
    return diff;
}

StreamPlan namedStream(const std::string& name)
{
    for (const WriterStream& ws : writerStreams())
        if (ws.name == name) return ws.build();
    ADD_FAILURE() << "no stream " << name;
    return {};
}
