#include "audio/layer3_tables.h"

const int32_t kPreemphasis[2][kLongBands] = {
    {},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3, 3, 2, 0},
};
