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

inline FakeDevice& fakeOf(void* context)
{
    return *static_cast<FakeDevice*>(context);
}

inline bool fakeOpen(void* context, int rate)
{
    FakeDevice& fake = fakeOf(context);
    std::lock_guard<std::mutex> guard(fake.lock);
    ++fake.opens;
    fake.openedRate = rate;
    fake.aborted = false;
    return fake.openResult;
}

inline bool fakePlay(void* context, const uint8_t* data, int bytes)
{
    FakeDevice& fake = fakeOf(context);
    std::unique_lock<std::mutex> guard(fake.lock);
    ++fake.playsBegun;
    fake.changed.notify_all();
    fake.changed.wait(guard, [&] {
        return int(fake.played.size()) < fake.playsAllowed || (fake.aborted && fake.honoursAbort);
    });
    bool fails = int(fake.played.size()) == fake.failingPlay;
    fake.played.emplace_back(data, data + bytes);
    fake.changed.notify_all();
    return !fails;
}

inline void fakeClose(void* context)
{
    FakeDevice& fake = fakeOf(context);
    std::lock_guard<std::mutex> guard(fake.lock);
    ++fake.closes;
    fake.closedAfterAbort = fake.aborted;
    fake.playedAtClose = fake.played.size();
    fake.changed.notify_all();
}

inline void fakeAbort(void* context)
{
    FakeDevice& fake = fakeOf(context);
    std::lock_guard<std::mutex> guard(fake.lock);
    fake.aborted = true;
    fake.changed.notify_all();
}

// The device that records into `fake`; the fake must outlive its use.
inline WaveDevice fakeWaveDevice(FakeDevice& fake)
{
    return {&fake, fakeOpen, fakePlay, fakeClose, fakeAbort};
}

// Lets `count` more plays through the gate.
inline void allowPlays(FakeDevice& fake, int count)
{
    std::lock_guard<std::mutex> guard(fake.lock);
    fake.playsAllowed = int(fake.played.size()) + count;
    fake.changed.notify_all();
}

// True when the device has begun `count` plays within the time.
inline bool waitPlaysBegun(FakeDevice& fake, size_t count,
                           std::chrono::milliseconds limit = std::chrono::milliseconds(5000))
{
    std::unique_lock<std::mutex> guard(fake.lock);
    return fake.changed.wait_for(guard, limit, [&] { return fake.playsBegun >= count; });
}
