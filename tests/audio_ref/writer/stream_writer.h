#pragma once

#include "writer/layer3_plan.h"

// Writes a Layer III stream: codes every granule, lays the main data into the frames' main-data
// slots (reaching back through the bit reservoir as each frame's `reach` asks, or packed), fills
// the gaps with ancillary bytes, and frames it all with headers, CRCs and side information.
WrittenStream writeStream(const StreamPlan& plan);
