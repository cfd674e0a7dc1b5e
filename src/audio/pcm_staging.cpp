#include "audio/pcm_staging.h"

void startOutput(PcmStaging& staging, OutputQueue& out, const AudioParams& params)
{
    if (staging.outputStarted) return;
    staging.outputStarted = true;
    openDevice(out, params);
}

void queueStaged(PcmStaging& staging, OutputQueue& out)
{
    if (staging.fill == 0) return;
    playBlock(out, staging.bytes, staging.fill);
    staging.fill = 0;
}

void resetOutput(PcmStaging& staging, OutputQueue& out)
{
    staging.fill = 0;
    staging.outputStarted = false;
    liftAbort(out);
}
