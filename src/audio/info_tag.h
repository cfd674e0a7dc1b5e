#pragma once

#include <cstdint>
#include <string>

// The tag an encoder writes into the first frame instead of audio ("Xing", or "Info" for
// constant bitrate), with the song's length and, in the encoder's extension, its delay and padding.
struct InfoTag {
    bool present = false;
    std::string kind;            // "Xing" or "Info"
    int64_t frames = -1;         // -1 where the tag leaves a field out
    int64_t bytes = -1;
    int32_t quality = -1;
    std::string encoder;         // empty without the extension
    int32_t delay = -1;          // samples, -1 without the extension
    int32_t padding = -1;
};

// Reads the tag from a frame body whose main data begin `mainDataAt` bytes in (after the side
// information and any CRC word); false when the frame holds none.
bool readInfoTag(const uint8_t* body, int bodyBytes, int mainDataAt, InfoTag& tag);

// What a pass of the stream drops so that the song plays gapless: the tag frame, then `skip`
// samples per channel, then everything after `keep` more (-1: nothing is cut at the end).
struct GaplessPlan {
    bool skipTagFrame = false;
    int64_t skip = 0;
    int64_t keep = -1;
};

// The decoder's own delay, which every decoder that trims adds to the encoder's.
constexpr int kDecoderDelay = 529;
// At the end of a trimmed pass one silent granule plays out what the decoder's delay still holds,
// so that a song padded by less than the delay keeps its last samples.
constexpr int kPlayOutSamples = 576;

// The plan for a tag and the audio frames found behind it; untrimmed when the tag's numbers
// cannot be right.
GaplessPlan gaplessPlan(const InfoTag& tag, int64_t framesFound, int samplesPerFrame);
