#include "app/window.h"

#include "app/app.h"
#include "app/resize_view.h"
#include "app/window_proc.h"
#include "platform/gl_window.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "render/setup_gl.h"

namespace {

const char* const kModeQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

struct FailureMessage {
    WindowFailure failure;
    const char* text;
};
const FailureMessage kCreateMessages[] = {
    {WindowFailure::kWindow, "Window Creation Error."},
    {WindowFailure::kPixelFormat, "Can't Find A Suitable PixelFormat."},
    {WindowFailure::kContext, "Can't Create A GL Rendering Context."},
};

GLFWwindow* window = nullptr;
bool declined = false;

const char* createMessage(WindowFailure failure)
{
    for (const FailureMessage& m : kCreateMessages)
        if (m.failure == failure) return m.text;
    return kCreateMessages[0].text;
}

void showError(const char* text)
{
    showMessageBox(text, "ERROR", kMessageOk);
}

void showShutdownError(const char* text)
{
    showMessageBox(text, "SHUTDOWN ERROR", kMessageOk);
}

// A failed step after the window exists: tear down first, then tell the user.
bool failAfterClose(const char* text)
{
    closeWindow();
    showError(text);
    return false;
}

// False when the user declined a window in place of the missing fullscreen mode.
bool settleDisplayMode(App& app, int width, int height)
{
    if (!app.fullscreenMode || displayOffersMode(width, height)) return true;
    if (showMessageBox(kModeQuestion, "Kiro GL", kMessageYesNo)) {
        app.fullscreenMode = false;
        return true;
    }
    showError("Program Will Now Close.");
    declined = true;
    return false;
}

}  // namespace

bool openWindow(App& app, const char* title, int width, int height, int colourBits, bool fullscreen)
{
    declined = false;
    app.fullscreenMode = fullscreen;
    // The window class: the connection to the display and the procedure for its windows.
    if (!startWindowing()) {
        showError("Failed To Register The Window Class.");
        return false;
    }
    setWindowProc(onWindowMessage);
    if (!settleDisplayMode(app, width, height)) return false;

    WindowFailure failure = WindowFailure::kNone;
    window = createGlWindow({title, width, height, colourBits, app.fullscreenMode}, failure);
    if (!window) return failAfterClose(createMessage(failure));
    if (!makeContextCurrent(window)) return failAfterClose("Can't Activate The GL Rendering Context.");
    showGlWindow(window);
    resizeView(app, width, height);
    if (!setupGL(app)) return failAfterClose("Initialization Failed.");
    return true;
}

void closeWindow()
{
    // The display mode goes back with the fullscreen window, and the context with its window;
    // the connection to the display stays until the program ends.
    if (window && !releaseContext()) showShutdownError("Release Of DC And RC Failed.");
    if (window && !destroyGlWindow(window)) showShutdownError("Could Not Release hWnd.");
    window = nullptr;
}

bool windowDeclined()
{
    return declined;
}

void swapBuffers()
{
    if (window) swapGlBuffers(window);
}
