#pragma once

#include "platform/gl_window.h"
#include "render/offscreen_target.h"

struct App;

// Where fullscreen goes and how frames are presented, as the command line chose.
struct DisplayChoices {
    int monitor = 0;  // place in the platform's monitor list; 0 the primary
    bool vsync = true;  // buffer swaps wait for the display's refresh
    // The show drawn at this size off screen and scaled into its picture; 0: drawn directly.
    int renderWidth = 0, renderHeight = 0;
};

// The shell's side of the window for the whole run: the window layer with its message queue,
// and whether the user declined the last window.
struct Shell {
    WindowSystem windows;
    bool declined;
    DisplayChoices display;
    OffscreenTarget offscreen;  // open in the live window's context when a render size is asked
};

// A window the demo asks for: title and client size with the colour depth.
struct WindowPlan {
    const char* title;
    int width, height, colourBits;
};

// Makes the window with its GL context (fullscreen in exactly the requested mode, or, if the
// user agrees, a framed window), sets the view and runs the GL set-up. False after a failure
// that has been shown to the user.
bool openWindow(App& app, Shell& shell, const WindowPlan& plan, bool fullscreen);
// Gives back the window, its context and the display mode; safe to call with nothing open.
void closeWindow(Shell& shell);
// Presents the frame drawn in the back buffer.
void swapBuffers(Shell& shell);
