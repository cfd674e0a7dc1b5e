#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB rows, top row first, as a binary PPM (P6); false when the file fails.
bool writePpm(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
