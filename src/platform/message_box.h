#pragma once

#include "platform/message_box_kind.h"

// Where the program's message boxes go, chosen at run time: a dialog on the display, stderr
// alone for what runs unattended, or a test's recorder.
struct MessageBoxBackend {
    bool (*show)(void* context, const char* text, const char* caption, MessageBoxKind kind);
    void* context;
};

// The program's own: a modal dialog, its text also reported on stderr.
MessageBoxBackend xlibMessageBoxes();
// The platform's own, used until another is chosen: the Xlib dialogs on the desktop, text on the
// page in the browser.
MessageBoxBackend platformMessageBoxes();
// The text reported on stderr with the caption as what it is about; the answer is the default.
MessageBoxBackend consoleMessageBoxes();
// From now on every message box goes to `backend`; a backend without `show`: the platform's own.
void useMessageBoxes(MessageBoxBackend backend);

// Shows the message through the chosen backend. Returns true for OK or Yes.
bool showMessageBox(const char* text, const char* caption, MessageBoxKind kind);
