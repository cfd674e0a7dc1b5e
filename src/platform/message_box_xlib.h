#pragma once

#include "platform/message_box_kind.h"

// A modal dialog on the X display with the caption as its title; the text is also reported on
// stderr. True for OK or Yes; without a display it answers its default. The context is unused.
bool showXlibMessageBox(void* context, const char* text, const char* caption, MessageBoxKind kind);
