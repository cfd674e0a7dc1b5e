#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// The music of a stretch of demo time as the demo's player decodes it: on its playback thread,
// repeating the file from the start whenever it ends. The music starts with the demo clock, so
// sample n plays at n / rate seconds, and the stretch [from, to) holds the samples
// round(from × rate) up to round(to × rate): stretches that meet fit together.
struct MusicRange {
    double fromSeconds = 0.0;
    double toSeconds = 0.0;
    int rate = 0;
    std::vector<uint8_t> pcm;  // 16-bit little-endian stereo, left first
    // Filled by the player's output thread.
    std::mutex lock;
    std::condition_variable filled;
    uint64_t skipBytes = 0;  // decoded bytes still to pass over before the stretch
    uint64_t wantBytes = 0;
    bool whole = false;
};

// Loads `musicFile` and starts decoding the stretch on the player's thread; false with the reason
// in `error` when the file cannot be read. One range at a time.
bool startMusicRange(MusicRange& range, const std::string& musicFile, std::string& error);
// Waits until the stretch is whole or the music has ended, then stops the thread; false, with the
// reason in `error`, when the music ended first.
bool finishMusicRange(MusicRange& range, std::string& error);
