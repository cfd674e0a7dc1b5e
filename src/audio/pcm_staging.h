#pragma once

#include <cstdint>

#include "audio/audio_params.h"
#include "audio/output_queue.h"

constexpr int32_t kBlockBytes = 16384;

// The staging buffer: interleaved 16-bit stereo, left first; the decoder appends 128 bytes per
// time slot and hands on a block when `fill` reaches kBlockBytes.
struct PcmStaging {
    uint8_t bytes[2 * kBlockBytes];  // twice a block: an append may pass kBlockBytes before the flush
    int32_t fill = 0;
    bool outputStarted = false;  // startOutput has opened the device
};

// Opens the device on its first call only.
void startOutput(PcmStaging& staging, OutputQueue& out, const AudioParams& params);
// Hands a block (or what is staged, when less) to the queue; it is dropped when the queue refuses it.
void queueStaged(PcmStaging& staging, OutputQueue& out);
// Empty staging buffer, startOutput armed again, an abort lifted; only while no thread uses the output.
void resetOutput(PcmStaging& staging, OutputQueue& out);
