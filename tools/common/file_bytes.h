#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

// Writes the bytes as the whole file; false when it cannot be opened or written whole.
inline bool writeFileBytes(const char* path, const std::vector<uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
