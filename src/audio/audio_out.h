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

// Interleaved 16-bit stereo, left first; the decoder appends 128 bytes per time slot.
extern uint8_t* pcmBuffer;
extern int32_t pcmFill;

void probeFormats(AudioParams& params);
// False when no output format fits the stream's rate.
bool fitFormat(AudioParams& params, int rate);
void startOutput(AudioParams& params);
int openDevice(AudioParams& params);
int closeDevice();
int reopenDevice(AudioParams& params);
int playBlock(const uint8_t* data, int bytes);
void queueStaged();
void waitQueueEmpty();

// What plays the blocks: ALSA in the demo, a file writer in mp3dec, fakes in tests.
// Every call comes from the one thread that plays the queued blocks, in queue order.
struct WaveDevice {
    int (*open)(int rate);                        // 0, or -1 when there is no usable device
    int (*play)(const uint8_t* data, int bytes);  // blocks until played; 0, or -1 when lost
    void (*close)();
};
void setWaveDevice(const WaveDevice* device);
