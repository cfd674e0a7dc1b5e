#pragma once

#include <string>
#include <vector>

#include "platform/message_box_kind.h"

// Where a message box puts its text and buttons; kept apart from Xlib so it can be checked.

struct DialogButton {
    const char* label;
    bool answer;     // what choosing it returns: true for OK and Yes
    char accessKey;  // the lower-case letter that takes it, 0 for none
    int x, y, width, height;
};

struct DialogLayout {
    int width, height;
    std::vector<std::string> lines;
    int textX;
    int firstBaseline;
    int lineStep;
    std::vector<DialogButton> buttons;  // first is the default, last the cancel choice
};

// Measures a line of text in pixels in the dialog's font.
using TextWidthFn = int (*)(const std::string& line, void* context);

std::vector<std::string> splitLines(const char* text);
DialogLayout layoutMessageBox(const char* text, MessageBoxKind kind, int ascent, int descent, TextWidthFn width,
                              void* context);
// The button at a point, or nullptr.
const DialogButton* buttonAt(const DialogLayout& layout, int x, int y);
