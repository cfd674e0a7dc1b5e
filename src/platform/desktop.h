#pragma once

// The demo's own connection to the display for what it does to the desktop as a whole,
// outside its window; opened at the first use, it outlives every window and works before the
// first. Without a display the calls do nothing.
struct Desktop {
    bool tried;
    void* display;  // the X Display, opaque here so that the window layer names no X type
};

// Moves the mouse pointer to a position on the screen (SetCursorPos).
void setCursorPos(Desktop& desktop, int x, int y);
// Restarts the screen saver's and the monitor power-off's idle timers.
void holdOffScreenSaver(Desktop& desktop);
// Closes the connection; a later call opens it again.
void closeDesktop(Desktop& desktop);
