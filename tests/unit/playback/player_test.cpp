#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio/mp3_player.h"
#include "fake_wave_device.h"
#include "support/test_music.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Waits up to the limit for the condition; true when it came.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit = 10000ms)
{
    Clock::time_point deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

Bytes playedBytes(FakeDevice& fake)
{
    std::lock_guard<std::mutex> guard(fake.lock);
    Bytes all;
    for (const Bytes& block : fake.played) all.insert(all.end(), block.begin(), block.end());
    return all;
}

size_t playedCount(FakeDevice& fake)
{
    std::lock_guard<std::mutex> guard(fake.lock);
    return fake.played.size();
}

size_t playsBegun(FakeDevice& fake)
{
    std::lock_guard<std::mutex> guard(fake.lock);
    return fake.playsBegun;
}

struct PlayerTest : ::testing::Test {
    FakeDevice fake;
    WaveDevice device = fakeWaveDevice(fake);
    std::string dir;
    std::string music;
    Bytes onePass;  // what mp3dec writes for one pass over the music

    void SetUp() override
    {
        setWaveDevice(gPlayer.output, &device);
        char pattern[] = "/tmp/z3d-player-XXXXXX";
        dir = mkdtemp(pattern);
        music = dir + "/music.mp3";
        ASSERT_TRUE(writeTestMp3(music, 44100, 1.2, 0.5));
        std::string raw = dir + "/music.raw";
        std::string decode = std::string(Z3D_MP3DEC) + " -r '" + music + "' '" + raw + "' >/dev/null";
        ASSERT_EQ(std::system(decode.c_str()), 0);
        onePass = readFile(raw);
        ASSERT_GT(onePass.size(), size_t(3 * kBlockBytes));
    }
    void TearDown() override
    {
        gPlayer.stopThread();
        setWaveDevice(gPlayer.output, nullptr);
        std::filesystem::remove_all(dir);
    }
};

TEST_F(PlayerTest, MissingFileOpensNothingAndStartsNoThread)
{
    EXPECT_EQ(gPlayer.open((dir + "/absent.mp3").c_str()), 0);
    EXPECT_FALSE(gPlayer.startThread(1));
    EXPECT_EQ(gPlayer.runningFlag.load(), 0);
    gPlayer.stopThread();
    EXPECT_EQ(fake.opens, 0);
}

TEST_F(PlayerTest, FileWithoutAudioOpensButItsLoopEndsInsteadOfSpinning)
{
    std::string junk = dir + "/junk.mp3";
    std::ofstream(junk) << std::string(4096, 'x');
    ASSERT_EQ(gPlayer.open(junk.c_str()), 1);
    ASSERT_TRUE(gPlayer.startThread(1));
    EXPECT_TRUE(waitFor([] { return gPlayer.runningFlag.load() == 0; }));
    EXPECT_TRUE(fake.played.empty());
}

TEST_F(PlayerTest, WithoutLoopOnePassPlaysOutWithAShortLastBlockAndCloses)
{
    ASSERT_EQ(gPlayer.open(music.c_str()), 1);
    ASSERT_TRUE(gPlayer.startThread(0));
    ASSERT_TRUE(waitFor([] { return gPlayer.runningFlag.load() == 0; }));
    EXPECT_EQ(playedBytes(fake), onePass);
    for (size_t i = 0; i + 1 < fake.played.size(); ++i) EXPECT_EQ(fake.played[i].size(), size_t(kBlockBytes));
    EXPECT_EQ(fake.played.back().size(), onePass.size() % kBlockBytes);
    EXPECT_EQ(fake.closes, fake.opens);
    EXPECT_EQ(fake.playedAtClose, fake.played.size());
    EXPECT_FALSE(fake.closedAfterAbort);
    gPlayer.stopThread();
    EXPECT_FALSE(gPlayer.startThread(0));  // the pass released the file
}

TEST_F(PlayerTest, LoopRepeatsFromTheFirstByteWithoutAGapOrANewDevice)
{
    ASSERT_EQ(gPlayer.open(music.c_str()), 1);
    ASSERT_TRUE(gPlayer.startThread(1));
    ASSERT_TRUE(waitFor([&] { return playedCount(fake) >= 1; }));
    int opensAtFirstBlock = fake.opens;
    size_t threePasses = 3 * onePass.size();
    ASSERT_TRUE(waitFor([&] { return playedCount(fake) * kBlockBytes >= threePasses + kBlockBytes; }));
    gPlayer.stopThread();
    EXPECT_EQ(fake.opens, opensAtFirstBlock);
    Bytes played = playedBytes(fake);
    ASSERT_GE(played.size(), threePasses);
    for (int pass = 0; pass < 3; ++pass) {
        Bytes heard(played.begin() + long(pass * onePass.size()), played.begin() + long((pass + 1) * onePass.size()));
        EXPECT_TRUE(heard == onePass) << "pass " << pass;
    }
}

TEST_F(PlayerTest, StopFreesAThreadThatWaitsForRoomInTheQueue)
{
    ASSERT_EQ(gPlayer.open(music.c_str()), 1);
    allowPlays(fake, 0);
    ASSERT_TRUE(gPlayer.startThread(1));
    // The device holds the first block; decoding the six that fill the queue behind it takes
    // milliseconds, so the thread is then waiting for room.
    ASSERT_TRUE(waitFor([&] { return playsBegun(fake) >= 1; }));
    std::this_thread::sleep_for(300ms);
    Clock::time_point start = Clock::now();
    gPlayer.stopThread();
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_EQ(gPlayer.runningFlag.load(), 0);
    EXPECT_TRUE(fake.closedAfterAbort);
    EXPECT_LE(fake.played.size(), 1u);
}

TEST_F(PlayerTest, ALostOrMissingDeviceEndsTheMusicButNotTheCaller)
{
    fake.failingPlay = 1;
    ASSERT_EQ(gPlayer.open(music.c_str()), 1);
    ASSERT_TRUE(gPlayer.startThread(1));
    EXPECT_TRUE(waitFor([] { return gPlayer.runningFlag.load() == 0; }));
    EXPECT_EQ(fake.played.size(), 2u);
    gPlayer.stopThread();

    setWaveDevice(gPlayer.output, nullptr);
    ASSERT_EQ(gPlayer.open(music.c_str()), 1);
    ASSERT_TRUE(gPlayer.startThread(1));
    EXPECT_TRUE(waitFor([] { return gPlayer.runningFlag.load() == 0; }));
}

TEST_F(PlayerTest, StopWithoutAThreadDoesNothing)
{
    gPlayer.stopThread();
    ASSERT_EQ(gPlayer.open(music.c_str()), 1);
    gPlayer.stopThread();
    EXPECT_EQ(fake.opens, 0);
    EXPECT_TRUE(gPlayer.startThread(1));
    EXPECT_FALSE(gPlayer.startThread(1));
}

}  // namespace
