#pragma once

#include "platform/window_messages.h"

struct App;
struct MessageQueue;

// The window procedure: key states, activity and size from the window's messages; a close
// request posts the quit message into the queue. Other messages change nothing.
void onWindowMessage(App& app, MessageQueue& queue, const WindowMessage& message);
