#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/alsa_wave_device.h"
#include "audio/output_queue.h"
#include "audio/pcm_staging.h"
#include "platform/alsa_pcm.h"

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
    // The "default" PCM plays into `capture` at the clock's pace and fails as `faults` say.
    void faultDevice(const std::string& capture, const std::string& log, const std::string& faults) const
    {
        std::ofstream(dir + "/.asoundrc") << "pcm_type.z3dfault { lib \"" Z3D_FAULT_PCM "\" }\n"
                                          << "pcm.!default {\ntype z3dfault\nfile \"" << capture << "\"\nlog \""
                                          << log << "\"\nfaults \"" << faults << "\"\n}\n";
    }
};

std::vector<uint8_t> patternBlock(int number, int size)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(number * 31 + int(i) * 7);
    return bytes;
}

// Stereo frames that each carry their own 32-bit number: any frame lost, repeated or moved shows.
std::vector<uint8_t> countedFrames(uint32_t first, int bytes)
{
    std::vector<uint8_t> out(static_cast<size_t>(bytes));
    for (size_t i = 0; i + 4 <= out.size(); i += 4) {
        uint32_t n = first + uint32_t(i / 4);
        for (int b = 0; b < 4; ++b) out[i + size_t(b)] = uint8_t(n >> (8 * b));
    }
    return out;
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct AlsaDeviceTest : ::testing::Test {
    std::string program = program_invocation_short_name;  // what starts every line on stderr
    PcmStaging staging;
    OutputQueue out;
    void SetUp() override
    {
        setWaveDevice(out, alsaWaveDevice());
        resetOutput(staging, out);
    }
    void TearDown() override
    {
        closeDevice(out);
        setWaveDevice(out, nullptr);
    }
};

// ALSA's "default" PCM writes what it is given into `capture`.
struct CaptureDeviceTest : AlsaDeviceTest {
    AlsaHome home;
    std::string capture = home.dir + "/capture.raw";
    AudioParams params{22050, 2, 0x110};
    CaptureDeviceTest() { home.captureInto(capture); }
};

TEST_F(CaptureDeviceTest, DefaultPcmGetsExactlyTheQueuedBytesInOrder)
{
    ASSERT_TRUE(openDevice(out, params));
    std::vector<uint8_t> expected;
    for (int i = 0; i < 12; ++i) {
        int size = i == 11 ? 128 * 5 : kBlockBytes;
        std::vector<uint8_t> block = patternBlock(i, size);
        ASSERT_TRUE(playBlock(out, block.data(), size));
        expected.insert(expected.end(), block.begin(), block.end());
    }
    closeDevice(out);
    EXPECT_FALSE(outputLost(out));
    EXPECT_EQ(readFile(capture), expected);
}

TEST_F(AlsaDeviceTest, MissingDeviceSilencesTheMusicWithOneMessage)
{
    AlsaHome home;
    home.setDefault("type hw\ncard 99");
    AudioParams params{44100, 2, 0x110};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openDevice(out, params));
    EXPECT_FALSE(reopenDevice(out, params));
    std::vector<uint8_t> block = patternBlock(0, kBlockBytes);
    EXPECT_FALSE(playBlock(out, block.data(), kBlockBytes));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(outputLost(out));
    EXPECT_EQ(err.rfind(program + ": no music: the sound device \"default\" cannot be opened (", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// A stop that comes while the device thread is still opening the device must not be lost.
TEST(AlsaPcm, AnAbortBeforeTheOpenHoldsUntilTheClose)
{
    AlsaHome home;
    std::vector<uint8_t> block = countedFrames(0, 4096);
    home.captureInto(home.dir + "/aborted.raw");
    alsaPcmAbort();
    ASSERT_TRUE(alsaPcmOpen(22050));
    EXPECT_TRUE(alsaPcmPlay(block.data(), int(block.size())));
    alsaPcmClose();
    EXPECT_EQ(readFile(home.dir + "/aborted.raw").size(), 0u) << "the aborted device played";
    home.captureInto(home.dir + "/next.raw");
    ASSERT_TRUE(alsaPcmOpen(22050));
    EXPECT_TRUE(alsaPcmPlay(block.data(), int(block.size())));
    alsaPcmClose();
    EXPECT_EQ(readFile(home.dir + "/next.raw"), block) << "the abort outlived the close";
}

// The player stops its thread with an abort also when the device thread has already closed the
// device: that abort ends with the lift, and the next open plays.
TEST_F(CaptureDeviceTest, AnAbortAfterTheCloseDoesNotSilenceTheNextOpen)
{
    ASSERT_TRUE(openDevice(out, params));
    closeDevice(out);
    abortOutput(out);
    liftAbort(out);
    std::vector<uint8_t> block = countedFrames(0, kBlockBytes);
    ASSERT_TRUE(openDevice(out, params));
    ASSERT_TRUE(playBlock(out, block.data(), kBlockBytes));
    closeDevice(out);
    EXPECT_FALSE(outputLost(out));
    std::vector<uint8_t> heard = readFile(capture);
    EXPECT_TRUE(heard == block) << "heard " << heard.size() << " of " << block.size() << " bytes";
}

struct LoggedFault {
    std::string what;
    size_t at;
    size_t cut;
};

// The device's own account of its faults: "WHAT at PLAYED-BYTES cut BYTES" per line.
std::vector<LoggedFault> readFaultLog(const std::string& path)
{
    std::vector<LoggedFault> faults;
    std::ifstream in(path);
    LoggedFault f;
    std::string at, cut;
    while (in >> f.what >> at >> f.at >> cut >> f.cut) faults.push_back(f);
    return faults;
}

// What a listener should hear: the queued bytes less what each fault cut where it hit.
std::vector<uint8_t> lessCuts(std::vector<uint8_t> sent, const std::vector<LoggedFault>& faults)
{
    for (auto f = faults.rbegin(); f != faults.rend(); ++f) {
        if (f->at + f->cut > sent.size()) return {};
        sent.erase(sent.begin() + long(f->at), sent.begin() + long(f->at + f->cut));
    }
    return sent;
}

constexpr int kRate = 48000;
constexpr size_t kDeviceBufferBytes = kRate / 4 * 4;  // the quarter second the device is asked to hold

// Queues `blocks` blocks of counted frames; returns what was queued.
std::vector<uint8_t> queueCounted(OutputQueue& out, int blocks)
{
    std::vector<uint8_t> sent;
    for (int i = 0; i < blocks; ++i) {
        std::vector<uint8_t> block = countedFrames(uint32_t(i * kBlockBytes / 4), kBlockBytes);
        if (!playBlock(out, block.data(), kBlockBytes)) break;
        sent.insert(sent.end(), block.begin(), block.end());
    }
    return sent;
}

struct FaultDeviceTest : AlsaDeviceTest {
    AlsaHome home;
    std::string capture = home.dir + "/capture.raw";
    std::string log = home.dir + "/faults.log";
    AudioParams params{kRate, 2, 0x110};
    void useFaults(const std::string& faults) { home.faultDevice(capture, log, faults); }
    bool logHas(const std::string& what)
    {
        for (const LoggedFault& f : readFaultLog(log))
            if (f.what == what) return true;
        return false;
    }
};

TEST_F(FaultDeviceTest, AfterAnUnderrunAndASuspendTheRestFollowsWithNothingRepeated)
{
    useFaults("underrun@60000 suspend@150000");
    ASSERT_TRUE(openDevice(out, params));
    testing::internal::CaptureStderr();
    std::vector<uint8_t> sent = queueCounted(out, 16);
    closeDevice(out);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(outputLost(out));
    std::vector<LoggedFault> faults = readFaultLog(log);
    ASSERT_TRUE(logHas("underrun") && logHas("suspend"));
    for (const LoggedFault& f : faults) {
        EXPECT_EQ(f.cut % 4, 0u) << f.what;
        EXPECT_LE(f.cut, kDeviceBufferBytes) << f.what;
        if (f.what == "suspend") {
            EXPECT_EQ(f.cut, 0u) << "a resumed device keeps what it held";
        }
    }
    std::vector<uint8_t> heard = readFile(capture);
    EXPECT_TRUE(heard == lessCuts(sent, faults)) << "heard " << heard.size() << " of " << sent.size() << " bytes";
}

TEST_F(FaultDeviceTest, LostDeviceSilencesTheMusicWithOneMessage)
{
    useFaults("lost@40000");
    ASSERT_TRUE(openDevice(out, params));
    testing::internal::CaptureStderr();
    std::vector<uint8_t> sent = queueCounted(out, 16);
    for (int i = 0; i < 100 && !outputLost(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    closeDevice(out);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(outputLost(out));
    EXPECT_EQ(err, program + ": no music: the sound device \"default\" failed while playing (No such device)\n");
    std::vector<uint8_t> heard = readFile(capture);
    ASSERT_EQ(heard.size(), 40000u);
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), sent.begin()));
}

// All blocks are in the device when it stops playing: the close gives up waiting after its limit.
TEST_F(FaultDeviceTest, DrainOfAStalledDeviceEndsAfterItsLimit)
{
    useFaults("stall@20000");
    ASSERT_TRUE(openDevice(out, params));
    std::vector<uint8_t> sent = queueCounted(out, 2);
    auto start = std::chrono::steady_clock::now();
    closeDevice(out);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(seconds, 2.5) << "the close did not wait for the drain";
    EXPECT_LT(seconds, 10.0);
    EXPECT_TRUE(logHas("stall"));
    EXPECT_EQ(readFile(capture).size(), 20000u);
}

// The thread stuck in the device stays stuck for good, so this runs in a process of its own.
TEST_F(FaultDeviceTest, BlockedDeviceIsLeftBehindOnAbort)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    useFaults("block@20000");
    EXPECT_EXIT(
        {
            if (!openDevice(out, params)) std::exit(2);
            queueCounted(out, 6);  // more than the device's start threshold
            for (int i = 0; i < 200 && !logHas("block"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
            if (!logHas("block")) std::exit(3);
            abortOutput(out);
            closeDevice(out);
            std::exit(readFile(capture).size() == 20000u ? 0 : 4);
        },
        testing::ExitedWithCode(0), ": sound: the sound device does not respond; leaving it");
}

}  // namespace
