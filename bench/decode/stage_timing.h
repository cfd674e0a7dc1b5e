#pragma once

#include <cstdint>
#include <vector>

#include "audio/layer3_frame.h"

// Where the decoder's time goes: passes over a stream through the decoder's stage functions, in
// the order the frame decoder calls them, each pass running one stage more than the one before.
// A stage's cost is the time its pass takes beyond the pass before it; no clock is read inside.
enum Stage {
    kFrameStage,      // frame search, header, side information, reservoir
    kHuffmanStage,    // scale factors, Huffman decoding with requantisation and mid/side
    kIntensityStage,  // intensity stereo
    kAliasStage,      // alias reduction
    kHybridStage,     // IMDCT, windows and overlap
    kSynthesisStage,  // polyphase synthesis and the PCM out
    kStageCount
};
extern const char* const kStageNames[kStageCount];

// One pass that runs the stages up to `last`; with the synthesis, the PCM goes to `out` as the
// decoder's would, so that the two can be compared.
void decodeUpTo(const std::vector<uint8_t>& mp3, Stage last, const PcmSink& out);
