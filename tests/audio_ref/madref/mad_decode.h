#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A frame libmad found but could not decode; its place in the output is silence.
struct MadFrameError {
    int frame = 0;  // index among the frames that produced output
    int code = 0;   // libmad's error code
    std::string text;
};

// A whole stream decoded by libmad, the reference our decoder is checked against.
// Samples are libmad's fixed-point output in 16-bit units before any rounding or clipping,
// interleaved stereo; a single-channel stream's channel is on both sides.
struct MadDecoded {
    std::vector<float> pcm;
    int frames = 0;      // frames that produced output, decoded or silenced
    int rate = 0;        // of the first frame; 0 when there was none
    int syncErrors = 0;  // times libmad skipped bytes that were not a frame (tags, junk)
    std::vector<MadFrameError> frameErrors;
    std::string fatal;   // an error libmad cannot go on after; empty when none
};

// Bytes taken by an ID3v2 tag at the start of the data (header, body, footer); 0 when none.
size_t id3v2Length(const std::vector<uint8_t>& bytes);

// Decodes every frame of an MP3 stream held in memory, skipping a leading ID3v2 tag as a
// player would (libmad itself only knows frames).
MadDecoded madDecode(const std::vector<uint8_t>& bytes);
