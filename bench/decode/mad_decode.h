#pragma once

#include <cstdint>
#include <vector>

// libmad, through its public interface only: decodes every frame and converts to 16-bit samples
// as a player would. Returns the number of stereo frames; `checksum` sums the samples.
long madDecode(const std::vector<uint8_t>& mp3, long& checksum);
