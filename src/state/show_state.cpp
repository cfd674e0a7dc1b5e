#include "state/show_state.h"

void startShow(ShowState& show)
{
    show = ShowState{};
    show.cameraShake = 1;
    show.endFogDensity = 0.001f;
    show.random.state = 1;
}
