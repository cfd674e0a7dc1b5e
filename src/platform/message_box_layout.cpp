#include "platform/message_box_layout.h"

#include <algorithm>

namespace {

constexpr int kMargin = 16;
constexpr int kLineGap = 3;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 12;
constexpr int kMinTextWidth = 200;

struct ButtonPlace {
    const char* label;
    bool answer;
    char accessKey;
};
const ButtonPlace kOkButtons[] = {{"OK", true, 0}};
const ButtonPlace kYesNoButtons[] = {{"Yes", true, 'y'}, {"No", false, 'n'}};

}  // namespace

std::vector<std::string> splitLines(const char* text)
{
    std::vector<std::string> lines(1);
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\n')
            lines.emplace_back();
        else
            lines.back() += *p;
    }
    // A closing line break adds no empty line.
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    return lines;
}

DialogLayout layoutMessageBox(const char* text, MessageBoxKind kind, int ascent, int descent, TextWidthFn width,
                              void* context)
{
    DialogLayout layout{};
    layout.lines = splitLines(text);
    layout.lineStep = ascent + descent + kLineGap;
    layout.textX = kMargin;
    layout.firstBaseline = kMargin + ascent;

    int textWidth = kMinTextWidth;
    for (const std::string& line : layout.lines) textWidth = std::max(textWidth, width(line, context));

    bool yesNo = kind == kMessageYesNo;
    const ButtonPlace* choices = yesNo ? kYesNoButtons : kOkButtons;
    int count = yesNo ? 2 : 1;
    int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;

    layout.width = std::max(textWidth, rowWidth) + 2 * kMargin;
    int textHeight = static_cast<int>(layout.lines.size()) * layout.lineStep;
    int buttonY = kMargin + textHeight + kMargin;
    layout.height = buttonY + kButtonHeight + kMargin;

    int x = (layout.width - rowWidth) / 2;
    for (int i = 0; i < count; ++i, x += kButtonWidth + kButtonGap)
        layout.buttons.push_back(
            {choices[i].label, choices[i].answer, choices[i].accessKey, x, buttonY, kButtonWidth, kButtonHeight});
    return layout;
}

const DialogButton* buttonAt(const DialogLayout& layout, int x, int y)
{
    for (const DialogButton& b : layout.buttons)
        if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height) return &b;
    return nullptr;
}
