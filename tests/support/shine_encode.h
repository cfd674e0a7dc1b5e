#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/wav_writer.h"

// Encodes 16-bit PCM with shineenc (bitrate in kbit/s, extra options such as "-j" or "-d") and
// returns the MP3 bytes; empty when shineenc fails. Works in a temporary folder of its own.
inline std::vector<uint8_t> shineEncode(const std::vector<int16_t>& samples, int channels, int rate, int kbps,
                                        const std::string& options = "")
{
    char dir[] = "/tmp/z3d-shine-XXXXXX";
    if (!mkdtemp(dir)) return {};
    std::string wav = std::string(dir) + "/in.wav", mp3 = std::string(dir) + "/out.mp3";
    std::vector<uint8_t> bytes;
    if (writeWav(wav.c_str(), samples, channels, rate)) {
        std::string cmd = "shineenc -q -b " + std::to_string(kbps) + " " + options + " " + wav + " " + mp3 + " >/dev/null 2>&1";
        if (std::system(cmd.c_str()) == 0) {
            std::ifstream in(mp3, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    std::remove(wav.c_str());
    std::remove(mp3.c_str());
    rmdir(dir);
    return bytes;
}
