#pragma once

struct App;

// Demo time: milliseconds since the last startClock, as a 32-bit float.
void startClock(App& app);
float elapsedMs(App& app);
