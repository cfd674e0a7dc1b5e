#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The generated .3DS file read back strictly by chunk lengths, for checking its layout.
struct ChunkNode {
    uint16_t id = 0;
    size_t offset = 0;   // of the chunk's id
    uint32_t length = 0;
    size_t data = 0;     // first byte after the header
    std::vector<ChunkNode> children;
    const ChunkNode* child(uint16_t wanted) const;
    std::vector<const ChunkNode*> all(uint16_t wanted) const;
};

struct ByteView {
    const std::vector<uint8_t>& bytes;
    uint16_t u16(size_t at) const;
    uint32_t u32(size_t at) const;
    float f32(size_t at) const;
    std::string str(size_t at) const;  // zero-terminated
};

// Parses the chunk at `offset`; false when a length runs outside its parent.
bool parseChunk(const std::vector<uint8_t>& bytes, size_t offset, size_t end, ChunkNode& out);
