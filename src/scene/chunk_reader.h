#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <type_traits>

#include "scene/scene.h"

// Reads the chunk tree of one open .3DS file: little-endian numbers, floats, names, and the
// container walk that every container chunk uses.
struct ChunkReader {
    FILE* file = nullptr;
    uint64_t fileSize = 0;
    char nameBuffer[kNameSize] = {};  // the last name read; kept between loads
    // Set once a read runs past the end of the file (or past the read budget); from then on
    // every byte reads as 0xFF and every walk stops, so the load winds down.
    bool ended = false;
    uint64_t readBudget = 0;  // bytes that may still be read in this load
};

// Where a chunk begins and how long it says it is (header included).
struct ChunkSpan {
    uint64_t start;
    uint32_t length;
};

// Makes the reader read `file` from its start; the budget bounds the work a hostile file can cause.
void startReading(ChunkReader& reader, FILE* file);

uint8_t readU8(ChunkReader& reader);
uint32_t readU16(ChunkReader& reader);
uint32_t readU32(ChunkReader& reader);
// 0.0f when the float does not lie wholly in the file.
float readF32(ChunkReader& reader);
Vec3 readVec3(ChunkReader& reader);

uint64_t chunkStart(const ChunkReader& reader);
void seekTo(ChunkReader& reader, uint64_t offset);
// Reads the length after an id that was just read.
ChunkSpan openChunk(ChunkReader& reader);

// 0, or -1 for an empty name ("Default name" is left in nameBuffer).
int readName(ChunkReader& reader);
int readObjectName(ChunkReader& reader);

uint32_t skipChunk(ChunkReader& reader);
uint32_t readByteChunk(ChunkReader& reader, uint8_t& out);

template <typename Context>
struct SubChunkHandler {
    uint16_t id;
    uint32_t (*handle)(Context&);  // called after the id; returns the chunk's length
};

template <typename Context>
const SubChunkHandler<Context>* findHandler(std::span<const SubChunkHandler<Context>> handlers,
                                            uint32_t id)
{
    for (const SubChunkHandler<Context>& h : handlers)
        if (h.id == id) return &h;
    return nullptr;
}

// Walks a container whose id was just read. Ids the container does not handle are stepped over
// two bytes at a time, so handled chunks nested inside unhandled ones are still found. The
// counter skips the fixed payload and runs 2 ahead per handled chunk; the final seek puts the
// reader at the container's end either way.
template <typename Context>
uint32_t walkSubChunks(ChunkReader& reader, Context& context,
                       std::span<const SubChunkHandler<std::type_identity_t<Context>>> handlers,
                       void (*readPayload)(Context&) = nullptr)
{
    const ChunkSpan chunk = openChunk(reader);
    if (readPayload) readPayload(context);
    uint64_t counter = 6;  // 64 bits: huge hostile lengths must not wrap it
    do {
        const uint32_t id = readU16(reader);
        if (reader.ended) break;  // past the end of the file: the load ends here
        if (const SubChunkHandler<Context>* h = findHandler(handlers, id))
            counter += h->handle(context);
        counter += 2;
    } while (counter < chunk.length && !reader.ended);
    seekTo(reader, chunk.start + chunk.length);
    return chunk.length;
}
