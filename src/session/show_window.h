#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gl_window.h"
#include "platform/time_source.h"
#include "render/offscreen_target.h"

struct App;

// The show in a window of its own with a demo clock that the caller sets: for looking at chosen
// moments of the show and for timing its frames. Drawn off-screen unless `onDisplay`.
struct ShowWindow {
    bool onDisplay = false;  // a window on the X display, for whoever wants to watch
    WindowSystem windows{};
    ManualTime time{};
    int width = 0;
    int height = 0;
    OffscreenTarget offscreen{};  // drawn into when open, then scaled into the picture
};

// Reads the scene and the images from `dataDir` (which becomes the working directory, as the
// demo reads its files from there), opens the window (or the picture off-screen) and starts the
// show in it with the demo clock at 0. False, after one line on stderr, when something is missing.
bool openShowWindow(ShowWindow& show, App& app, const std::string& dataDir, int width, int height);
void closeShowWindow(ShowWindow& show);
// The show drawn at width × height off screen, as zephal3d --render-size draws it; false after a
// line on stderr when the GL cannot, and the show is drawn directly.
bool useRenderSize(ShowWindow& show, int width, int height);

// Sets the demo clock to `ms` since the show started, fractions of a millisecond included.
void setShowTime(ShowWindow& show, App& app, double ms);
// Draws the frame of demo time `ms`; the picture stays in the back buffer until `present`.
void drawShowFrame(ShowWindow& show, App& app, double ms);
// Runs the frame of demo time `ms` without touching a pixel: a frame of the show that nobody
// looks at, which still moves what moves once a frame.
void drawUnseenFrame(ShowWindow& show, App& app, double ms);
void present(const ShowWindow& show);

// The back buffer as RGB rows, top row first.
std::vector<uint8_t> readPicture(const ShowWindow& show);
