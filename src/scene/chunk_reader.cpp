#include "scene/chunk_reader.h"

#include <algorithm>
#include <cstring>

namespace {

// A sound file is read about once through; a hostile one (chunks overlapping their parents,
// counts larger than their chunks) could otherwise make the load re-read it without end.
constexpr uint64_t kReadsPerFileByte = 16;
constexpr uint64_t kReadAllowance = 4096;

constexpr char kDefaultName[] = "Default name";
constexpr uint32_t kObjectNameBytes = 12;
constexpr uint32_t kUnboundedName = UINT32_MAX;

// Reads a zero-terminated name of at most maxBytes bytes. A name longer than nameBuffer is
// still read to its terminator but kept as its first kNameSize - 1 characters; a name that runs
// into the end of the file ends there.
int readNameUpTo(ChunkReader& reader, uint32_t maxBytes)
{
    std::memcpy(reader.nameBuffer, kDefaultName, sizeof kDefaultName);
    uint32_t stored = 0;
    for (uint32_t count = 1;; ++count) {
        const uint8_t c = readU8(reader);
        if (reader.ended || c == 0) break;
        if (stored < kNameSize - 1) reader.nameBuffer[stored++] = static_cast<char>(c);
        if (count == maxBytes) {  // the cut name loses its last byte to the terminator
            stored = std::min(stored, maxBytes - 1);
            break;
        }
    }
    if (stored == 0) return -1;
    reader.nameBuffer[stored] = 0;
    return 0;
}

}  // namespace

void startReading(ChunkReader& reader, FILE* file)
{
    reader.file = file;
    reader.ended = false;
    reader.fileSize = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0) reader.fileSize = static_cast<uint64_t>(size);
    }
    std::rewind(file);
    reader.readBudget = reader.fileSize * kReadsPerFileByte + kReadAllowance;
}

uint8_t readU8(ChunkReader& reader)
{
    if (reader.ended) return 0xFF;
    if (reader.readBudget == 0) {
        reader.ended = true;
        return 0xFF;
    }
    --reader.readBudget;
    const int c = std::getc(reader.file);
    if (c == EOF) {
        reader.ended = true;
        return 0xFF;
    }
    return static_cast<uint8_t>(c);
}

uint32_t readU16(ChunkReader& reader)
{
    const uint32_t low = readU8(reader);
    return low | static_cast<uint32_t>(readU8(reader)) << 8;
}

uint32_t readU32(ChunkReader& reader)
{
    const uint32_t low = readU16(reader);
    return low | readU16(reader) << 16;
}

float readF32(ChunkReader& reader)
{
    const uint32_t bits = readU32(reader);
    if (reader.ended) return 0.0f;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Vec3 readVec3(ChunkReader& reader)
{
    Vec3 v;
    v.x = readF32(reader);
    v.y = readF32(reader);
    v.z = readF32(reader);
    return v;
}

uint64_t chunkStart(const ChunkReader& reader)
{
    const long at = std::ftell(reader.file);
    return at >= 2 ? static_cast<uint64_t>(at - 2) : 0;
}

void seekTo(ChunkReader& reader, uint64_t offset)
{
    // Past the end the next read finds the end, whatever kind of stream this is.
    const uint64_t at = std::min(offset, reader.fileSize);
    std::fseek(reader.file, static_cast<long>(at), SEEK_SET);
}

ChunkSpan openChunk(ChunkReader& reader)
{
    const uint64_t start = chunkStart(reader);
    // A length shorter than the header cannot be a chunk; taking it as 6 means every chunk moves
    // the reader on, where a zero length would send the walk back to read the same id again.
    const uint32_t length = std::max<uint32_t>(readU32(reader), 6);
    return {start, length};
}

int readName(ChunkReader& reader)
{
    return readNameUpTo(reader, kUnboundedName);
}

int readObjectName(ChunkReader& reader)
{
    return readNameUpTo(reader, kObjectNameBytes);
}

uint32_t skipChunk(ChunkReader& reader)
{
    const ChunkSpan chunk = openChunk(reader);
    seekTo(reader, chunk.start + chunk.length);
    return chunk.length;
}

uint32_t readByteChunk(ChunkReader& reader, uint8_t& out)
{
    const ChunkSpan chunk = openChunk(reader);
    out = readU8(reader);
    seekTo(reader, chunk.start + chunk.length);
    return chunk.length;
}
