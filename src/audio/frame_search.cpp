#include "audio/frame_search.h"

#include <cstring>

#include "audio/frame_header.h"

namespace {

constexpr size_t kId3HeaderBytes = 10;
constexpr uint8_t kId3FooterFlag = 0x10;
constexpr size_t kTagBytes = 128;
constexpr size_t kRiffHeaderBytes = 8;  // "RIFF" and the size
constexpr size_t kChunkHeaderBytes = 8;  // "data" and the size

bool startsWith(const uint8_t* data, size_t size, size_t pos, const char* text)
{
    size_t n = std::strlen(text);
    return pos + n <= size && std::memcmp(data + pos, text, n) == 0;
}

// Bytes of an ID3v2 tag at pos (header, body, footer), 0 when there is none.
size_t id3v2Bytes(const uint8_t* data, size_t size, size_t pos)
{
    if (!startsWith(data, size, pos, "ID3") || pos + kId3HeaderBytes > size) return 0;
    const uint8_t* h = data + pos;
    if (h[3] == 0xFF || h[4] == 0xFF) return 0;
    size_t body = 0;
    for (int i = 6; i < 10; ++i) {
        if (h[i] & 0x80) return 0;  // sizes are syncsafe: seven bits a byte
        body = (body << 7) | h[i];
    }
    return kId3HeaderBytes + body + ((h[5] & kId3FooterFlag) ? kId3HeaderBytes : 0);
}

// Position just behind the size of the first "data" chunk of a RIFF file at pos, or size.
size_t riffDataStart(const uint8_t* data, size_t size, size_t pos)
{
    for (size_t p = pos + kRiffHeaderBytes; p + 4 <= size; ++p) {
        if (std::memcmp(data + p, "data", 4) == 0) return p + kChunkHeaderBytes;
    }
    return size;
}

// The frame at pos is followed by another of the same stream, or reaches the end of the data.
// Only a first frame where the audio begins may run past it: a short file, not a header that
// happens to stand in the last kilobyte of other bytes.
bool confirmed(const uint8_t* data, size_t size, size_t pos, uint32_t word, uint32_t firstHeader, bool atStart)
{
    FrameHeader h{};
    parseHeader(h, word);
    size_t next = pos + 4 + static_cast<size_t>(h.frameSize);
    uint32_t nextWord = 0;
    if (wordAt(data, size, next, nextWord)) return continuesStream(nextWord, firstHeader ? firstHeader : word);
    return next == size || (firstHeader == 0 && atStart && next > size);
}

}  // namespace

bool wordAt(const uint8_t* data, size_t size, size_t pos, uint32_t& word)
{
    if (pos > size || size - pos < 4) return false;
    const uint8_t* p = data + pos;
    word = (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
    return true;
}

void skipTagsAndWrappers(const uint8_t* data, size_t size, size_t& pos)
{
    while (pos < size) {
        if (size_t id3 = id3v2Bytes(data, size, pos)) {
            pos = (id3 > size - pos) ? size : pos + id3;
        } else if (startsWith(data, size, pos, "RIFF")) {
            pos = riffDataStart(data, size, pos);
        } else if (startsWith(data, size, pos, "TAG")) {
            pos = (kTagBytes > size - pos) ? size : pos + kTagBytes;
        } else {
            return;
        }
    }
}

SearchResult findHeader(const uint8_t* data, size_t size, size_t& pos, uint32_t firstHeader)
{
    SearchResult result{false, 0};
    skipTagsAndWrappers(data, size, pos);
    const size_t start = pos;
    uint32_t word = 0;
    for (int shift = 0; shift <= kSearchShifts && wordAt(data, size, pos, word); ++shift, ++pos) {
        if (!isPlausibleHeader(word)) continue;
        bool fits = firstHeader ? continuesStream(word, firstHeader) : isSupportedHeader(word);
        if (fits && confirmed(data, size, pos, word, firstHeader, pos == start)) {
            result.found = true;
            return result;
        }
        if (!isSupportedHeader(word) && result.unsupported == 0) result.unsupported = word;
    }
    return result;
}
