#include "music_range.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "audio/mp3_player.h"
#include "common/wav_writer.h"

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerFrame = 4;  // 16-bit stereo
constexpr auto kEndPoll = std::chrono::milliseconds(20);

uint64_t sampleAt(double seconds, int rate) { return static_cast<uint64_t>(std::llround(seconds * rate)); }

void markWhole(MusicRange& range)
{
    range.whole = true;
    range.filled.notify_all();
}

// The header goes out with the first samples (or at the end, if none come): the device may be
// opened again before that, and standard output cannot be rewound.
bool writeHeaderOnce(MusicRange& range)
{
    if (range.headerWritten) return true;
    range.headerWritten = true;
    std::vector<uint8_t> header = wavHeader(kChannels, range.rate, static_cast<uint32_t>(range.leftBytes));
    return std::fwrite(header.data(), 1, header.size(), range.file) == header.size();
}

// The output opens once the first frame gives the rate; the header's sizes are known from then.
bool openRange(void* context, int rate)
{
    MusicRange& range = *static_cast<MusicRange*>(context);
    std::lock_guard<std::mutex> guard(range.lock);
    range.rate = rate;
    uint64_t first = sampleAt(range.fromSeconds, rate);
    uint64_t end = std::max(first, sampleAt(range.toSeconds, rate));
    range.skipBytes = first * kBytesPerFrame;
    range.leftBytes = (end - first) * kBytesPerFrame;
    if (range.toStdout) {
        range.file = stdout;
        // What is already in the pipe cannot be taken back for another rate.
        range.failed = range.headerWritten;
    } else {
        if (range.file) std::fclose(range.file);  // opened before for another rate
        range.file = std::fopen(range.wavPath.c_str(), "wb");
        range.headerWritten = false;
        range.failed = !range.file;
    }
    if (range.failed || range.leftBytes == 0) markWhole(range);
    return true;
}

bool playRange(void* context, const uint8_t* data, int bytes)
{
    MusicRange& range = *static_cast<MusicRange*>(context);
    std::lock_guard<std::mutex> guard(range.lock);
    // Whole: the device answers as a lost one, which stops the decoding.
    if (range.whole) return false;
    uint64_t count = static_cast<uint64_t>(bytes);
    uint64_t skipped = std::min(count, range.skipBytes);
    range.skipBytes -= skipped;
    uint64_t taken = std::min(count - skipped, range.leftBytes);
    if (taken > 0 && !(writeHeaderOnce(range) && std::fwrite(data + skipped, 1, taken, range.file) == taken))
        range.failed = true;
    range.leftBytes -= taken;
    if (range.failed || range.leftBytes == 0) markWhole(range);
    return true;
}

void closeRange(void*) {}

}  // namespace

bool startMusicRange(MusicRange& range, const std::string& musicFile, std::string& error)
{
    range.toStdout = range.wavPath == "-";
    range.device = {&range, openRange, playRange, closeRange};
    setWaveDevice(gPlayer.output, &range.device);
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
    setWaveDevice(gPlayer.output, nullptr);
    std::lock_guard<std::mutex> guard(range.lock);
    if (range.file && range.whole && !range.failed && !writeHeaderOnce(range)) range.failed = true;
    if (range.file && (range.toStdout ? std::fflush(range.file) : std::fclose(range.file)) != 0) range.failed = true;
    range.file = nullptr;
    std::string target = range.toStdout ? "the music to standard output" : range.wavPath;
    if (range.failed) error = "cannot write " + target;
    else if (!range.whole) error = "the music yields no sound to write";
    bool ok = range.whole && !range.failed;
    if (!ok && !range.toStdout) std::remove(range.wavPath.c_str());  // no WAV that says more than it holds
    return ok;
}
