#pragma once

#include <cstdint>
#include <vector>

#include "audio/mp3_player.h"
#include "audio/wave_device.h"

// The music as the page plays it: the whole song decoded at once by our decoder, one pass as
// mp3dec writes it (trimmed to the song when its tag says how), which Web Audio then loops as
// one buffer, so that the seam is as gapless as the pass. No thread: the browser gives none
// without isolation headers, and one pass takes well under a second.
struct PageSong {
    Mp3Player player;
    WaveDevice device{};  // collects the blocks into `pcm`
    std::vector<uint8_t> pcm;  // 16-bit little-endian stereo
    int rate = 0;
    bool opened = false;
};

// Loads the file and readies the decoder; false, with a line on stderr, when it cannot be read.
bool openSong(PageSong& song, const char* fileName);
// Decodes the pass into `pcm`; false when no audio came out of it.
bool decodeSong(PageSong& song);
// Gives the decoded PCM back once the page holds its copy.
void releaseSong(PageSong& song);
