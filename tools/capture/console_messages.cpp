#include "platform/message_box.h"

#include <cstdio>

// A tool runs unattended: its messages go to stderr only, and the answer is the dialog's default.
bool showMessageBox(const char* text, const char* caption, MessageBoxKind)
{
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    return true;
}
