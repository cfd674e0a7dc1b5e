#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "scene/chunk_ids.h"

// Builds .3DS byte streams: chunks nest with begin/end, and end() patches the length.
// Used by the data generator and by the tests, so every file they write is spelled out.
struct ChunkWriter {
    std::vector<uint8_t> bytes;
    std::vector<size_t> open;  // offsets of chunks whose length is still to be written

    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v)
    {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v)
    {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void f32(float v)
    {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        u32(bits);
    }
    void str(const std::string& s)  // zero-terminated
    {
        bytes.insert(bytes.end(), s.begin(), s.end());
        u8(0);
    }
    void raw(const std::vector<uint8_t>& b) { bytes.insert(bytes.end(), b.begin(), b.end()); }
    void vec3(const std::array<float, 3>& v)
    {
        for (float f : v) f32(f);
    }

    void begin(uint16_t id)
    {
        open.push_back(bytes.size());
        u16(id);
        u32(0);
    }
    void end()
    {
        size_t at = open.back();
        open.pop_back();
        patch32(at + 2, static_cast<uint32_t>(bytes.size() - at));
    }
    // The frame of a scene file: main chunk, version, editor chunk and mesh version, whose
    // low byte the loader finds at offset 28. Close it with end() twice.
    void beginScene()
    {
        begin(chunk::kMain);
        begin(chunk::kVersion);
        u32(3);
        end();
        begin(chunk::kEditor);
        begin(chunk::kMeshVersion);
        u32(3);
        end();
    }
    void endScene()
    {
        end();  // editor
        end();  // main
    }
    // A chunk that holds one zero-terminated text: a name or a file name.
    void text(uint16_t id, const std::string& s)
    {
        begin(id);
        str(s);
        end();
    }
    // A material with nothing but its name and its texture map's file name.
    void material(const std::string& name, const std::string& mapName)
    {
        begin(chunk::kMaterial);
        text(chunk::kMaterialName, name);
        begin(chunk::kTextureMap);
        text(chunk::kMapFileName, mapName);
        end();
        end();
    }
    // A named object holding one camera.
    void cameraObject(const std::string& name, const std::array<float, 3>& eye, const std::array<float, 3>& target,
                      float bank, float lens)
    {
        begin(chunk::kObject);
        str(name);
        begin(chunk::kCamera);
        vec3(eye);
        vec3(target);
        f32(bank);
        f32(lens);
        end();
        end();
    }
    // A complete chunk with an explicit length, for hostile and odd files.
    void header(uint16_t id, uint32_t length)
    {
        u16(id);
        u32(length);
    }
    void patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    size_t size() const { return bytes.size(); }
};
