#include "music_range.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "audio/audio_out.h"
#include "audio/mp3_player.h"

namespace {

constexpr int kBytesPerFrame = 4;  // 16-bit stereo
constexpr auto kEndPoll = std::chrono::milliseconds(20);

// The device callbacks carry no context: the range being filled.
MusicRange* gFilling = nullptr;

uint64_t sampleAt(double seconds, int rate) { return static_cast<uint64_t>(std::llround(seconds * rate)); }

int openRange(int rate)
{
    std::lock_guard<std::mutex> guard(gFilling->lock);
    MusicRange& range = *gFilling;
    range.rate = rate;
    uint64_t first = sampleAt(range.fromSeconds, rate);
    uint64_t end = std::max(first, sampleAt(range.toSeconds, rate));
    range.skipBytes = first * kBytesPerFrame;
    range.wantBytes = (end - first) * kBytesPerFrame;
    range.pcm.clear();
    range.pcm.reserve(range.wantBytes);
    range.whole = range.wantBytes == 0;
    if (range.whole) range.filled.notify_all();
    return 0;
}

int playRange(const uint8_t* data, int bytes)
{
    std::lock_guard<std::mutex> guard(gFilling->lock);
    MusicRange& range = *gFilling;
    // Whole: the device answers as a lost one, which stops the decoding.
    if (range.whole) return -1;
    uint64_t count = static_cast<uint64_t>(bytes);
    uint64_t skipped = std::min(count, range.skipBytes);
    range.skipBytes -= skipped;
    uint64_t taken = std::min(count - skipped, range.wantBytes - range.pcm.size());
    range.pcm.insert(range.pcm.end(), data + skipped, data + skipped + taken);
    if (!range.whole && range.pcm.size() == range.wantBytes) {
        range.whole = true;
        range.filled.notify_all();
    }
    return 0;
}

void closeRange() {}

const WaveDevice kRangeDevice = {openRange, playRange, closeRange};

}  // namespace

bool startMusicRange(MusicRange& range, const std::string& musicFile, std::string& error)
{
    gFilling = &range;
    setWaveDevice(&kRangeDevice);
    if (gPlayer.open(musicFile.c_str()) != 1) {
        error = "cannot read the music " + musicFile;
        return false;
    }
    // As the demo plays it: over and over.
    if (!gPlayer.startThread(1)) {
        error = "cannot start the music's thread";
        return false;
    }
    return true;
}

bool finishMusicRange(MusicRange& range, std::string& error)
{
    {
        std::unique_lock<std::mutex> guard(range.lock);
        while (!range.whole && gPlayer.runningFlag) range.filled.wait_for(guard, kEndPoll);
    }
    gPlayer.stopThread();
    setWaveDevice(nullptr);
    gFilling = nullptr;
    std::lock_guard<std::mutex> guard(range.lock);
    if (!range.whole) error = "the music yields no sound to write";
    return range.whole;
}
