#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "file_bytes.h"

// The canonical 44-byte RIFF/WAVE header of 16-bit PCM with `dataBytes` of samples behind it.
inline std::vector<uint8_t> wavHeader(int channels, int rate, uint32_t dataBytes)
{
    uint8_t h[44];
    auto u32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) h[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    auto u16 = [&](int at, uint32_t v) {
        h[at] = static_cast<uint8_t>(v);
        h[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    std::memcpy(h, "RIFF", 4);
    u32(4, 36 + dataBytes);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    u32(16, 16);
    u16(20, 1);
    u16(22, static_cast<uint32_t>(channels));
    u32(24, static_cast<uint32_t>(rate));
    u32(28, static_cast<uint32_t>(rate * channels * 2));
    u16(32, static_cast<uint32_t>(channels * 2));
    u16(34, 16);
    std::memcpy(h + 36, "data", 4);
    u32(40, dataBytes);
    return std::vector<uint8_t>(h, h + sizeof h);
}

// Writes 16-bit PCM as a canonical 44-byte-header RIFF/WAVE file; false when the file fails.
inline bool writeWav(const char* path, const std::vector<int16_t>& samples, int channels, int rate)
{
    std::vector<uint8_t> bytes = wavHeader(channels, rate, static_cast<uint32_t>(samples.size() * 2));
    for (int16_t s : samples) {
        bytes.push_back(static_cast<uint8_t>(s));
        bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(s) >> 8));
    }
    return writeFileBytes(path, bytes);
}
