#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "platform/key_map.h"
#include "platform/virtual_keys.h"

namespace {

TEST(KeyMap, TheDemosKeysOnAUsLayout)
{
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_ESCAPE, nullptr), kVkEscape);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_F1, nullptr), kVkF1);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_R, "r"), kVkR);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_L, "l"), kVkL);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_R, nullptr), kVkR);
}

TEST(KeyMap, RunsOfKeysKeepTheirOrder)
{
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_A, nullptr), 'A');
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_Z, nullptr), 'Z');
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_0, "0"), '0');
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_9, "9"), '9');
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_F12, nullptr), 0x7B);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_F24, nullptr), 0x87);
}

TEST(KeyMap, KeypadKeysAreNotTheirDigits)
{
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_KP_0, "0"), 0x60);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_KP_9, "9"), 0x69);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_KP_ENTER, nullptr), 0x0D);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_KP_DIVIDE, "/"), 0x6F);
}

TEST(KeyMap, LettersFollowTheLayoutWhileTheDigitRowStays)
{
    // On a French layout the key where US has Q prints A, and the digit row prints & é " ...
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_Q, "a"), 'A');
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_SEMICOLON, "m"), 'M');
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_M, ","), 0xBC);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_1, "&"), '1');
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_2, "\xc3\xa9"), '2');
}

TEST(KeyMap, PunctuationAndControlKeys)
{
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_SEMICOLON, ";"), 0xBA);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_APOSTROPHE, nullptr), 0xDE);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_LEFT_SHIFT, nullptr), 0x10);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_RIGHT_CONTROL, nullptr), 0x11);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_LEFT, nullptr), 0x25);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_SPACE, " "), 0x20);
}

TEST(KeyMap, KeysWithoutACodeGiveZero)
{
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_UNKNOWN, nullptr), 0);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_F25, nullptr), 0);
    EXPECT_EQ(virtualKeyFor(GLFW_KEY_WORLD_2, nullptr), 0);
}

}  // namespace
