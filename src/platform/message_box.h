#pragma once

enum MessageBoxKind { kMessageOk, kMessageYesNo };

// A modal dialog with the caption as its title; the text is also printed to stderr as
// "CAPTION: text". Returns true for OK or Yes. Without a display it answers its default.
bool showMessageBox(const char* text, const char* caption, MessageBoxKind kind);
