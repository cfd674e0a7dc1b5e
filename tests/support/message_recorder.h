#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageBoxKind kind;
};

// While it lives, the message boxes of the code under test are recorded here in order, each
// answered OK/Yes; then the program's own dialogs come back.
struct MessageRecorder {
    std::vector<ShownMessage> shown;

    MessageRecorder() { useMessageBoxes({record, this}); }
    ~MessageRecorder() { useMessageBoxes(xlibMessageBoxes()); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    static bool record(void* context, const char* text, const char* caption, MessageBoxKind kind)
    {
        static_cast<MessageRecorder*>(context)->shown.push_back({text, caption, kind});
        return true;
    }
};
