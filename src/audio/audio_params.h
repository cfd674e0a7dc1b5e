#pragma once

#include <cstdint>

// The format asked of the device.
struct AudioParams {
    int32_t rate = -1;  // -1: not chosen
    int32_t channels = -1;
    int32_t format = -1;
};
