#include "audio/audio_out.h"
#include "audio/output_queue.h"

namespace {

// Twice a block: the decoder may append past kBlockBytes before the slot's flush.
uint8_t stagingBytes[2 * kBlockBytes];
bool outputStarted = false;

}  // namespace

uint8_t* pcmBuffer = stagingBytes;
int32_t pcmFill = 0;

void startOutput(AudioParams& params)
{
    if (outputStarted) return;
    outputStarted = true;
    openDevice(params);
}

void queueStaged()
{
    if (pcmFill == 0) return;
    playBlock(pcmBuffer, pcmFill);
    pcmFill = 0;
}

void resetOutput()
{
    pcmFill = 0;
    outputStarted = false;
    liftAbort();
}
