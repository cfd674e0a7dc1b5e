#include "audio/audio_out.h"
#include "audio/output_queue.h"

void startOutput(PcmStaging& staging, AudioParams& params)
{
    if (staging.outputStarted) return;
    staging.outputStarted = true;
    openDevice(params);
}

void queueStaged(PcmStaging& staging)
{
    if (staging.fill == 0) return;
    playBlock(staging.bytes, staging.fill);
    staging.fill = 0;
}

void resetOutput(PcmStaging& staging)
{
    staging.fill = 0;
    staging.outputStarted = false;
    liftAbort();
}
