#include "audio/alsa_wave_device.h"

#include "platform/alsa_pcm.h"

namespace {

// One PCM per process: the device needs no context.
const WaveDevice kAlsaDevice{
    nullptr,
    [](void*, int rate) { return alsaPcmOpen(rate); },
    [](void*, const uint8_t* data, int bytes) { return alsaPcmPlay(data, bytes); },
    [](void*) { alsaPcmClose(); },
    [](void*) { alsaPcmAbort(); },
    false,
    [](void*) { alsaPcmLiftAbort(); },
};

}  // namespace

const WaveDevice* alsaWaveDevice()
{
    return &kAlsaDevice;
}
