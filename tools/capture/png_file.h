#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB rows, top row first, as a PNG file; false when the file fails. The same
// pixels always give the same bytes: no time stamp or other varying chunk is written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
