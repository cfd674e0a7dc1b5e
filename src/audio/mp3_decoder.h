#pragma once

#include "audio/audio_out.h"
#include "audio/frame_header.h"

// The MP3 decoder as the player sees it. Everything here runs on one thread: the playback thread,
// or the thread of a tool or test; loadFile and the table builders may run before that thread starts.

// Reads the whole file into memory: 1, or -1 when it cannot be read. A newly loaded file has no
// remembered header, so its first pass searches for the start of the audio.
int loadFile(const char* name);
void releaseFile();
// Puts the read position back to the first byte for the next pass. The filter banks and the
// output carry on, so a second pass follows the first without a gap.
void rewind();
// Reads the next frame and decodes its header into `header`: 1, or 0 at the end of the pass,
// or when the file holds no stream this decoder plays (said once on stderr).
int nextFrame(FrameHeader& header);

// The player builds both at open: the synthesis tables with the output scale 32768, the Layer III
// tables with the sub-band limit 0. decodeFrame builds the Layer III tables again when it starts output.
void buildSynthesisTables(float scale);
void buildLayer3Tables(int subbandLimit);

// The output format fitted to the stream; decodeFrame fits it on the first frame and whenever
// the header's formatChange says so. Initialise it (AudioParams{}) and probeFormats before playing.
extern AudioParams gAudioParams;

// Decodes the frame nextFrame read into pcmBuffer (128 bytes per time slot of 32 stereo frames)
// and queues every full block. Returns the number of clipped samples, or -1 when the music must
// stop: no output format fits the stream (said on stderr); nextFrame then returns 0 until another
// file is loaded. A corrupt frame is dropped with a message on stderr; decoding goes on.
int decodeFrame(FrameHeader& header);
