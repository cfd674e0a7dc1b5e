#pragma once

#include "platform/window_messages.h"

struct App;

// The window procedure: key states, activity and size from the window's messages.
intptr_t handleWindowMessage(App& app, WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// The same on the one App, as the window class calls it.
intptr_t onWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
