#pragma once

#include "platform/time_source.h"

struct App;
struct OffscreenTarget;
struct WindowSystem;

// The running show, built the same way by the demo, capture, show_bench and the GL tests:
// initApp, the scene read from the working directory (loadScene), then startShowView for every
// fresh GL context.

// The App's start values: window active, fullscreen, lights and panel off, the show at its
// start, and the demo clock reading `time` (the system counter unless a tool or test gives one).
void initApp(App& app, TimeSource time = {});
// Puts a fresh, current GL context into the show's state for a client area of width × height:
// the view, the GL set-up, and last the demo clock at 0, so that loading the images is no demo
// time. False, the clock untouched, when a scene texture could not be loaded.
bool startShowView(App& app, int width, int height);
// With the context current: the show drawn at width × height off screen and scaled into its
// picture. False after one line on stderr saying why the GL cannot; the show is then drawn directly.
bool startRenderSize(OffscreenTarget& target, const WindowSystem& windows, int width, int height);
