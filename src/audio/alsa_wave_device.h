#pragma once

#include "audio/wave_device.h"

// The platform's ALSA "default" PCM as the output's device.
const WaveDevice* alsaWaveDevice();
