#pragma once

// What the demo does to the desktop as a whole, outside its window. Without a display
// these do nothing.

// Moves the mouse pointer to a position on the screen (SetCursorPos).
void setCursorPos(int x, int y);
// Restarts the screen saver's and the monitor power-off's idle timers.
void holdOffScreenSaver();
