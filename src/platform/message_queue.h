#pragma once

#include "platform/window_messages.h"

// The main thread's message queue: the window layer posts into it, the main loop takes
// one message at a time without waiting and hands it to the window procedure.

void postMessage(const WindowMessage& message);
// Queues WM_QUIT with the exit code as its wParam.
void postQuitMessage(int exitCode);
// Takes the oldest message; when none is queued, lets the window system deliver what it
// has first. Never waits. False when the queue is still empty, and once between a key's
// key-down and its key-up, so that a frame's key step sees even the shortest tap.
bool peekMessage(WindowMessage& message);
// A window is gone: its queued messages are dropped, and every key the procedure was told
// went down in it gets its key-up, as the new window will never report that key's release.
void forgetWindow(WindowHandle window);

// The procedure that dispatchMessage calls (the window class's procedure).
void setWindowProc(WindowProc proc);

struct DispatchResult {
    intptr_t result;
    bool passedToDefault;  // the procedure left the message to defWindowProc
};
DispatchResult dispatchMessage(const WindowMessage& message);
// What happens to a message the window procedure does not handle itself.
intptr_t defWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
