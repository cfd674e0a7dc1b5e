#pragma once

#include <cstddef>
#include <cstdint>

#include "writer/band_layout.h"
#include "writer/bit_writer.h"
#include "writer/granule_writer.h"
#include "writer/layer3_plan.h"

// Coded granules of a frame, [granule][channel].
using CodedFrame = CodedGranule[2][2];

// Writes the Layer III side information of a frame.
void writeSideInfo(const FramePlan& f, const BandLayout& layout, const CodedFrame& coded, int mainDataBegin,
                   BitWriter& out);

// The frame's CRC-16 (polynomial 0x8005, start 0xFFFF) over the header's last two bytes and the
// side information, the bits the standard protects in Layer III.
uint16_t frameCrc(const uint8_t header[4], const std::vector<uint8_t>& sideInfo);
