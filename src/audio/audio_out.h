#pragma once

#include <cstdint>

// The output side of the music: format choice, the staging buffer the decoder writes into,
// and the queue of 16384-byte blocks that a device plays.

struct AudioParams {
    int32_t rate = -1;  // -1: not chosen
    int32_t device = 0;
    int32_t channels = -1;
    int32_t format = -1;
};

constexpr int32_t kBlockBytes = 16384;

// The staging buffer: interleaved 16-bit stereo, left first; the decoder appends 128 bytes per
// time slot and hands on a block when `fill` reaches kBlockBytes.
struct PcmStaging {
    uint8_t bytes[2 * kBlockBytes];  // twice a block: an append may pass kBlockBytes before the flush
    int32_t fill = 0;
    bool outputStarted = false;  // startOutput has opened the device
};

void probeFormats(AudioParams& params);
// False when no output format fits the stream's rate.
bool fitFormat(AudioParams& params, int rate);
void startOutput(PcmStaging& staging, AudioParams& params);
int openDevice(AudioParams& params);
int closeDevice();
int reopenDevice(AudioParams& params);
int playBlock(const uint8_t* data, int bytes);
void queueStaged(PcmStaging& staging);
void waitQueueEmpty();

// From any thread: the output gives up at once. Waits return, queued blocks are dropped, the
// device is told to let go, and nothing is opened or queued again until resetOutput.
void abortOutput();
// Empty staging buffer, startOutput armed again, an abort lifted; only while no thread uses the output.
void resetOutput(PcmStaging& staging);
// True once blocks can no longer reach a device: it did not open, it was lost, or the output aborted.
bool outputLost();
// Blocks handed to the device and not yet done; readable from any thread.
int queuedBlockCount();

// What plays the blocks: ALSA in the demo, a file writer in mp3dec, fakes in tests.
// Every call comes from the one thread that plays the queued blocks, in queue order (for an
// immediate device, the producer's own thread).
struct WaveDevice {
    int (*open)(int rate);                        // 0, or -1 when there is no usable device
    int (*play)(const uint8_t* data, int bytes);  // blocks until played; 0, or -1 when lost
    void (*close)();  // after the last play; drains what the device still holds
    // Optional, from any thread: a play or close in progress returns soon, dropping what it holds.
    void (*abort)() = nullptr;
    // A device that does not play in real time (a file): it is opened, played and closed on the
    // producer's thread, each block before playBlock returns, with no queue to wait on, so a tool
    // runs at the speed of decoding.
    bool immediate = false;
};
void setWaveDevice(const WaveDevice* device);
