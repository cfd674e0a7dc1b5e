#pragma once

#include <cstdint>

#include "writer/band_layout.h"
#include "writer/layer3_plan.h"

// Sizes and the header word of a frame as the standard fixes them.
int channelCount(const FramePlan& f);
int granuleCount(const BandLayout& layout);
int frameBytes(const FramePlan& f, const BandLayout& layout);  // header included
int sideInfoBytes(const BandLayout& layout, int channels);
int maxMainDataBegin(const BandLayout& layout);                 // 511 or 255
// The header word; false when the bitrate is not one the version offers.
bool headerWord(const FramePlan& f, const BandLayout& layout, uint32_t& word);
// Bytes of the frame that starts with this header word (MPEG-1 or MPEG-2 Layer III); 0 when the
// word is no such header.
int frameBytesOfHeader(uint32_t word);
