#pragma once

#include <cstdint>
#include <span>

#include "render/bmp_layout.h"

// Whether the file holds every byte of the uncompressed pixel rows the layout describes.
bool uncompressedDataFits(std::span<const uint8_t> file, const DibLayout& layout);

// Converts uncompressed pixel rows (1, 4, 8, 16, 24 or 32 bits) into bottom-up RGB rows at out.
// False when the file ends before the last row or a pixel names a colour the table lacks.
bool convertUncompressed(std::span<const uint8_t> file, const DibLayout& layout, uint8_t* out);
