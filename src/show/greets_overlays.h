#pragma once

#include <cstdint>

// Overlay positions that every window resize resets.
extern int32_t greetsScrollY;
extern int32_t panelCentreX;
