#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "audio/wave_device.h"

// A wave device that writes what it is given to a file: 16-bit stereo PCM, raw or with a WAV header
// that close completes (on a pipe it says "to the end of the stream"). The path kStandardStream is
// standard output.
constexpr const char* kStandardStream = "-";

struct PcmFile {
    std::string path;
    bool raw = false;
    FILE* file = nullptr;
    bool seekable = false;  // the header can be completed at close
    long headerAt = 0;      // where the header starts (standard output need not be at 0)
    int rate = 0;
    uint64_t dataBytes = 0;
    // After the device has closed: whether it was opened at all, and whether something did not reach the file.
    bool opened = false;
    bool failed = false;
};

// The device that writes into `file`, which must outlive its use.
WaveDevice pcmFileDevice(PcmFile& file);

// The "unknown size" a WAV header states where it cannot be completed: the RIFF size at its
// largest, which readers take as "to the end of the stream".
constexpr uint32_t kUnknownDataBytes = 0xFFFFFFFF - 36;
// The data size a header can state for `dataBytes` of PCM: past what its 32-bit sizes hold, the unknown size.
uint32_t wavDataField(uint64_t dataBytes);
