#include "audio/output_queue.h"

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "audio/audio_out.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kQueueLimit = 6;  // the producer waits while more than this many blocks are queued
constexpr auto kPollInterval = std::chrono::milliseconds(77);
// After an abort, how long a device may take to let go before its thread is left behind. A device that
// honours the abort lets go within one of its waits (tens of ms); Escape must end the demo within a second.
constexpr auto kAbortGrace = std::chrono::milliseconds(300);

struct QueuedBlock {
    std::unique_ptr<uint8_t[]> bytes;
    int size;
};

enum class DeviceState { closed, opening, open, failed };

struct OutputQueue {
    std::mutex lock;  // around every change of the fields below but the atomics
    std::condition_variable changed;
    std::deque<QueuedBlock> blocks;  // handed over and not done; the front one is playing
    std::atomic<int> queuedBlocks{0};
    std::atomic<bool> aborted{false};
    std::atomic<bool> abandoned{false};  // a device thread that would not let go was left behind
    const WaveDevice* device = nullptr;  // what setWaveDevice chose
    const WaveDevice* active = nullptr;  // what the device thread plays on
    DeviceState state = DeviceState::closed;
    bool lost = false;     // the device failed while playing: the rest is dropped
    bool closing = false;  // no more blocks come: end once the queue is empty
    bool finished = false;
    bool threadRunning = false;  // producer side only: a device thread is to be joined
    bool immediate = false;      // producer side only: an immediate device is open
    pthread_t thread{};
    int rate = 0;
};

// Never destroyed: a device thread left behind may still be using it while the process ends.
OutputQueue& gOut = *new OutputQueue;

void setState(OutputQueue& out, DeviceState state)
{
    std::lock_guard<std::mutex> guard(out.lock);
    out.state = state;
    out.changed.notify_all();
}

void onBlockDone(OutputQueue& out)
{
    std::lock_guard<std::mutex> guard(out.lock);
    out.blocks.pop_front();
    out.queuedBlocks.fetch_sub(1);
    out.changed.notify_all();
}

// The front block once there is one; null when the thread should end.
QueuedBlock* nextBlock(OutputQueue& out)
{
    std::unique_lock<std::mutex> guard(out.lock);
    out.changed.wait(guard, [&] { return !out.blocks.empty() || out.closing || out.aborted || out.abandoned; });
    if (out.aborted || out.abandoned || out.blocks.empty()) return nullptr;
    return &out.blocks.front();
}

// The device thread: opens the device, plays the queued blocks in order, completes each one.
void playQueued(OutputQueue& out)
{
    const WaveDevice* device = out.active;
    if (device->open(out.rate) != 0) {
        setState(out, DeviceState::failed);
        return;
    }
    setState(out, DeviceState::open);
    while (QueuedBlock* block = nextBlock(out)) {
        // Once the device is lost, what is left in the queue is completed without playing.
        bool failed = !out.lost && device->play(block->bytes.get(), block->size) != 0;
        if (out.abandoned) break;  // the queue is no longer ours to change
        if (failed) {
            std::lock_guard<std::mutex> guard(out.lock);
            out.lost = true;
        }
        onBlockDone(out);
    }
    device->close();
}

void* deviceThread(void*)
{
    playQueued(gOut);
    std::lock_guard<std::mutex> guard(gOut.lock);
    gOut.finished = true;
    gOut.changed.notify_all();
    return nullptr;
}

// True once the device thread has finished; false when it ignored an abort for too long.
bool waitDeviceThread(OutputQueue& out)
{
    std::unique_lock<std::mutex> guard(out.lock);
    Clock::time_point deadline = Clock::time_point::max();
    while (!out.finished) {
        if (out.aborted && deadline == Clock::time_point::max()) deadline = Clock::now() + kAbortGrace;
        if (Clock::now() >= deadline) return false;
        out.changed.wait_for(guard, kPollInterval);
    }
    return true;
}

void endDeviceThread(OutputQueue& out)
{
    waitQueueEmpty();
    {
        std::lock_guard<std::mutex> guard(out.lock);
        out.closing = true;
        out.changed.notify_all();
    }
    out.threadRunning = false;
    if (waitDeviceThread(out)) {
        pthread_join(out.thread, nullptr);
        std::lock_guard<std::mutex> guard(out.lock);
        out.blocks.clear();
        return;
    }
    pthread_detach(out.thread);
    out.abandoned = true;
    std::fprintf(stderr, "zephal3d: the sound device does not respond; leaving it\n");
}

int openImmediate(OutputQueue& out)
{
    bool opened = out.active->open(out.rate) == 0;
    out.immediate = opened;
    setState(out, opened ? DeviceState::open : DeviceState::failed);
    return opened ? 0 : -1;
}

int playImmediate(OutputQueue& out, const uint8_t* data, int bytes)
{
    if (outputLost()) return -1;
    if (out.active->play(data, bytes) == 0) return bytes;
    std::lock_guard<std::mutex> guard(out.lock);
    out.lost = true;
    return -1;
}

}  // namespace

void setWaveDevice(const WaveDevice* device)
{
    std::lock_guard<std::mutex> guard(gOut.lock);
    gOut.device = device;
}

int openDevice(AudioParams& params)
{
    OutputQueue& out = gOut;
    if (params.rate == -1) return 0;
    if (out.threadRunning || out.immediate) closeDevice();
    {
        std::lock_guard<std::mutex> guard(out.lock);
        out.active = out.device;
        out.state = DeviceState::failed;
        if (!out.active || out.aborted || out.abandoned) return -1;
        out.state = DeviceState::opening;
        out.lost = out.closing = out.finished = false;
        out.rate = params.rate;
    }
    if (out.active->immediate) return openImmediate(out);
    if (pthread_create(&out.thread, nullptr, deviceThread, nullptr) != 0) {
        setState(out, DeviceState::failed);
        return -1;
    }
    out.threadRunning = true;
    std::unique_lock<std::mutex> guard(out.lock);
    out.changed.wait(guard, [&] { return out.state != DeviceState::opening || out.aborted; });
    return out.state == DeviceState::open ? 0 : -1;
}

int closeDevice()
{
    OutputQueue& out = gOut;
    if (out.threadRunning) endDeviceThread(out);
    if (out.immediate) {
        out.immediate = false;
        out.active->close();
    }
    std::lock_guard<std::mutex> guard(out.lock);
    out.state = DeviceState::closed;
    out.queuedBlocks = 0;
    return 0;
}

int reopenDevice(AudioParams& params)
{
    closeDevice();
    return openDevice(params);
}

int playBlock(const uint8_t* data, int bytes)
{
    OutputQueue& out = gOut;
    if (!data || bytes <= 0) return -1;
    if (out.immediate) return playImmediate(out, data, bytes);
    if (!out.threadRunning) return -1;
    while (out.queuedBlocks.load() > kQueueLimit) {
        if (out.aborted) return -1;
        std::this_thread::sleep_for(kPollInterval);
    }
    QueuedBlock block{std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes]), bytes};
    if (!block.bytes) return -1;
    std::memcpy(block.bytes.get(), data, static_cast<size_t>(bytes));
    std::lock_guard<std::mutex> guard(out.lock);
    if (out.state != DeviceState::open || out.lost || out.aborted) return -1;
    out.blocks.push_back(std::move(block));
    out.queuedBlocks.fetch_add(1);
    out.changed.notify_all();
    return bytes;
}

void waitQueueEmpty()
{
    while (gOut.queuedBlocks.load() != 0 && !gOut.aborted) std::this_thread::sleep_for(kPollInterval);
}

void abortOutput()
{
    const WaveDevice* device;
    {
        std::lock_guard<std::mutex> guard(gOut.lock);
        gOut.aborted = true;
        gOut.changed.notify_all();
        device = gOut.active;
    }
    if (device && device->abort) device->abort();
}

void liftAbort()
{
    gOut.aborted = false;
}

bool outputLost()
{
    std::lock_guard<std::mutex> guard(gOut.lock);
    return gOut.state == DeviceState::failed || gOut.lost || gOut.aborted || gOut.abandoned;
}

int queuedBlockCount()
{
    return gOut.queuedBlocks.load();
}
