#pragma once

struct App;

// A thin cyan quad from every spotlight to its target (other lights have no target and get
// no marker); leaves the colour white.
void drawLightMarkers(App& app);
