#pragma once

#include "platform/time_source.h"

struct App;

// The demo clock set by hand, for drawing chosen moments of the show exactly: the App's clock
// must read `time` (initApp with manualTimeSource).

// Sets the demo clock to `ms` since the show started, fractions of a millisecond included.
void setShowTime(ManualTime& time, App& app, double ms);
// Draws the frame of demo time `ms`; the picture stays in the back buffer until it is presented.
void drawShowFrame(ManualTime& time, App& app, double ms);
// Runs the frame of demo time `ms` without touching a pixel: a frame of the show that nobody
// looks at, which still moves what moves once a frame.
void drawUnseenFrame(ManualTime& time, App& app, double ms);
