#include "platform/message_box.h"

#include "platform/report.h"

namespace {

bool showOnConsole(void*, const char* text, const char* caption, MessageBoxKind)
{
    report(caption, text ? text : "");
    return true;  // OK, or Yes: the dialog's default
}

// Global: the process's one place for message boxes, reached by the deepest callers (texture
// loading, the window) without a record; chosen once at start. None chosen: the platform's own.
MessageBoxBackend currentBackend{};

}  // namespace

MessageBoxBackend consoleMessageBoxes() { return {showOnConsole, nullptr}; }

void useMessageBoxes(MessageBoxBackend backend)
{
    currentBackend = backend;
}

bool showMessageBox(const char* text, const char* caption, MessageBoxKind kind)
{
    MessageBoxBackend backend = currentBackend.show ? currentBackend : platformMessageBoxes();
    return backend.show(backend.context, text, caption, kind);
}
