#pragma once

#include <cstdint>

// What plays the blocks: ALSA in the demo, a file writer in mp3dec, fakes in tests.
// Every call comes from the one thread that plays the queued blocks, in queue order (for an
// immediate device, the producer's own thread). Each callback gets `context` first: the record
// the device's owner keeps its state in.
struct WaveDevice {
    void* context = nullptr;
    bool (*open)(void* context, int rate);                        // false when there is no usable device
    bool (*play)(void* context, const uint8_t* data, int bytes);  // blocks until played; false when lost
    void (*close)(void* context);  // after the last play; drains what the device still holds
    // Optional, from any thread: a play or close in progress returns soon, dropping what it holds.
    void (*abort)(void* context) = nullptr;
    // A device that does not play in real time (a file): it is opened, played and closed on the
    // producer's thread, each block before playBlock returns, with no queue to wait on, so a tool
    // runs at the speed of decoding.
    bool immediate = false;
    // Optional, once no play or close is in progress: the abort is over, also one that came after
    // the device had closed, so that it never reaches into the next open.
    void (*liftAbort)(void* context) = nullptr;
};
