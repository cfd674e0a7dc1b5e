#include "platform/message_box_keys.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace {

enum class KeyRole { kNone, kNext, kPrevious, kTake, kCancel };

KeyRole roleOf(unsigned long keysym, bool shift)
{
    switch (keysym) {
    case XK_Right:
    case XK_Down:
    case XK_KP_Right:
    case XK_KP_Down:
        return KeyRole::kNext;
    case XK_Left:
    case XK_Up:
    case XK_KP_Left:
    case XK_KP_Up:
    case XK_ISO_Left_Tab:
        return KeyRole::kPrevious;
    case XK_Tab:
        return shift ? KeyRole::kPrevious : KeyRole::kNext;
    case XK_Return:
    case XK_KP_Enter:
    case XK_space:
    case XK_KP_Space:
        return KeyRole::kTake;
    case XK_Escape:
        return KeyRole::kCancel;
    default:
        return KeyRole::kNone;
    }
}

// The letter a keysym stands for, in lower case; 0 for anything else.
char letterOf(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<char>(keysym);
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<char>(keysym - XK_A + XK_a);
    return 0;
}

DialogChoice take(DialogChoice choice, const DialogButton& button)
{
    choice.answered = true;
    choice.answer = button.answer;
    return choice;
}

}  // namespace

DialogChoice pressDialogKey(const DialogLayout& layout, DialogChoice choice, unsigned long keysym, bool shift)
{
    const int count = static_cast<int>(layout.buttons.size());
    if (count == 0) return choice;
    if (char letter = letterOf(keysym)) {
        for (const DialogButton& b : layout.buttons)
            if (b.accessKey == letter) return take(choice, b);
        return choice;
    }
    switch (roleOf(keysym, shift)) {
    case KeyRole::kNext:
        choice.selected = (choice.selected + 1) % count;
        break;
    case KeyRole::kPrevious:
        choice.selected = (choice.selected + count - 1) % count;
        break;
    case KeyRole::kTake:
        return take(choice, layout.buttons[choice.selected]);
    case KeyRole::kCancel:
        return take(choice, layout.buttons.back());
    case KeyRole::kNone:
        break;
    }
    return choice;
}

DialogChoice clickDialog(const DialogLayout& layout, DialogChoice choice, const DialogButton*& pressed,
                         DialogPointer pointer)
{
    if (pointer.button != Button1) return choice;
    const DialogButton* b = buttonAt(layout, pointer.x, pointer.y);
    if (pointer.press) {
        pressed = b;
        if (b) choice.selected = static_cast<int>(b - layout.buttons.data());
        return choice;
    }
    return b && b == pressed ? take(choice, *b) : choice;
}
