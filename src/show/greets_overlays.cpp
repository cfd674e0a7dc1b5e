#include "show/greets_overlays.h"

int32_t greetsScrollY;
int32_t panelCentreX;
