#pragma once

#include <string>

#include "audio/audio_out.h"

// A wave device that writes what it is given to a file: 16-bit stereo PCM, raw or with a WAV header
// that close completes (on a pipe it says "to the end of the stream"). One file at a time; the
// path kStandardStream is standard output.
constexpr const char* kStandardStream = "-";
void usePcmFile(const std::string& path, bool raw);
extern const WaveDevice kPcmFileDevice;

// After the device has closed: whether everything reached the file, and whether it was opened at all.
bool pcmFileFailed();
bool pcmFileOpened();
