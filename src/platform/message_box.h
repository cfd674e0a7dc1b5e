#pragma once

#include "platform/message_box_kind.h"

// A modal dialog with the caption as its title; the text is also reported on stderr with the
// caption as what it is about. Returns true for OK or Yes. Without a display it answers its default.
bool showMessageBox(const char* text, const char* caption, MessageBoxKind kind);
