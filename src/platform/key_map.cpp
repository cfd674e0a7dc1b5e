#include "platform/key_map.h"

#include <GLFW/glfw3.h>

#include <iterator>

namespace {

struct KeyRange {
    int firstGlfwKey;
    int lastGlfwKey;
    int firstVirtualKey;
};

// Runs of keys whose codes go up together on both sides.
const KeyRange kKeyRanges[] = {
    {GLFW_KEY_A, GLFW_KEY_Z, 'A'},
    {GLFW_KEY_0, GLFW_KEY_9, '0'},
    {GLFW_KEY_F1, GLFW_KEY_F24, 0x70},
    {GLFW_KEY_KP_0, GLFW_KEY_KP_9, 0x60},
};

struct KeyPair {
    int glfwKey;
    int virtualKey;
};

const KeyPair kSingleKeys[] = {
    {GLFW_KEY_ESCAPE, 0x1B},       {GLFW_KEY_ENTER, 0x0D},        {GLFW_KEY_KP_ENTER, 0x0D},
    {GLFW_KEY_TAB, 0x09},          {GLFW_KEY_BACKSPACE, 0x08},    {GLFW_KEY_SPACE, 0x20},
    {GLFW_KEY_INSERT, 0x2D},       {GLFW_KEY_DELETE, 0x2E},       {GLFW_KEY_HOME, 0x24},
    {GLFW_KEY_END, 0x23},          {GLFW_KEY_PAGE_UP, 0x21},      {GLFW_KEY_PAGE_DOWN, 0x22},
    {GLFW_KEY_LEFT, 0x25},         {GLFW_KEY_UP, 0x26},           {GLFW_KEY_RIGHT, 0x27},
    {GLFW_KEY_DOWN, 0x28},         {GLFW_KEY_LEFT_SHIFT, 0x10},   {GLFW_KEY_RIGHT_SHIFT, 0x10},
    {GLFW_KEY_LEFT_CONTROL, 0x11}, {GLFW_KEY_RIGHT_CONTROL, 0x11}, {GLFW_KEY_LEFT_ALT, 0x12},
    {GLFW_KEY_RIGHT_ALT, 0x12},    {GLFW_KEY_LEFT_SUPER, 0x5B},   {GLFW_KEY_RIGHT_SUPER, 0x5C},
    {GLFW_KEY_MENU, 0x5D},         {GLFW_KEY_PAUSE, 0x13},        {GLFW_KEY_CAPS_LOCK, 0x14},
    {GLFW_KEY_NUM_LOCK, 0x90},     {GLFW_KEY_SCROLL_LOCK, 0x91},  {GLFW_KEY_PRINT_SCREEN, 0x2C},
    {GLFW_KEY_KP_MULTIPLY, 0x6A},  {GLFW_KEY_KP_ADD, 0x6B},       {GLFW_KEY_KP_SUBTRACT, 0x6D},
    {GLFW_KEY_KP_DECIMAL, 0x6E},   {GLFW_KEY_KP_DIVIDE, 0x6F},    {GLFW_KEY_KP_EQUAL, 0xBB},
    {GLFW_KEY_WORLD_1, 0xE2},
};

// The US-layout punctuation keys; GLFW numbers them by the character they print there.
const KeyPair kPunctuation[] = {
    {';', 0xBA}, {'=', 0xBB}, {',', 0xBC}, {'-', 0xBD}, {'.', 0xBE}, {'/', 0xBF},
    {'`', 0xC0}, {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE},
};

int lookUp(const KeyPair* pairs, int count, int key)
{
    for (int i = 0; i < count; ++i)
        if (pairs[i].glfwKey == key) return pairs[i].virtualKey;
    return 0;
}

int punctuationKey(int character)
{
    return lookUp(kPunctuation, static_cast<int>(std::size(kPunctuation)), character);
}

bool isTypingKey(int glfwKey)
{
    return glfwKey > GLFW_KEY_SPACE && glfwKey <= GLFW_KEY_GRAVE_ACCENT;
}

// The code for what the layout prints on a typing key, 0 when it prints nothing we map.
int layoutKey(const char* name)
{
    if (!name || !name[0] || name[1]) return 0;
    char c = name[0];
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= 'A' && c <= 'Z') return c;
    return punctuationKey(c);
}

}  // namespace

int virtualKeyFor(int glfwKey, const char* layoutName)
{
    if (isTypingKey(glfwKey)) {
        if (int key = layoutKey(layoutName)) {
            // The digit row keeps its digits whatever the layout prints on it.
            bool digitRow = glfwKey >= GLFW_KEY_0 && glfwKey <= GLFW_KEY_9;
            if (!digitRow) return key;
        }
    }
    for (const KeyRange& r : kKeyRanges)
        if (glfwKey >= r.firstGlfwKey && glfwKey <= r.lastGlfwKey) return r.firstVirtualKey + glfwKey - r.firstGlfwKey;
    if (int key = lookUp(kSingleKeys, static_cast<int>(std::size(kSingleKeys)), glfwKey)) return key;
    return punctuationKey(glfwKey);
}
