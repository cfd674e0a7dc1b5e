#pragma once

#include <cstdint>

#include "audio/frame_header.h"
#include "audio/hybrid_filter.h"
#include "audio/scale_factors.h"
#include "audio/stream_input.h"
#include "audio/synthesis.h"

// Decoding state that carries from granule to granule: scale factors (granule 1 may reuse
// granule 0's), the filter banks' memory, and the working spectra and time slots.
struct Layer3State {
    int32_t scaleFactors[2][kScaleFactors];
    int32_t largestScaleFactors[2][kScaleFactors];  // MPEG-2: what each scale factor's length holds at most
    float spectrum[2][576];
    float slots[2][576];
    HybridState hybrid;
    SynthesisState synthesis;
};

// The stereo coding a frame's header announces.
struct FrameModes {
    int channels;
    bool midSide;
    bool intensity;
};
FrameModes frameModes(const FrameHeader& h);

// Where PCM goes: 128 bytes per time slot are appended at `fill`; when `fill` reaches `blockBytes`
// the block is handed on by `flush(context)`, which takes a block from the front. With `trim`,
// only the samples it lets through are appended, and it counts them down.
struct PcmSink {
    uint8_t* buffer;
    int32_t* fill;
    int32_t blockBytes;
    void (*flush)(void* context);
    void* context;
    GaplessPlan* trim = nullptr;
};

// Decodes the Layer III frame that nextFrame read (its header in h). Returns the clipped samples.
// A frame that cannot be decoded (impossible block type) is dropped with a message; Huffman data
// running past their budget drop the rest of the frame; main data that reach back before the
// data seen give a silent frame.
int decodeLayer3(StreamInput& s, Layer3State& st, const FrameHeader& h, const PcmSink& out);
// One silent granule: the filter banks play out what they still hold. Returns the clipped samples.
int playOutGranule(Layer3State& st, int channels, const PcmSink& out);
