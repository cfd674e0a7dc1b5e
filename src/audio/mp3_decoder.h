#pragma once

#include "audio/audio_params.h"
#include "audio/format_fit.h"
#include "audio/frame_header.h"
#include "audio/layer3_frame.h"
#include "audio/output_queue.h"
#include "audio/pcm_staging.h"
#include "audio/stream_input.h"

// One MP3 decoder as the player sees it: the file with its frames and reservoir, the Layer III
// state, what the device accepts, the output format fitted to the stream and the staging buffer. A decoder is used by one
// thread at a time (the playback thread, or the thread of a tool or test); any number of decoders
// may work side by side. The stream is read through the StreamInput calls: loadFile, rewind,
// nextFrame, releaseFile.
struct Mp3Decoder {
    StreamInput stream;
    Layer3State layer3{};
    FormatTable formats;      // filled by probeFormats
    AudioParams audioParams;  // fitted on the first frame and whenever formatChange says so
    PcmStaging staging;
    GaplessPlan trim;  // what is left to drop of the pass being decoded
    int channels = 2;  // of the frame decoded last
};

// Decodes the frame nextFrame read into the staging buffer (128 bytes per time slot of 32 stereo
// frames) and queues every full block on `out`, which it opens on the first frame. Returns the number of clipped samples, or -1 when the music
// must stop: no output format fits the stream (said on stderr); nextFrame then returns 0 until
// another file is loaded. A corrupt frame is dropped with a message on stderr; decoding goes on.
// Initialise audioParams (AudioParams{}) and probeFormats before playing.
int decodeFrame(Mp3Decoder& decoder, FrameHeader& header, OutputQueue& out);
// Ends a pass: a pass trimmed to the song plays out the decoder's delay, so that the song keeps
// its last samples. Returns the clipped samples.
int finishPass(Mp3Decoder& decoder, OutputQueue& out);
