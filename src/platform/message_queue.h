#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/window_messages.h"

// The main thread's message queue: the window layer posts into it, the main loop takes one
// message at a time without waiting.
struct MessageQueue {
    std::deque<WindowMessage> messages;
    std::vector<uintptr_t> keysDownInRun;  // key-downs taken since the queue last looked empty
    std::vector<WindowMessage> keysHeld;  // keys the procedure was told are down, with their window
};

void postMessage(MessageQueue& queue, const WindowMessage& message);
// Queues WM_QUIT with the exit code as its wParam.
void postQuitMessage(MessageQueue& queue, int exitCode);
// Takes the oldest message. False when the queue is empty, and once between a key's key-down
// and its key-up, so that a frame's key step sees even the shortest tap.
bool takeMessage(MessageQueue& queue, WindowMessage& message);
// A window is gone: its queued messages are dropped, and every key the procedure was told
// went down in it gets its key-up, as the new window will never report that key's release.
void forgetWindow(MessageQueue& queue, WindowHandle window);
