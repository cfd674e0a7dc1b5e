#pragma once

#include <cstdint>
#include <span>

#include "render/bmp_layout.h"

// Expands RLE8 or RLE4 data into bottom-up RGB rows at out, which must hold zeros: pixels the
// runs skip stay black, pixels past a row's end are dropped. False for data that end early, a
// delta that leaves the row or the image, or a run below the last row.
bool expandRunLength(std::span<const uint8_t> file, const DibLayout& layout, uint8_t* out);
