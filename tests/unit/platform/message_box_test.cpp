#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include <X11/X.h>
#include <X11/keysym.h>

#include "platform/message_box.h"
#include "platform/message_box_keys.h"
#include "platform/message_box_layout.h"
#include "platform/report.h"

namespace {

int sixPixelsPerChar(const std::string& line, void*) { return 6 * static_cast<int>(line.size()); }

const char* const kQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

TEST(MessageBoxText, LineBreaksSplitTheText)
{
    EXPECT_EQ(splitLines("one\ntwo").size(), 2u);
    EXPECT_EQ(splitLines("one\ntwo")[1], "two");
    EXPECT_EQ(splitLines("Failed to open DIB file a.bmp.\n").size(), 1u);
    EXPECT_EQ(splitLines("a\n\nb").size(), 3u);
    ASSERT_EQ(splitLines("").size(), 1u);
    EXPECT_EQ(splitLines(nullptr)[0], "");
}

TEST(Report, OneLineOfProgramWhatAndMessage)
{
    EXPECT_EQ(reportLine("zephal3d", "ERROR", "Program Will Now Close."), "zephal3d: ERROR: Program Will Now Close.\n");
    EXPECT_EQ(reportLine("capture", "Error", "Failed to open DIB file x.bmp.\n"),
              "capture: Error: Failed to open DIB file x.bmp.\n");
    EXPECT_EQ(reportLine("zephal3d", "Kiro GL", kQuestion),
              "zephal3d: Kiro GL: The Requested Fullscreen Mode Is Not Supported By Your Video Card. Use Windowed "
              "Mode Instead?\n");
}

TEST(MessageBoxLayout, YesComesFirstAndNoLast)
{
    DialogLayout layout = layoutMessageBox(kQuestion, kMessageYesNo, 10, 3, sixPixelsPerChar, nullptr);
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_STREQ(layout.buttons.front().label, "Yes");
    EXPECT_TRUE(layout.buttons.front().answer);
    EXPECT_STREQ(layout.buttons.back().label, "No");
    EXPECT_FALSE(layout.buttons.back().answer);
    DialogLayout ok = layoutMessageBox("Initialization Failed.", kMessageOk, 10, 3, sixPixelsPerChar, nullptr);
    ASSERT_EQ(ok.buttons.size(), 1u);
    EXPECT_TRUE(ok.buttons[0].answer);
}

TEST(MessageBoxLayout, EverythingFitsInsideWithoutOverlapping)
{
    DialogLayout layout = layoutMessageBox(kQuestion, kMessageYesNo, 10, 3, sixPixelsPerChar, nullptr);
    ASSERT_EQ(layout.lines.size(), 2u);
    int longest = 6 * static_cast<int>(layout.lines[1].size());
    EXPECT_LE(layout.textX + longest, layout.width);
    int textBottom = layout.firstBaseline + (static_cast<int>(layout.lines.size()) - 1) * layout.lineStep + 3;
    const DialogButton& yes = layout.buttons.front();
    const DialogButton& no = layout.buttons.back();
    EXPECT_GT(yes.y, textBottom);
    EXPECT_LE(no.x + no.width, layout.width);
    EXPECT_LE(no.y + no.height, layout.height);
    EXPECT_GE(yes.x, 0);
    EXPECT_LT(yes.x + yes.width, no.x);
}

TEST(MessageBoxLayout, ClicksFindTheirButton)
{
    DialogLayout layout = layoutMessageBox("Sure?", kMessageYesNo, 10, 3, sixPixelsPerChar, nullptr);
    const DialogButton& no = layout.buttons.back();
    EXPECT_EQ(buttonAt(layout, no.x, no.y), &no);
    EXPECT_EQ(buttonAt(layout, no.x + no.width - 1, no.y + no.height - 1), &no);
    EXPECT_EQ(buttonAt(layout, no.x + no.width, no.y), nullptr);
    EXPECT_EQ(buttonAt(layout, 0, 0), nullptr);
}

// The answer after a row of keys, from the first button chosen: 1 Yes or OK, 0 No, -1 none yet.
int answerAfter(MessageBoxKind kind, std::initializer_list<unsigned long> keys, bool shift = false)
{
    DialogLayout layout = layoutMessageBox("Sure?", kind, 10, 3, sixPixelsPerChar, nullptr);
    DialogChoice choice{};
    for (unsigned long key : keys) {
        choice = pressDialogKey(layout, choice, key, shift);
        if (choice.answered) return choice.answer ? 1 : 0;
    }
    return -1;
}

TEST(MessageBoxKeys, QuestionKeys)
{
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_Right, XK_y}), 1);
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_N}), 0);
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_Escape}), 0);
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_Return}), 1);
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_Tab, XK_space}), 0);
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_Down, XK_Up, XK_KP_Enter}), 1);
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_Left, XK_Return}), 0);  // round from the first to the last
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_Tab, XK_Tab, XK_Return}, true), 1);
    EXPECT_EQ(answerAfter(kMessageYesNo, {XK_a, XK_F1, XK_Shift_L}), -1);
}

TEST(MessageBoxKeys, OkBoxKeys)
{
    EXPECT_EQ(answerAfter(kMessageOk, {XK_y, XK_n, XK_Tab}), -1);
    for (unsigned long key : {XK_Return, XK_space, XK_Escape}) EXPECT_EQ(answerAfter(kMessageOk, {key}), 1) << key;
}

// A mouse button going down or up in the middle of a button, or at the dialog's corner for nullptr.
DialogPointer at(const DialogButton* b, bool press, unsigned int button = Button1)
{
    if (!b) return {press, button, 0, 0};
    return {press, button, b->x + b->width / 2, b->y + b->height / 2};
}

TEST(MessageBoxClicks, PressAndReleaseOnOneButtonTakeIt)
{
    DialogLayout layout = layoutMessageBox("Sure?", kMessageYesNo, 10, 3, sixPixelsPerChar, nullptr);
    for (const DialogButton& b : layout.buttons) {
        const DialogButton* pressed = nullptr;
        DialogChoice choice = clickDialog(layout, DialogChoice{}, pressed, at(&b, true));
        EXPECT_EQ(pressed, &b);
        EXPECT_FALSE(choice.answered);
        choice = clickDialog(layout, choice, pressed, at(&b, false));
        EXPECT_TRUE(choice.answered) << b.label;
        EXPECT_EQ(choice.answer, b.answer) << b.label;
    }
}

TEST(MessageBoxClicks, PressSelectsTheButtonUnderIt)
{
    DialogLayout layout = layoutMessageBox("Sure?", kMessageYesNo, 10, 3, sixPixelsPerChar, nullptr);
    const DialogButton* pressed = nullptr;
    DialogChoice choice = clickDialog(layout, DialogChoice{}, pressed, at(&layout.buttons.back(), true));
    EXPECT_EQ(choice.selected, 1);
    choice = clickDialog(layout, choice, pressed, at(nullptr, true));  // off the buttons: selection stays
    EXPECT_EQ(choice.selected, 1);
    EXPECT_EQ(pressed, nullptr);
    EXPECT_FALSE(choice.answered);
}

TEST(MessageBoxClicks, ReleaseElsewhereTakesNothing)
{
    DialogLayout layout = layoutMessageBox("Sure?", kMessageYesNo, 10, 3, sixPixelsPerChar, nullptr);
    const DialogButton* yes = &layout.buttons.front();
    const DialogButton* no = &layout.buttons.back();
    const DialogButton* pressed = nullptr;
    DialogChoice choice = clickDialog(layout, DialogChoice{}, pressed, at(yes, true));
    choice = clickDialog(layout, choice, pressed, at(no, false));
    EXPECT_FALSE(choice.answered);
    choice = clickDialog(layout, choice, pressed, at(nullptr, false));
    EXPECT_FALSE(choice.answered);
    choice = clickDialog(layout, choice, pressed, at(nullptr, true));
    choice = clickDialog(layout, choice, pressed, at(no, false));  // pressed off the buttons
    EXPECT_FALSE(choice.answered);
}

TEST(MessageBoxClicks, OtherMouseButtonsDoNothing)
{
    DialogLayout layout = layoutMessageBox("Sure?", kMessageYesNo, 10, 3, sixPixelsPerChar, nullptr);
    const DialogButton* no = &layout.buttons.back();
    for (unsigned int button : {Button2, Button3}) {
        const DialogButton* pressed = nullptr;
        DialogChoice choice = clickDialog(layout, DialogChoice{}, pressed, at(no, true, button));
        EXPECT_EQ(choice.selected, 0);
        EXPECT_EQ(pressed, nullptr);
        choice = clickDialog(layout, choice, pressed, at(no, false, button));
        EXPECT_FALSE(choice.answered) << button;
    }
    // A left press followed by a right release on the same button is no click either.
    const DialogButton* pressed = nullptr;
    DialogChoice choice = clickDialog(layout, DialogChoice{}, pressed, at(no, true));
    choice = clickDialog(layout, choice, pressed, at(no, false, Button3));
    EXPECT_FALSE(choice.answered);
    EXPECT_EQ(pressed, no);
}

TEST(MessageBoxWithoutDisplay, PrintsTheMessageAndAnswersTheDefault)
{
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    bool answer = showMessageBox(kQuestion, "Kiro GL", kMessageYesNo);
    std::string printed = testing::internal::GetCapturedStderr();
    if (display) setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_TRUE(answer);
    EXPECT_EQ(printed, reportLine(program_invocation_short_name, "Kiro GL", kQuestion));
}

struct Answering {
    bool answer;
    std::string seen;
};

bool answerAndNote(void* context, const char* text, const char* caption, MessageBoxKind kind)
{
    auto* a = static_cast<Answering*>(context);
    a->seen += std::string(caption) + "|" + text + "|" + (kind == kMessageYesNo ? "yes/no" : "ok") + "\n";
    return a->answer;
}

TEST(MessageBoxBackends, TheChosenOneAnswersWithItsOwnContextUntilAnotherIsChosen)
{
    Answering no{false, ""};
    useMessageBoxes({answerAndNote, &no});
    EXPECT_FALSE(showMessageBox("Use a window?", "Kiro GL", kMessageYesNo));
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    useMessageBoxes(xlibMessageBoxes());
    testing::internal::CaptureStderr();
    EXPECT_TRUE(showMessageBox("Gone.", "ERROR", kMessageOk));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), reportLine(program_invocation_short_name, "ERROR", "Gone."));
    if (display) setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(no.seen, "Kiro GL|Use a window?|yes/no\n");
}

}  // namespace
