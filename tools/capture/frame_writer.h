#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Writes the captured pictures on a thread of its own, in the order they come, so that encoding
// and file output run beside the rendering instead of after each frame.
using WritePicture = std::function<bool(int64_t index, const std::vector<uint8_t>& rgb)>;

struct QueuedPicture {
    int64_t index;
    std::vector<uint8_t> rgb;
};

struct FrameWriter {
    WritePicture write;
    std::thread thread;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<QueuedPicture> queue;
    bool closing = false;
    bool failed = false;  // a write failed: the rest is dropped
    int64_t failedIndex = -1;
};

void startFrameWriter(FrameWriter& writer, WritePicture write);
// Hands a picture over, waiting while the queue is full; false once a write has failed.
bool queuePicture(FrameWriter& writer, int64_t index, std::vector<uint8_t> rgb);
// Writes what is queued and ends the thread; false when any write failed.
bool stopFrameWriter(FrameWriter& writer);
