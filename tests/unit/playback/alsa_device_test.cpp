#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_out.h"
#include "platform/wave_out_alsa.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A HOME of its own whose .asoundrc says what ALSA's "default" PCM is.
struct AlsaHome {
    std::string dir;
    AlsaHome()
    {
        char pattern[] = "/tmp/z3d-alsa-XXXXXX";
        dir = mkdtemp(pattern);
        setenv("HOME", dir.c_str(), 1);
    }
    ~AlsaHome() { std::filesystem::remove_all(dir); }
    void setDefault(const std::string& pcm) const
    {
        std::ofstream(dir + "/.asoundrc") << "pcm.!default {\n" << pcm << "\n}\n";
    }
    // The "default" PCM writes what it is given into this file.
    void captureInto(const std::string& file) const
    {
        setDefault("type file\nslave.pcm \"null\"\nformat \"raw\"\nfile \"" + file + "\"");
    }
};

std::vector<uint8_t> patternBlock(int number, int size)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(number * 31 + int(i) * 7);
    return bytes;
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct AlsaDeviceTest : ::testing::Test {
    void SetUp() override
    {
        setWaveDevice(alsaWaveDevice());
        resetOutput();
    }
    void TearDown() override
    {
        closeDevice();
        setWaveDevice(nullptr);
    }
};

TEST_F(AlsaDeviceTest, DefaultPcmGetsExactlyTheQueuedBytesInOrder)
{
    AlsaHome home;
    std::string capture = home.dir + "/capture.raw";
    home.captureInto(capture);
    AudioParams params{22050, 0, 2, 0x110};
    ASSERT_EQ(openDevice(params), 0);
    std::vector<uint8_t> expected;
    for (int i = 0; i < 12; ++i) {
        int size = i == 11 ? 128 * 5 : kBlockBytes;
        std::vector<uint8_t> block = patternBlock(i, size);
        ASSERT_EQ(playBlock(block.data(), size), size);
        expected.insert(expected.end(), block.begin(), block.end());
    }
    closeDevice();
    EXPECT_FALSE(outputLost());
    EXPECT_EQ(readFile(capture), expected);
}

TEST_F(AlsaDeviceTest, MissingDeviceSilencesTheMusicWithOneMessage)
{
    AlsaHome home;
    home.setDefault("type hw\ncard 99");
    AudioParams params{44100, 0, 2, 0x110};
    testing::internal::CaptureStderr();
    EXPECT_EQ(openDevice(params), -1);
    EXPECT_EQ(reopenDevice(params), -1);
    std::vector<uint8_t> block = patternBlock(0, kBlockBytes);
    EXPECT_EQ(playBlock(block.data(), kBlockBytes), -1);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(outputLost());
    EXPECT_NE(err.find("zephal3d: no music: the sound device \"default\" cannot be opened"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// Runs in a child process: the device thread that is left behind stays stuck until the end.
void abortWhileTheDeviceIsStuck(const AlsaHome& home, const std::string& fifo)
{
    int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // holds the pipe open, never reads
    setWaveDevice(alsaWaveDevice());
    AudioParams params{44100, 0, 2, 0x110};
    if (reader < 0 || openDevice(params) != 0) std::exit(2);
    std::vector<uint8_t> block = patternBlock(0, kBlockBytes);
    for (int i = 0; i < 7; ++i) playBlock(block.data(), kBlockBytes);  // more than the pipe holds
    std::this_thread::sleep_for(300ms);
    Clock::time_point start = Clock::now();
    abortOutput();
    closeDevice();
    bool prompt = Clock::now() - start < 3s;
    std::filesystem::remove_all(home.dir);
    std::exit(prompt ? 0 : 1);
}

TEST(AlsaDeviceDeathTest, AbortGoesOnWhenTheDeviceNeverTakesTheBytes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    AlsaHome home;
    std::string fifo = home.dir + "/stuck.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    home.captureInto(fifo);
    EXPECT_EXIT(abortWhileTheDeviceIsStuck(home, fifo), ::testing::ExitedWithCode(0), "sound device does not respond");
}

}  // namespace
