#pragma once

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

#include "audio/wave_device.h"

// The music of a stretch of demo time as the demo's player decodes it, written as a WAV file:
// decoded on the player's thread, repeating the file from the start whenever it ends. The music
// starts with the demo clock, so sample n plays at n / rate seconds, and the stretch [from, to)
// holds the samples round(from × rate) up to round(to × rate): stretches that meet fit together.
struct MusicRange {
    double fromSeconds = 0.0;
    double toSeconds = 0.0;
    std::string wavPath;  // "-": standard output
    WaveDevice device{};  // the player's output while the range fills; its context is the range
    // Filled by the player's output thread.
    std::mutex lock;
    std::condition_variable filled;
    FILE* file = nullptr;
    int rate = 0;
    uint64_t skipBytes = 0;  // decoded bytes still to pass over before the stretch
    uint64_t leftBytes = 0;  // still to write
    bool whole = false;
    bool failed = false;  // the file could not be written
    bool toStdout = false;
    bool headerWritten = false;
};

// Loads `musicFile` and starts decoding the stretch into the range's file; false with the reason
// in `error` when the music cannot be read. One range at a time.
bool startMusicRange(MusicRange& range, const std::string& musicFile, std::string& error);
// Waits until the stretch is written or the music has ended, then stops the thread; false, with
// the reason in `error`, when the music ended first or the file failed.
bool finishMusicRange(MusicRange& range, std::string& error);
