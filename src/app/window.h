#pragma once

struct App;

// A window the demo asks for: title and client size with the colour depth.
struct WindowPlan {
    const char* title;
    int width, height, colourBits;
};

// Makes the window with its GL context (fullscreen in exactly the requested mode, or, if the
// user agrees, a framed window), sets the view and runs the GL set-up. False after a failure
// that has been shown to the user.
bool openWindow(App& app, const char* title, int width, int height, int colourBits, bool fullscreen);
// Gives back the window, its context and the display mode; safe to call with nothing open.
void closeWindow();
// The last openWindow failed because the user chose to close rather than run in a window.
bool windowDeclined();
// Presents the frame drawn in the back buffer.
void swapBuffers();
