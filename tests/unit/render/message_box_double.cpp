#include "message_box_double.h"

std::vector<ShownMessage>& shownMessages()
{
    static std::vector<ShownMessage> messages;
    return messages;
}

bool showMessageBox(const char* text, const char* caption, MessageBoxKind kind)
{
    shownMessages().push_back({text, caption, kind});
    return true;
}
