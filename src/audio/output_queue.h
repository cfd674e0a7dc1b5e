#pragma once

#include <cstdint>
#include <memory>

#include "audio/audio_params.h"
#include "audio/wave_device.h"

struct QueueState;

// The queue of blocks between the producer and the thread that plays them on a WaveDevice.
// One producer thread calls everything but abortOutput and outputLost.
struct OutputQueue {
    // Shared with the device thread: a thread left behind after an abort keeps it alive.
    std::shared_ptr<QueueState> state;
    OutputQueue();
};

void setWaveDevice(OutputQueue& out, const WaveDevice* device);
// True when the device opened, or when nothing was to be opened (no rate chosen yet).
bool openDevice(OutputQueue& out, const AudioParams& params);
// Waits until every queued block has played, then closes the device.
void closeDevice(OutputQueue& out);
bool reopenDevice(OutputQueue& out, const AudioParams& params);
// Copies the block into the queue, waiting while seven are queued; false when it was dropped.
bool playBlock(OutputQueue& out, const uint8_t* data, int bytes);

// From any thread: the output gives up at once. Waits return, queued blocks are dropped, the
// device is told to let go, and nothing is opened or queued again until liftAbort.
void abortOutput(OutputQueue& out);
// After the close: the abort ends, in the device too.
void liftAbort(OutputQueue& out);
// True once blocks can no longer reach a device: it did not open, it was lost, or the output aborted.
bool outputLost(const OutputQueue& out);
