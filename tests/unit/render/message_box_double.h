#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"

// The message boxes the code under test showed, in order; the double answers OK/Yes.
struct ShownMessage {
    std::string text;
    std::string caption;
    MessageBoxKind kind;
};

std::vector<ShownMessage>& shownMessages();
