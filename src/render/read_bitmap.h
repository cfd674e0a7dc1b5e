#pragma once

#include <optional>

#include "render/image.h"

// Reads a BMP file into an Image; when it cannot, shows why in an "Error" message box.
std::optional<Image> readBitmap(const char* fileName);
