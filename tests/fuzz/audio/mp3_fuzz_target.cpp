#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "support/played_passes.h"

// One input as a whole music file, played twice through the decoder's entry as the player loops
// it. Every pass reads the same frames, so the passes are equally long; a pass trimmed by the
// tag starts from a clean decoder, so those are the same samples. Anything else is a fault.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PlayedPasses played = playPasses(std::vector<uint8_t>(data, data + size), 2);
    if (played.stopped) return 0;
    const std::vector<int16_t>& first = played.pcm[0];
    const std::vector<int16_t>& second = played.pcm[1];
    if (second.size() != first.size() || (played.trimmed && second != first)) std::abort();
    return 0;
}
