#pragma once

#include "audio/wave_device.h"

// ALSA's "default" PCM, 16-bit signed little-endian stereo at the stream's rate. A device that is
// missing, refuses the format or fails for good silences the music with one message on stderr.
const WaveDevice* alsaWaveDevice();
