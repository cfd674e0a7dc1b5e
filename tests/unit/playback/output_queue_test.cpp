#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "audio/format_fit.h"
#include "audio/output_queue.h"
#include "audio/pcm_staging.h"
#include "fake_wave_device.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::vector<uint8_t> blockBytes(int number, int size = kBlockBytes)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(size), static_cast<uint8_t>(number));
    bytes[0] = uint8_t(number >> 8);
    return bytes;
}

bool queueBlock(OutputQueue& out, int number, int size = kBlockBytes)
{
    std::vector<uint8_t> bytes = blockBytes(number, size);
    return playBlock(out, bytes.data(), size);
}

struct OutputQueueTest : ::testing::Test {
    FakeDevice fake;
    WaveDevice device = fakeWaveDevice(fake);
    AudioParams params{44100, 2, 0x110};
    PcmStaging staging;
    OutputQueue out;

    void SetUp() override
    {
        setWaveDevice(out, &device);
        resetOutput(staging, out);
    }
    void TearDown() override
    {
        allowPlays(fake, 1 << 20);
        closeDevice(out);
        resetOutput(staging, out);
        setWaveDevice(out, nullptr);
    }
};

TEST_F(OutputQueueTest, UnchosenRateOpensNothing)
{
    AudioParams unchosen;
    EXPECT_TRUE(openDevice(out, unchosen));
    FormatTable formats;
    probeFormats(formats, unchosen);
    EXPECT_EQ(fake.opens, 0);
    EXPECT_FALSE(queueBlock(out, 0));
    closeDevice(out);
    EXPECT_EQ(fake.closes, 0);
}

TEST_F(OutputQueueTest, PlaysEveryBlockOnceInOrder)
{
    ASSERT_TRUE(openDevice(out, params));
    EXPECT_EQ(fake.openedRate, 44100);
    constexpr int kBlocks = 30;
    for (int i = 0; i < kBlocks; ++i) ASSERT_TRUE(queueBlock(out, i));
    closeDevice(out);
    ASSERT_EQ(fake.played.size(), size_t(kBlocks));
    for (int i = 0; i < kBlocks; ++i) EXPECT_EQ(fake.played[size_t(i)], blockBytes(i)) << i;
    EXPECT_EQ(fake.closes, 1);
    EXPECT_FALSE(fake.closedAfterAbort);
}

TEST_F(OutputQueueTest, SevenBlocksAtMostThenTheProducerWaitsForACompletion)
{
    ASSERT_TRUE(openDevice(out, params));
    allowPlays(fake, 0);
    std::atomic<int> queued{0};
    std::thread producer([&] {
        for (int i = 0; i < 8; ++i)
            if (queueBlock(out, i)) ++queued;
    });
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(queued.load(), 7);
    EXPECT_TRUE(fake.played.empty());  // all seven wait in the queue

    allowPlays(fake, 1);
    Clock::time_point deadline = Clock::now() + 2s;
    while (queued.load() < 8 && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
    producer.join();
    EXPECT_EQ(queued.load(), 8);
    EXPECT_EQ(fake.played.size(), 1u);
}

TEST_F(OutputQueueTest, CloseWaitsUntilEveryQueuedBlockHasPlayed)
{
    ASSERT_TRUE(openDevice(out, params));
    allowPlays(fake, 0);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(queueBlock(out, i));
    std::atomic<bool> closed{false};
    std::thread closer([&] {
        closeDevice(out);
        closed = true;
    });
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(closed.load());
    allowPlays(fake, 5);
    closer.join();
    EXPECT_EQ(fake.playedAtClose, 5u);
    EXPECT_EQ(fake.closes, 1);
}

TEST_F(OutputQueueTest, CloseWithNothingOpenDoesNothing)
{
    closeDevice(out);
    EXPECT_EQ(fake.opens, 0);
    EXPECT_EQ(fake.closes, 0);
}

TEST_F(OutputQueueTest, WithoutADeviceEveryBlockIsDroppedAtOnce)
{
    for (bool deviceRefuses : {false, true}) {
        setWaveDevice(out, deviceRefuses ? &device : nullptr);
        fake.openResult = false;
        EXPECT_FALSE(openDevice(out, params));
        EXPECT_TRUE(outputLost(out));
        Clock::time_point start = Clock::now();
        for (int i = 0; i < 50; ++i) EXPECT_FALSE(queueBlock(out, i));
        EXPECT_LT(Clock::now() - start, 1s);
        closeDevice(out);
    }
    EXPECT_EQ(fake.opens, 1);
    EXPECT_EQ(fake.closes, 0);
    EXPECT_TRUE(fake.played.empty());
}

TEST_F(OutputQueueTest, LostDeviceDropsWhatIsQueuedAndTakesNoMore)
{
    ASSERT_TRUE(openDevice(out, params));
    allowPlays(fake, 0);
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(queueBlock(out, i));
    fake.failingPlay = 2;
    allowPlays(fake, 1 << 20);
    Clock::time_point deadline = Clock::now() + 2s;
    while (!outputLost(out) && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
    EXPECT_TRUE(outputLost(out));
    EXPECT_FALSE(queueBlock(out, 6));
    closeDevice(out);
    ASSERT_EQ(fake.played.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(fake.played[size_t(i)], blockBytes(i));
    EXPECT_EQ(fake.closes, 1);
}

TEST_F(OutputQueueTest, StagedBytesGoOutAsWholeBlocksAndAShortFinalOne)
{
    startOutput(staging, out, params);
    startOutput(staging, out, params);
    EXPECT_EQ(fake.opens, 1);
    std::vector<uint8_t> whole = blockBytes(1);
    std::copy(whole.begin(), whole.end(), staging.bytes);
    staging.fill = kBlockBytes;
    queueStaged(staging, out);
    EXPECT_EQ(staging.fill, 0);
    std::vector<uint8_t> tail = blockBytes(2, 128 * 9);
    std::copy(tail.begin(), tail.end(), staging.bytes);
    staging.fill = int32_t(tail.size());
    queueStaged(staging, out);
    queueStaged(staging, out);
    closeDevice(out);
    ASSERT_EQ(fake.played.size(), 2u);
    EXPECT_EQ(fake.played[0], whole);
    EXPECT_EQ(fake.played[1], tail);
}

TEST_F(OutputQueueTest, AbortFreesAWaitingProducerAndKeepsTheOutputShutUntilReset)
{
    ASSERT_TRUE(openDevice(out, params));
    allowPlays(fake, 0);
    for (int i = 0; i < 7; ++i) ASSERT_TRUE(queueBlock(out, i));
    std::atomic<bool> lastResult{true};
    std::thread producer([&] { lastResult = queueBlock(out, 7); });
    std::this_thread::sleep_for(200ms);
    Clock::time_point start = Clock::now();
    abortOutput(out);
    producer.join();
    closeDevice(out);
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_FALSE(lastResult.load());
    EXPECT_TRUE(fake.closedAfterAbort);
    EXPECT_LE(fake.played.size(), 1u);
    EXPECT_TRUE(outputLost(out));
    EXPECT_FALSE(openDevice(out, params));

    resetOutput(staging, out);
    ASSERT_TRUE(openDevice(out, params));
    EXPECT_TRUE(queueBlock(out, 8));
    allowPlays(fake, 1 << 20);
    closeDevice(out);
    EXPECT_EQ(fake.played.back(), blockBytes(8));
}

// Each queue is a record of its own: an abort or a missing device in one leaves the other playing.
TEST_F(OutputQueueTest, TwoQueuesDoNotShareState)
{
    OutputQueue other;
    ASSERT_TRUE(openDevice(out, params));
    EXPECT_FALSE(openDevice(other, params)) << "the other queue has no device";
    abortOutput(other);
    EXPECT_TRUE(outputLost(other));
    EXPECT_FALSE(outputLost(out));
    EXPECT_TRUE(queueBlock(out, 0));
    EXPECT_FALSE(queueBlock(other, 1));
    closeDevice(out);
    EXPECT_EQ(fake.played.size(), 1u);
    EXPECT_EQ(fake.opens, 1);
}

// A device that does not play in real time gets each block on the producer's thread before
// playBlock returns: no queue builds up, and a failed write loses the output at once.
TEST_F(OutputQueueTest, ImmediateDevicePlaysEachBlockBeforeQueuingReturns)
{
    static std::thread::id playedOn;
    const WaveDevice immediate{&fake, fakeOpen,
                               [](void* context, const uint8_t* data, int bytes) {
                                   playedOn = std::this_thread::get_id();
                                   return fakePlay(context, data, bytes);
                               },
                               fakeClose, nullptr, true};
    setWaveDevice(out, &immediate);
    ASSERT_TRUE(openDevice(out, params));
    EXPECT_EQ(fake.opens, 1);
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(queueBlock(out, i));
        ASSERT_EQ(fake.played.size(), size_t(i + 1));
        EXPECT_EQ(fake.played.back(), blockBytes(i));
    }
    EXPECT_EQ(playedOn, std::this_thread::get_id());
    fake.failingPlay = 20;
    EXPECT_FALSE(queueBlock(out, 20));
    EXPECT_TRUE(outputLost(out));
    EXPECT_FALSE(queueBlock(out, 21));
    EXPECT_EQ(fake.played.size(), 21u);
    closeDevice(out);
    EXPECT_EQ(fake.closes, 1);
    closeDevice(out);
    EXPECT_EQ(fake.closes, 1);
}

// Runs in a child process: a device left behind spoils the output for the rest of the process.
void closeAStuckDeviceAfterAbort()
{
    FakeDevice stuck;
    OutputQueue out;
    stuck.honoursAbort = false;
    WaveDevice device = fakeWaveDevice(stuck);
    setWaveDevice(out, &device);
    AudioParams params{44100, 2, 0x110};
    openDevice(out, params);
    allowPlays(stuck, 0);
    queueBlock(out, 0);
    waitPlaysBegun(stuck, 1);
    Clock::time_point start = Clock::now();
    abortOutput(out);
    closeDevice(out);
    bool prompt = Clock::now() - start < 3s;
    std::exit(prompt && !openDevice(out, params) ? 0 : 1);
}

TEST(OutputQueueDeathTest, AStuckDeviceIsLeftBehindSoShutDownGoesOn)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(closeAStuckDeviceAfterAbort(), ::testing::ExitedWithCode(0), ": sound: the sound device does not respond; leaving it");
}

}  // namespace
