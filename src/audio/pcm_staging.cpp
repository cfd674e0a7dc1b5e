#include "audio/pcm_staging.h"

#include <algorithm>
#include <cstring>

void startOutput(PcmStaging& staging, OutputQueue& out, const AudioParams& params)
{
    if (staging.outputStarted) return;
    staging.outputStarted = true;
    openDevice(out, params);
}

void queueStaged(PcmStaging& staging, OutputQueue& out)
{
    if (staging.fill == 0) return;
    // A trimmed slot can leave the buffer past a block: the rest starts the next one.
    int32_t bytes = std::min(staging.fill, kBlockBytes);
    playBlock(out, staging.bytes, bytes);
    staging.fill -= bytes;
    std::memmove(staging.bytes, staging.bytes + bytes, staging.fill);
}

void resetOutput(PcmStaging& staging, OutputQueue& out)
{
    staging.fill = 0;
    staging.outputStarted = false;
    liftAbort(out);
}
