#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/audio_out.h"
#include "platform/wave_out_alsa.h"

namespace {

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
    PcmStaging staging;
    void SetUp() override
    {
        setWaveDevice(alsaWaveDevice());
        resetOutput(staging);
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

}  // namespace
