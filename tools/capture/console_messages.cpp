#include "platform/message_box.h"
#include "platform/report.h"

// A tool runs unattended: its messages go to stderr only, and the answer is the dialog's default.
bool showMessageBox(const char* text, const char* caption, MessageBoxKind)
{
    report(caption, text ? text : "");
    return true;
}
