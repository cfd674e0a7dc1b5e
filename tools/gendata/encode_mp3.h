#pragma once

#include <string>

// The music is encoded by the shine encoder's command-line program.
constexpr const char* kEncoderProgram = "shineenc";
constexpr int kMusicBitrate = 128;

// The full path of an executable `name` found on PATH, or "" when there is none.
std::string findOnPath(const char* name);
// Encodes a 16-bit stereo WAV file as MPEG-1 Layer III; on failure `error` says why.
bool encodeMp3(const std::string& encoder, const std::string& wavPath, const std::string& mp3Path, std::string& error);
