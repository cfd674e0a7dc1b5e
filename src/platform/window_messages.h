#pragma once

#include <cstdint>

// The window messages the demo's window procedure understands, numbered as the Win32
// messages they stand for; a size and an activation pack their two numbers into one word as there.

constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;

constexpr uintptr_t WA_INACTIVE = 0;
constexpr uintptr_t WA_ACTIVE = 1;

// The window a message is for; nullptr for messages to the thread (WM_QUIT).
using WindowHandle = void*;

struct WindowMessage {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;  // the key's virtual-key code; the activation; the quit's exit code
    intptr_t lParam;  // the size: width in the low word, height in the high word
};

constexpr uintptr_t makeLong(uint32_t low, uint32_t high)
{
    return (low & 0xFFFFu) | ((high & 0xFFFFu) << 16);
}
constexpr uint32_t loWord(uintptr_t value) { return static_cast<uint32_t>(value & 0xFFFFu); }
constexpr uint32_t hiWord(uintptr_t value) { return static_cast<uint32_t>((value >> 16) & 0xFFFFu); }
