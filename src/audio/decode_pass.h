#pragma once

#include "audio/mp3_decoder.h"
#include "audio/output_queue.h"

struct PassResult {
    long frames = 0;
    long clipped = 0;
};

// One pass over the loaded file, as the playback thread plays it when it does not loop: every
// frame onto `out` until the stream or the output ends, the last short block flushed, the
// device closed and the file released.
PassResult decodePass(Mp3Decoder& decoder, OutputQueue& out);
