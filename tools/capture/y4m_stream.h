#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "session/frame_schedule.h"

// One YUV4MPEG2 stream, the raw video that encoders read from a file or a pipe: 4:2:0 planes,
// BT.601 studio range, chroma sited between the pixels (C420jpeg).
struct Y4mStream {
    FILE* file = nullptr;
    bool ownsFile = false;  // false for standard output
    int width = 0;
    int height = 0;
    bool failed = false;
};

// Opens `path` ("-": standard output) and writes the stream header; false when it cannot.
bool openY4m(Y4mStream& stream, const std::string& path, int width, int height, FrameRate rate);
// Appends one frame of RGB rows, top row first; false once anything failed.
bool writeY4mFrame(Y4mStream& stream, const std::vector<uint8_t>& rgb);
// Flushes and closes; false when anything failed since the open.
bool closeY4m(Y4mStream& stream);

// The frame's planes as written: Y (width × height), then Cb and Cr (each half the width and
// half the height, rounded up), from RGB rows top row first.
std::vector<uint8_t> yuv420FromRgb(int width, int height, const std::vector<uint8_t>& rgb);
