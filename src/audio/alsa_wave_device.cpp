#include "audio/alsa_wave_device.h"

#include "platform/alsa_pcm.h"

namespace {

const WaveDevice kAlsaDevice{alsaPcmOpen, alsaPcmPlay, alsaPcmClose, alsaPcmAbort};

}  // namespace

const WaveDevice* alsaWaveDevice()
{
    return &kAlsaDevice;
}
