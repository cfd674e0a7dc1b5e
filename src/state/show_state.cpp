#include "state/show_state.h"

void startShow(ShowState& show)
{
    show = ShowState{};
    show.cameraShake = 1;
    show.endFogDensity = 0.001f;
    show.endFogShown = show.endFogDensity;
    show.scrollSteps = 1;
    show.panelSteps = 1;
    show.random.state = 1;
}
