#pragma once

#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "audio/wave_device.h"

// A WaveDevice that records what it is given; tests hold plays at a gate and make it fail.
struct FakeDevice {
    std::mutex lock;
    std::condition_variable changed;
    bool openResult = true;
    int opens = 0;
    int closes = 0;
    int openedRate = 0;
    int playsAllowed = INT_MAX;  // a play waits while this many have been played
    int failingPlay = -1;        // the play with this number returns -1
    bool honoursAbort = true;
    bool aborted = false;
    bool closedAfterAbort = false;
    size_t playedAtClose = 0;
    size_t playsBegun = 0;
    std::vector<std::vector<uint8_t>> played;
};

inline FakeDevice* gFake = nullptr;

inline bool fakeOpen(int rate)
{
    std::lock_guard<std::mutex> guard(gFake->lock);
    ++gFake->opens;
    gFake->openedRate = rate;
    gFake->aborted = false;
    return gFake->openResult;
}

inline bool fakePlay(const uint8_t* data, int bytes)
{
    std::unique_lock<std::mutex> guard(gFake->lock);
    ++gFake->playsBegun;
    gFake->changed.notify_all();
    gFake->changed.wait(guard, [] {
        return int(gFake->played.size()) < gFake->playsAllowed || (gFake->aborted && gFake->honoursAbort);
    });
    bool fails = int(gFake->played.size()) == gFake->failingPlay;
    gFake->played.emplace_back(data, data + bytes);
    gFake->changed.notify_all();
    return !fails;
}

inline void fakeClose()
{
    std::lock_guard<std::mutex> guard(gFake->lock);
    ++gFake->closes;
    gFake->closedAfterAbort = gFake->aborted;
    gFake->playedAtClose = gFake->played.size();
    gFake->changed.notify_all();
}

inline void fakeAbort()
{
    std::lock_guard<std::mutex> guard(gFake->lock);
    gFake->aborted = true;
    gFake->changed.notify_all();
}

inline const WaveDevice kFakeDevice{fakeOpen, fakePlay, fakeClose, fakeAbort};

// Lets `count` more plays through the gate.
inline void allowPlays(int count)
{
    std::lock_guard<std::mutex> guard(gFake->lock);
    gFake->playsAllowed = int(gFake->played.size()) + count;
    gFake->changed.notify_all();
}

// True when the device has begun `count` plays within the time.
inline bool waitPlaysBegun(size_t count, std::chrono::milliseconds limit = std::chrono::milliseconds(5000))
{
    std::unique_lock<std::mutex> guard(gFake->lock);
    return gFake->changed.wait_for(guard, limit, [&] { return gFake->playsBegun >= count; });
}
