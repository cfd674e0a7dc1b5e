#include "platform/message_box.h"

#include "platform/message_box_xlib.h"
#include "platform/report.h"

namespace {

bool showOnConsole(void*, const char* text, const char* caption, MessageBoxKind)
{
    report(caption, text ? text : "");
    return true;  // OK, or Yes: the dialog's default
}

// Global: the process's one place for message boxes, reached by the deepest callers (texture
// loading, the window) without a record; chosen once at start.
MessageBoxBackend currentBackend{showXlibMessageBox, nullptr};

}  // namespace

MessageBoxBackend xlibMessageBoxes() { return {showXlibMessageBox, nullptr}; }

MessageBoxBackend consoleMessageBoxes() { return {showOnConsole, nullptr}; }

void useMessageBoxes(MessageBoxBackend backend)
{
    currentBackend = backend.show ? backend : xlibMessageBoxes();
}

bool showMessageBox(const char* text, const char* caption, MessageBoxKind kind)
{
    return currentBackend.show(currentBackend.context, text, caption, kind);
}
