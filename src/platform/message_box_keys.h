#pragma once

#include "platform/message_box_layout.h"

// What keys and clicks do in a message box, kept apart from Xlib so it can be checked: Y and N
// answer a question, the arrow keys and Tab move the choice, Return and Space take it, Escape
// takes the last button (No, or OK).

// The button the keyboard would take, and the answer once one was taken.
struct DialogChoice {
    int selected;  // index into the layout's buttons
    bool answered;
    bool answer;
};

// A key press, as the X keysym of its unshifted symbol; shift tells Shift+Tab from Tab.
DialogChoice pressDialogKey(const DialogLayout& layout, DialogChoice choice, unsigned long keysym, bool shift);

// A mouse button going down or up at a point in the dialog, the button numbered as X numbers them.
struct DialogPointer {
    bool press;  // false for a release
    unsigned int button;
    int x, y;
};

// Only the left button counts: its press selects the button under it and keeps it in pressed (nullptr
// off the buttons); its release on that same button takes it.
DialogChoice clickDialog(const DialogLayout& layout, DialogChoice choice, const DialogButton*& pressed,
                         DialogPointer pointer);
