#pragma once

#include <cstdint>
#include <span>

#include "render/bmp_layout.h"

// Expands RLE8 or RLE4 data into bottom-up RGB rows at out, which must hold zeros: pixels the
// runs skip stay black. False for data that end early or runs that leave the row or the image.
bool expandRunLength(std::span<const uint8_t> file, const DibLayout& layout, uint8_t* out);
