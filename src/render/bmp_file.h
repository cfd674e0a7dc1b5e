#pragma once

#include "render/bmp_decode.h"

// Reads a BMP file whole and decodes it; the message for a file that cannot be read names it.
DecodedBitmap readBitmapFile(const char* fileName);
