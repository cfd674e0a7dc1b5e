#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "audio/audio_out.h"
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

int queueBlock(int number, int size = kBlockBytes)
{
    std::vector<uint8_t> bytes = blockBytes(number, size);
    return playBlock(bytes.data(), size);
}

struct OutputQueueTest : ::testing::Test {
    FakeDevice fake;
    AudioParams params{44100, 0, 2, 0x110};
    PcmStaging staging;

    void SetUp() override
    {
        gFake = &fake;
        setWaveDevice(&kFakeDevice);
        resetOutput(staging);
    }
    void TearDown() override
    {
        allowPlays(1 << 20);
        closeDevice();
        resetOutput(staging);
        setWaveDevice(nullptr);
    }
};

TEST_F(OutputQueueTest, UnchosenRateOpensNothing)
{
    AudioParams unchosen;
    EXPECT_EQ(openDevice(unchosen), 0);
    probeFormats(unchosen);
    EXPECT_EQ(fake.opens, 0);
    EXPECT_EQ(queueBlock(0), -1);
    EXPECT_EQ(closeDevice(), 0);
    EXPECT_EQ(fake.closes, 0);
}

TEST_F(OutputQueueTest, PlaysEveryBlockOnceInOrder)
{
    ASSERT_EQ(openDevice(params), 0);
    EXPECT_EQ(fake.openedRate, 44100);
    constexpr int kBlocks = 30;
    for (int i = 0; i < kBlocks; ++i) ASSERT_EQ(queueBlock(i), kBlockBytes);
    closeDevice();
    ASSERT_EQ(fake.played.size(), size_t(kBlocks));
    for (int i = 0; i < kBlocks; ++i) EXPECT_EQ(fake.played[size_t(i)], blockBytes(i)) << i;
    EXPECT_EQ(queuedBlockCount(), 0);
    EXPECT_EQ(fake.closes, 1);
    EXPECT_FALSE(fake.closedAfterAbort);
}

TEST_F(OutputQueueTest, SevenBlocksAtMostThenTheProducerWaitsForACompletion)
{
    ASSERT_EQ(openDevice(params), 0);
    allowPlays(0);
    std::atomic<int> queued{0};
    std::thread producer([&] {
        for (int i = 0; i < 8; ++i)
            if (queueBlock(i) == kBlockBytes) ++queued;
    });
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(queued.load(), 7);
    EXPECT_EQ(queuedBlockCount(), 7);

    allowPlays(1);
    Clock::time_point deadline = Clock::now() + 2s;
    while (queued.load() < 8 && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
    producer.join();
    EXPECT_EQ(queued.load(), 8);
    EXPECT_EQ(queuedBlockCount(), 7);
    EXPECT_EQ(fake.played.size(), 1u);
}

TEST_F(OutputQueueTest, CloseWaitsUntilEveryQueuedBlockHasPlayed)
{
    ASSERT_EQ(openDevice(params), 0);
    allowPlays(0);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(queueBlock(i), kBlockBytes);
    std::atomic<bool> closed{false};
    std::thread closer([&] {
        closeDevice();
        closed = true;
    });
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(closed.load());
    allowPlays(5);
    closer.join();
    EXPECT_EQ(fake.playedAtClose, 5u);
    EXPECT_EQ(fake.closes, 1);
    EXPECT_EQ(queuedBlockCount(), 0);
}

TEST_F(OutputQueueTest, CloseWithNothingOpenOnlyResetsTheCount)
{
    EXPECT_EQ(closeDevice(), 0);
    EXPECT_EQ(queuedBlockCount(), 0);
    EXPECT_EQ(fake.opens, 0);
    EXPECT_EQ(fake.closes, 0);
}

TEST_F(OutputQueueTest, WithoutADeviceEveryBlockIsDroppedAtOnce)
{
    for (bool deviceRefuses : {false, true}) {
        setWaveDevice(deviceRefuses ? &kFakeDevice : nullptr);
        fake.openResult = -1;
        EXPECT_EQ(openDevice(params), -1);
        EXPECT_TRUE(outputLost());
        Clock::time_point start = Clock::now();
        for (int i = 0; i < 50; ++i) EXPECT_EQ(queueBlock(i), -1);
        EXPECT_LT(Clock::now() - start, 1s);
        EXPECT_EQ(queuedBlockCount(), 0);
        closeDevice();
    }
    EXPECT_EQ(fake.opens, 1);
    EXPECT_EQ(fake.closes, 0);
    EXPECT_TRUE(fake.played.empty());
}

TEST_F(OutputQueueTest, LostDeviceDropsWhatIsQueuedAndTakesNoMore)
{
    ASSERT_EQ(openDevice(params), 0);
    allowPlays(0);
    for (int i = 0; i < 6; ++i) ASSERT_EQ(queueBlock(i), kBlockBytes);
    fake.failingPlay = 2;
    allowPlays(1 << 20);
    Clock::time_point deadline = Clock::now() + 2s;
    while (queuedBlockCount() != 0 && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
    EXPECT_EQ(queuedBlockCount(), 0);
    EXPECT_TRUE(outputLost());
    EXPECT_EQ(queueBlock(6), -1);
    closeDevice();
    ASSERT_EQ(fake.played.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(fake.played[size_t(i)], blockBytes(i));
    EXPECT_EQ(fake.closes, 1);
}

TEST_F(OutputQueueTest, StagedBytesGoOutAsWholeBlocksAndAShortFinalOne)
{
    startOutput(staging, params);
    startOutput(staging, params);
    EXPECT_EQ(fake.opens, 1);
    std::vector<uint8_t> whole = blockBytes(1);
    std::copy(whole.begin(), whole.end(), staging.bytes);
    staging.fill = kBlockBytes;
    queueStaged(staging);
    EXPECT_EQ(staging.fill, 0);
    std::vector<uint8_t> tail = blockBytes(2, 128 * 9);
    std::copy(tail.begin(), tail.end(), staging.bytes);
    staging.fill = int32_t(tail.size());
    queueStaged(staging);
    queueStaged(staging);
    closeDevice();
    ASSERT_EQ(fake.played.size(), 2u);
    EXPECT_EQ(fake.played[0], whole);
    EXPECT_EQ(fake.played[1], tail);
}

TEST_F(OutputQueueTest, AbortFreesAWaitingProducerAndKeepsTheOutputShutUntilReset)
{
    ASSERT_EQ(openDevice(params), 0);
    allowPlays(0);
    for (int i = 0; i < 7; ++i) ASSERT_EQ(queueBlock(i), kBlockBytes);
    std::atomic<int> lastResult{0};
    std::thread producer([&] { lastResult = queueBlock(7); });
    std::this_thread::sleep_for(200ms);
    Clock::time_point start = Clock::now();
    abortOutput();
    producer.join();
    closeDevice();
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_EQ(lastResult.load(), -1);
    EXPECT_TRUE(fake.closedAfterAbort);
    EXPECT_LE(fake.played.size(), 1u);
    EXPECT_TRUE(outputLost());
    EXPECT_EQ(openDevice(params), -1);

    resetOutput(staging);
    ASSERT_EQ(openDevice(params), 0);
    EXPECT_EQ(queueBlock(8), kBlockBytes);
    allowPlays(1 << 20);
    closeDevice();
    EXPECT_EQ(fake.played.back(), blockBytes(8));
}

// A device that does not play in real time gets each block on the producer's thread before
// playBlock returns: no queue builds up, and a failed write loses the output at once.
TEST_F(OutputQueueTest, ImmediateDevicePlaysEachBlockBeforeQueuingReturns)
{
    static std::thread::id playedOn;
    static const WaveDevice immediate{fakeOpen, [](const uint8_t* data, int bytes) {
                                          playedOn = std::this_thread::get_id();
                                          return fakePlay(data, bytes);
                                      },
                                      fakeClose, nullptr, true};
    setWaveDevice(&immediate);
    ASSERT_EQ(openDevice(params), 0);
    EXPECT_EQ(fake.opens, 1);
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(queueBlock(i), kBlockBytes);
        ASSERT_EQ(fake.played.size(), size_t(i + 1));
        EXPECT_EQ(fake.played.back(), blockBytes(i));
        EXPECT_EQ(queuedBlockCount(), 0);
    }
    EXPECT_EQ(playedOn, std::this_thread::get_id());
    fake.failingPlay = 20;
    EXPECT_EQ(queueBlock(20), -1);
    EXPECT_TRUE(outputLost());
    EXPECT_EQ(queueBlock(21), -1);
    EXPECT_EQ(fake.played.size(), 21u);
    closeDevice();
    EXPECT_EQ(fake.closes, 1);
    closeDevice();
    EXPECT_EQ(fake.closes, 1);
}

// Runs in a child process: a device left behind spoils the output for the rest of the process.
void closeAStuckDeviceAfterAbort()
{
    FakeDevice stuck;
    stuck.honoursAbort = false;
    gFake = &stuck;
    setWaveDevice(&kFakeDevice);
    AudioParams params{44100, 0, 2, 0x110};
    openDevice(params);
    allowPlays(0);
    queueBlock(0);
    waitPlaysBegun(1);
    Clock::time_point start = Clock::now();
    abortOutput();
    closeDevice();
    bool prompt = Clock::now() - start < 3s;
    std::exit(prompt && openDevice(params) == -1 ? 0 : 1);
}

TEST(OutputQueueDeathTest, AStuckDeviceIsLeftBehindSoShutDownGoesOn)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(closeAStuckDeviceAfterAbort(), ::testing::ExitedWithCode(0), "sound device does not respond");
}

}  // namespace
