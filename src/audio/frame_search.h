#pragma once

#include <cstddef>
#include <cstdint>

// Finding the start of the audio, or the next frame after bytes that are not one.

constexpr int kSearchShifts = 65536;

// Big-endian word at pos; false when fewer than 4 bytes remain.
bool wordAt(const uint8_t* data, size_t size, size_t pos, uint32_t& word);

// Moves pos past an ID3v2 tag, a RIFF header up to its "data" chunk, or a 128-byte "TAG" block,
// as many as follow one another.
void skipTagsAndWrappers(const uint8_t* data, size_t size, size_t& pos);

struct SearchResult {
    bool found;             // pos stands at a header
    uint32_t unsupported;   // the first plausible header this decoder does not take, 0 if none
};

// From pos, skips tags and wrappers, then shifts one byte at a time (at most kSearchShifts times)
// to a header that the next frame's header confirms. Before the first header (firstHeader 0) any
// supported header will do; afterwards only one that continues that stream.
SearchResult findHeader(const uint8_t* data, size_t size, size_t& pos, uint32_t firstHeader);
