#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "common/chunk_writer.h"
#include "scene/chunk_reader.h"

namespace {

constexpr uint16_t kHandled = 0x1234;
constexpr uint16_t kOther = 0x5555;

// A reader over bytes held in memory; records where the walk met the handled id.
struct WalkTest : ::testing::Test {
    std::vector<uint8_t> bytes;
    FILE* file = nullptr;
    ChunkReader reader;
    std::vector<uint64_t> handledAt;

    ~WalkTest() override
    {
        if (file) std::fclose(file);
    }
    void open(const ChunkWriter& w)
    {
        bytes = w.bytes;
        file = fmemopen(bytes.data(), bytes.size(), "rb");
        ASSERT_NE(file, nullptr);
        startReading(reader, file);
    }
    uint64_t position() const { return static_cast<uint64_t>(std::ftell(file)); }
    uint64_t bytesRead(uint64_t budgetBefore) const { return budgetBefore - reader.readBudget; }
    // Reads the container's id, as a parent walk would, and walks it.
    uint32_t walkContainer()
    {
        EXPECT_EQ(readU16(reader), kOther);
        return walkSubChunks(reader, *this, kHandlers);
    }

    static uint32_t logChunk(WalkTest& t)
    {
        t.handledAt.push_back(chunkStart(t.reader));
        return skipChunk(t.reader);
    }
    static constexpr SubChunkHandler<WalkTest> kHandlers[] = {{kHandled, logChunk}};
};

TEST_F(WalkTest, NumbersAreLittleEndian)
{
    ChunkWriter w;
    w.raw({0x34, 0x12, 0x0A, 0x00, 0x01, 0x00, 0x00, 0x00, 0x80, 0x3F});
    open(w);
    EXPECT_EQ(readU16(reader), 0x1234u);
    EXPECT_EQ(readU32(reader), 65546u);
    EXPECT_EQ(readF32(reader), 1.0f);
    EXPECT_FALSE(reader.ended);
}

TEST_F(WalkTest, ReadingPastTheEndGivesFFAndEndsTheReader)
{
    ChunkWriter w;
    w.raw({0x01, 0x00, 0x80});
    open(w);
    EXPECT_EQ(readU16(reader), 1u);
    EXPECT_EQ(readU16(reader), 0xFF80u);
    EXPECT_TRUE(reader.ended);
    EXPECT_EQ(readU32(reader), 0xFFFFFFFFu);
    EXPECT_EQ(readF32(reader), 0.0f);  // no NaN from the 0xFF bytes
}

TEST_F(WalkTest, EmptyNameIsDefaultAndConsumesOneByte)
{
    ChunkWriter w;
    w.u8(0);
    w.str("next");
    open(w);
    EXPECT_EQ(readName(reader), -1);
    EXPECT_STREQ(reader.nameBuffer, "Default name");
    EXPECT_EQ(position(), 1u);
    EXPECT_EQ(readObjectName(reader), 0);
    EXPECT_STREQ(reader.nameBuffer, "next");
}

TEST_F(WalkTest, ObjectNamesAreCutAtTwelveBytes)
{
    ChunkWriter w;
    w.str("elevenchars");     // 11 characters and the terminator: 12 bytes
    w.str("fourteen_chars");  // cut to 11; "rs" and the terminator stay unread
    open(w);
    EXPECT_EQ(readObjectName(reader), 0);
    EXPECT_STREQ(reader.nameBuffer, "elevenchars");
    EXPECT_EQ(position(), 12u);
    EXPECT_EQ(readObjectName(reader), 0);
    EXPECT_STREQ(reader.nameBuffer, "fourteen_ch");
    EXPECT_EQ(position(), 24u);
    EXPECT_EQ(readU8(reader), 'r');
}

TEST_F(WalkTest, LongNameIsCutToTheFieldButReadWhole)
{
    ChunkWriter w;
    w.str(std::string(300, 'x'));
    w.u16(0xBEEF);
    open(w);
    EXPECT_EQ(readName(reader), 0);
    EXPECT_EQ(std::string(reader.nameBuffer), std::string(kNameSize - 1, 'x'));
    EXPECT_EQ(readU16(reader), 0xBEEFu);
}

TEST_F(WalkTest, NameRunningIntoTheEndOfTheFileEnds)
{
    ChunkWriter w;
    w.raw({'a', 'b', 'c'});
    open(w);
    EXPECT_EQ(readName(reader), 0);
    EXPECT_STREQ(reader.nameBuffer, "abc");
    EXPECT_TRUE(reader.ended);
}

TEST_F(WalkTest, UnhandledTenByteChunkIsSteppedInFiveSteps)
{
    ChunkWriter w;
    w.begin(kOther);
    w.header(0x7777, 10);
    w.u32(0x01020304);
    w.header(kHandled, 6);
    w.end();
    open(w);
    const uint64_t budget = reader.readBudget;
    EXPECT_EQ(walkContainer(), 22u);
    EXPECT_EQ(handledAt, std::vector<uint64_t>{16});
    // container id and length 6, five steps 10, the handled id 2 and its length 4
    EXPECT_EQ(bytesRead(budget), 22u);
    EXPECT_EQ(position(), 22u);
}

TEST_F(WalkTest, OddLengthShiftsTheStepsOffTheBoundaries)
{
    ChunkWriter missed;
    missed.begin(kOther);
    missed.header(0x7777, 7);
    missed.u8(0);
    missed.header(kHandled, 6);  // at offset 13: the steps read 12 and 14
    missed.u16(0);
    missed.end();
    open(missed);
    walkContainer();
    EXPECT_TRUE(handledAt.empty());

    ChunkWriter realigned;
    realigned.begin(kOther);
    for (int i = 0; i < 2; ++i) {
        realigned.header(0x7777, 7);
        realigned.u8(0);
    }
    realigned.header(kHandled, 6);  // at offset 20: two odd lengths bring the steps back
    realigned.end();
    std::fclose(file);
    open(realigned);
    walkContainer();
    EXPECT_EQ(handledAt, std::vector<uint64_t>{20});
}

TEST_F(WalkTest, HandledIdInsideUnhandledDataIsTakenForAChunk)
{
    ChunkWriter w;
    w.begin(kOther);
    w.begin(0x7777);
    w.u16(0);
    w.header(kHandled, 6);  // data of 0x7777 that happens to hold the id
    w.end();
    w.end();
    open(w);
    walkContainer();
    EXPECT_EQ(handledAt, std::vector<uint64_t>{14});
}

TEST_F(WalkTest, CounterRunsTwoAheadPerHandledChunk)
{
    ChunkWriter w;
    w.begin(kOther);
    for (int i = 0; i < 4; ++i) w.header(kHandled, 6);
    w.end();
    open(w);
    walkContainer();
    // 6 + 3 × (6 + 2) = 30 reaches the length 30: the fourth chunk is never seen
    EXPECT_EQ(handledAt, (std::vector<uint64_t>{6, 12, 18}));
    EXPECT_EQ(position(), 30u);
}

TEST_F(WalkTest, ContainerOfLengthSixStillReadsOneId)
{
    ChunkWriter w;
    w.header(kOther, 6);
    w.header(kHandled, 6);
    open(w);
    EXPECT_EQ(walkContainer(), 6u);
    EXPECT_EQ(handledAt, std::vector<uint64_t>{6});
    EXPECT_EQ(position(), 6u);
}

TEST_F(WalkTest, FixedPayloadIsNotCountedSoTheWalkReadsPastItsEnd)
{
    ChunkWriter w;
    w.header(kOther, 10);
    w.u32(0);  // the payload
    w.u16(0);
    w.header(kHandled, 6);  // 8 bytes past the container's end
    open(w);
    readU16(reader);
    walkSubChunks<WalkTest>(reader, *this, kHandlers, +[](WalkTest& t) { readU32(t.reader); });
    EXPECT_EQ(handledAt, std::vector<uint64_t>{12});
    EXPECT_EQ(position(), 10u);
}

TEST_F(WalkTest, ZeroLengthChunkIsTakenAsItsHeaderAndHandledOnce)
{
    ChunkWriter w;
    w.begin(kOther);
    w.header(kHandled, 0);
    w.u16(0);
    w.header(kHandled, 6);
    w.u16(0);
    w.u16(0);
    w.end();
    open(w);
    walkContainer();
    EXPECT_EQ(handledAt, (std::vector<uint64_t>{6, 14}));
}

TEST_F(WalkTest, LengthPastTheEndOfTheFileEndsTheWalk)
{
    ChunkWriter w;
    w.header(kOther, 0xFFFFFFFF);
    w.header(0x7777, 0xFFFFFFF0);
    w.u16(0);
    open(w);
    const uint64_t budget = reader.readBudget;
    EXPECT_EQ(walkContainer(), 0xFFFFFFFFu);
    EXPECT_TRUE(reader.ended);
    EXPECT_LE(bytesRead(budget), bytes.size() + 2);
}

TEST_F(WalkTest, HugeHandledLengthsDoNotWrapTheCounter)
{
    ChunkWriter w;
    w.header(kOther, 0xFFFFFFFF);
    w.header(kHandled, 0xFFFFFFFE);  // 6 + this + 2 would wrap a 32-bit counter
    open(w);
    walkContainer();
    EXPECT_EQ(handledAt, std::vector<uint64_t>{6});
}

TEST_F(WalkTest, ByteChunkGivesItsByteAndStandsAtItsEnd)
{
    ChunkWriter w;
    w.header(0x4165, 9);
    w.raw({0x2A, 1, 2});
    w.u16(0xCAFE);
    open(w);
    readU16(reader);
    uint8_t out = 0;
    EXPECT_EQ(readByteChunk(reader, out), 9u);
    EXPECT_EQ(out, 0x2A);
    EXPECT_EQ(readU16(reader), 0xCAFEu);
}

}  // namespace
