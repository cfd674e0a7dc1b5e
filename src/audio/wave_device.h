#pragma once

#include <cstdint>

// What plays the blocks: ALSA in the demo, a file writer in mp3dec, fakes in tests.
// Every call comes from the one thread that plays the queued blocks, in queue order.
struct WaveDevice {
    bool (*open)(int rate);                        // false when there is no usable device
    bool (*play)(const uint8_t* data, int bytes);  // blocks until played; false when lost
    void (*close)();  // after the last play; drains what the device still holds
    // Optional, from any thread: a play or close in progress returns soon, dropping what it holds.
    void (*abort)() = nullptr;
};
