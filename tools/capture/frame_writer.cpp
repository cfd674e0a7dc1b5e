#include "frame_writer.h"

namespace {

// Pictures waiting at most: enough to ride out an uneven frame, little memory at 800 × 600.
constexpr size_t kQueueLimit = 4;

void writeQueued(FrameWriter& writer)
{
    std::unique_lock<std::mutex> guard(writer.lock);
    for (;;) {
        writer.changed.wait(guard, [&] { return !writer.queue.empty() || writer.closing; });
        if (writer.queue.empty()) return;
        QueuedPicture picture = std::move(writer.queue.front());
        writer.queue.pop_front();
        writer.changed.notify_all();
        if (writer.failed) continue;
        guard.unlock();
        bool ok = writer.write(picture.index, picture.rgb);
        guard.lock();
        if (!ok) {
            writer.failed = true;
            writer.failedIndex = picture.index;
        }
    }
}

}  // namespace

void startFrameWriter(FrameWriter& writer, WritePicture write)
{
    writer.write = std::move(write);
    writer.thread = std::thread(writeQueued, std::ref(writer));
}

bool queuePicture(FrameWriter& writer, int64_t index, std::vector<uint8_t> rgb)
{
    std::unique_lock<std::mutex> guard(writer.lock);
    writer.changed.wait(guard, [&] { return writer.queue.size() < kQueueLimit || writer.failed; });
    if (writer.failed) return false;
    writer.queue.push_back({index, std::move(rgb)});
    writer.changed.notify_all();
    return true;
}

bool stopFrameWriter(FrameWriter& writer)
{
    {
        std::lock_guard<std::mutex> guard(writer.lock);
        writer.closing = true;
        writer.changed.notify_all();
    }
    if (writer.thread.joinable()) writer.thread.join();
    return !writer.failed;
}
