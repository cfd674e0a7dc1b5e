#pragma once

#include <functional>
#include <string>

#include "writer/bit_writer.h"
#include "writer/layer3_plan.h"

// Where a granule's scale factors stand in the frame, which decides how they are coded.
struct ScalefactorPlace {
    bool mpeg2 = false;
    int granule = 0;
    int scfsi = 0;                          // MPEG-1 granule 1: the channel's reuse bits
    const GranulePlan* granule0 = nullptr;  // MPEG-1 granule 1: granule 0 of the same channel
    bool intensityChannel = false;          // MPEG-2: channel 1 of an intensity-stereo frame
};

// The granule's scalefac_compress: its own choice, checked, or else the cheapest that holds its
// scale factors; false with a reason when none does.
bool chooseScalefacCompress(const GranulePlan& g, const ScalefactorPlace& place, int& compress,
                            std::string& error);

// Writes part 2 of the granule's main data with a scalefac_compress chosen above.
void writeScalefactors(const GranulePlan& g, const ScalefactorPlace& place, int compress, BitWriter& out);

// Sets every scale factor the granule codes under `compress` to pick(largest value its length holds),
// so that tests can fill granules with scale factors that fit a chosen scalefac_compress.
void fitScalefactors(GranulePlan& g, const ScalefactorPlace& place, int compress, const std::function<int(int)>& pick);
