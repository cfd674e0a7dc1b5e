#pragma once

#include <cstdint>

#include "audio/audio_params.h"

constexpr int kFitRateCount = 10;
constexpr int kFitChannelChoices = 2;
constexpr int kFitEncodingCount = 6;

// What the device accepts: [channel-count index][encoding index][rate index], 1 where it does.
// All zero until probeFormats has filled it, so that nothing fits before the probe.
struct FormatTable {
    uint8_t capability[kFitChannelChoices][kFitEncodingCount][kFitRateCount]{};
};

void probeFormats(FormatTable& formats, const AudioParams& params);
// False when no output format fits the stream's rate; params is then unchanged.
bool fitFormat(const FormatTable& formats, AudioParams& params, int rate);
