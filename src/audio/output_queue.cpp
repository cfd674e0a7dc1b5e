#include "audio/output_queue.h"
#include "platform/report.h"

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <thread>


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

}  // namespace

struct QueueState {
    std::mutex lock;  // around every change of the fields below but the atomics
    std::condition_variable changed;
    std::deque<QueuedBlock> blocks;  // handed over and not done; the front one is playing
    std::atomic<int> queuedBlocks{0};
    std::atomic<bool> aborted{false};
    std::atomic<bool> abandoned{false};  // a device thread that would not let go was left behind
    const WaveDevice* device = nullptr;  // what setWaveDevice chose
    const WaveDevice* active = nullptr;  // what the device thread plays on
    const WaveDevice* abortSent = nullptr;  // the device told to abort, until liftAbort
    DeviceState state = DeviceState::closed;
    bool lost = false;     // the device failed while playing: the rest is dropped
    bool closing = false;  // no more blocks come: end once the queue is empty
    bool finished = false;
    bool threadRunning = false;  // producer side only: a device thread is to be joined
    bool immediate = false;      // producer side only: an immediate device is open
    pthread_t thread{};
    int rate = 0;
};

namespace {

void setState(QueueState& out, DeviceState state)
{
    std::lock_guard<std::mutex> guard(out.lock);
    out.state = state;
    out.changed.notify_all();
}

void onBlockDone(QueueState& out)
{
    std::lock_guard<std::mutex> guard(out.lock);
    out.blocks.pop_front();
    out.queuedBlocks.fetch_sub(1);
    out.changed.notify_all();
}

// The front block once there is one; null when the thread should end.
QueuedBlock* nextBlock(QueueState& out)
{
    std::unique_lock<std::mutex> guard(out.lock);
    out.changed.wait(guard, [&] { return !out.blocks.empty() || out.closing || out.aborted || out.abandoned; });
    if (out.aborted || out.abandoned || out.blocks.empty()) return nullptr;
    return &out.blocks.front();
}

// The device thread: opens the device, plays the queued blocks in order, completes each one.
void playQueued(QueueState& out)
{
    const WaveDevice* device = out.active;
    if (!device->open(device->context, out.rate)) {
        setState(out, DeviceState::failed);
        return;
    }
    setState(out, DeviceState::open);
    while (QueuedBlock* block = nextBlock(out)) {
        // Once the device is lost, what is left in the queue is completed without playing.
        bool failed = !out.lost && !device->play(device->context, block->bytes.get(), block->size);
        if (out.abandoned) break;  // the queue is no longer ours to change
        if (failed) {
            std::lock_guard<std::mutex> guard(out.lock);
            out.lost = true;
        }
        onBlockDone(out);
    }
    device->close(device->context);
}

// Its argument is a heap copy of the queue's shared pointer, which it owns.
void* deviceThread(void* arg)
{
    std::unique_ptr<std::shared_ptr<QueueState>> owned(static_cast<std::shared_ptr<QueueState>*>(arg));
    QueueState& out = **owned;
    playQueued(out);
    std::lock_guard<std::mutex> guard(out.lock);
    out.finished = true;
    out.changed.notify_all();
    return nullptr;
}

// True once the device thread has finished; false when it ignored an abort for too long.
bool waitDeviceThread(QueueState& out)
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

// Until every queued block has played, or the output aborts.
void waitQueueEmpty(const QueueState& out)
{
    while (out.queuedBlocks.load() != 0 && !out.aborted) std::this_thread::sleep_for(kPollInterval);
}

void endDeviceThread(QueueState& out)
{
    waitQueueEmpty(out);
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
    report("sound", "the sound device does not respond; leaving it");
}

bool openImmediate(QueueState& out)
{
    bool opened = out.active->open(out.active->context, out.rate);
    out.immediate = opened;
    setState(out, opened ? DeviceState::open : DeviceState::failed);
    return opened;
}

bool playImmediate(OutputQueue& queue, const uint8_t* data, int bytes)
{
    QueueState& out = *queue.state;
    if (outputLost(queue)) return false;
    if (out.active->play(out.active->context, data, bytes)) return true;
    std::lock_guard<std::mutex> guard(out.lock);
    out.lost = true;
    return false;
}

// Hands the device thread its own reference to the state; false when the thread cannot start.
bool startDeviceThread(const std::shared_ptr<QueueState>& state)
{
    auto* arg = new (std::nothrow) std::shared_ptr<QueueState>(state);
    if (arg && pthread_create(&state->thread, nullptr, deviceThread, arg) == 0) return true;
    delete arg;
    return false;
}

}  // namespace

OutputQueue::OutputQueue() : state(std::make_shared<QueueState>()) {}

void setWaveDevice(OutputQueue& queue, const WaveDevice* device)
{
    std::lock_guard<std::mutex> guard(queue.state->lock);
    queue.state->device = device;
}

bool openDevice(OutputQueue& queue, const AudioParams& params)
{
    QueueState& out = *queue.state;
    if (params.rate == -1) return true;
    if (out.threadRunning || out.immediate) closeDevice(queue);
    {
        std::lock_guard<std::mutex> guard(out.lock);
        out.active = out.device;
        out.state = DeviceState::failed;
        if (!out.active || out.aborted || out.abandoned) return false;
        out.state = DeviceState::opening;
        out.lost = out.closing = out.finished = false;
        out.rate = params.rate;
    }
    if (out.active->immediate) return openImmediate(out);
    if (!startDeviceThread(queue.state)) {
        setState(out, DeviceState::failed);
        return false;
    }
    out.threadRunning = true;
    std::unique_lock<std::mutex> guard(out.lock);
    out.changed.wait(guard, [&] { return out.state != DeviceState::opening || out.aborted; });
    return out.state == DeviceState::open;
}

void closeDevice(OutputQueue& queue)
{
    QueueState& out = *queue.state;
    if (out.threadRunning) endDeviceThread(out);
    if (out.immediate) {
        out.immediate = false;
        out.active->close(out.active->context);
    }
    std::lock_guard<std::mutex> guard(out.lock);
    out.state = DeviceState::closed;
    out.queuedBlocks = 0;
}

bool reopenDevice(OutputQueue& queue, const AudioParams& params)
{
    closeDevice(queue);
    return openDevice(queue, params);
}

bool playBlock(OutputQueue& queue, const uint8_t* data, int bytes)
{
    QueueState& out = *queue.state;
    if (!data || bytes <= 0) return false;
    if (out.immediate) return playImmediate(queue, data, bytes);
    if (!out.threadRunning) return false;
    while (out.queuedBlocks.load() > kQueueLimit) {
        if (out.aborted) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    QueuedBlock block{std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes]), bytes};
    if (!block.bytes) return false;
    std::memcpy(block.bytes.get(), data, static_cast<size_t>(bytes));
    std::lock_guard<std::mutex> guard(out.lock);
    if (out.state != DeviceState::open || out.lost || out.aborted) return false;
    out.blocks.push_back(std::move(block));
    out.queuedBlocks.fetch_add(1);
    out.changed.notify_all();
    return true;
}

void abortOutput(OutputQueue& queue)
{
    QueueState& out = *queue.state;
    const WaveDevice* device;
    {
        std::lock_guard<std::mutex> guard(out.lock);
        out.aborted = true;
        out.changed.notify_all();
        device = out.active;
        if (device && device->abort) out.abortSent = device;
    }
    if (device && device->abort) device->abort(device->context);
}

void liftAbort(OutputQueue& queue)
{
    QueueState& out = *queue.state;
    const WaveDevice* device;
    {
        std::lock_guard<std::mutex> guard(out.lock);
        out.aborted = false;
        // A device thread left behind may still be in the device: the abort stays its own.
        device = out.abandoned ? nullptr : out.abortSent;
        out.abortSent = nullptr;
    }
    // The device may have closed before the abort reached it, and would keep it for its next open.
    if (device && device->liftAbort) device->liftAbort(device->context);
}

bool outputLost(const OutputQueue& queue)
{
    QueueState& out = *queue.state;
    std::lock_guard<std::mutex> guard(out.lock);
    return out.state == DeviceState::failed || out.lost || out.aborted || out.abandoned;
}
