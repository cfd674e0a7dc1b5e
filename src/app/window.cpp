#include "app/window.h"

#include "platform/message_box.h"
#include "session/show_session.h"
#include "state/app.h"

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
bool failAfterClose(Shell& shell, const char* text)
{
    closeWindow(shell);
    showError(text);
    return false;
}

// False when the user declined a window in place of the missing fullscreen mode.
bool settleDisplayMode(App& app, Shell& shell, int width, int height)
{
    // Desktop fullscreen keeps the mode the monitor has, so there is nothing to ask.
    if (!app.fullscreenMode || app.desktopMode) return true;
    if (displayOffersMode(shell.windows, shell.display.monitor, width, height)) return true;
    if (showMessageBox(kModeQuestion, "Kiro GL", kMessageYesNo)) {
        app.fullscreenMode = false;
        return true;
    }
    showError("Program Will Now Close.");
    shell.declined = true;
    return false;
}

}  // namespace

bool openWindow(App& app, Shell& shell, const WindowPlan& plan, bool fullscreen)
{
    shell.declined = false;
    app.fullscreenMode = fullscreen;
    // The window class: the connection to the display and the procedure for its windows.
    if (!startWindowing(shell.windows)) {
        showError("Failed To Register The Window Class.");
        return false;
    }
    if (!settleDisplayMode(app, shell, plan.width, plan.height)) return false;

    WindowFailure failure = WindowFailure::kNone;
    GlWindowRequest request = {.title = plan.title,
                               .width = plan.width,
                               .height = plan.height,
                               .colourBits = plan.colourBits,
                               .fullscreen = app.fullscreenMode,
                               .monitor = shell.display.monitor,
                               .keepDesktopMode = app.desktopMode};
    GlWindow* window = createGlWindow(shell.windows, request, failure);
    if (!window) return failAfterClose(shell, createMessage(failure));
    if (!makeContextCurrent(shell.windows, window)) return failAfterClose(shell, "Can't Activate The GL Rendering Context.");
    waitForRefresh(shell.windows, shell.display.vsync);
    showGlWindow(shell.windows, window);
    int pixelsWide = plan.width, pixelsHigh = plan.height;
    framebufferSize(shell.windows, window, pixelsWide, pixelsHigh);
    if (!startShowView(app, pixelsWide, pixelsHigh)) return failAfterClose(shell, "Initialization Failed.");
    return true;
}

void closeWindow(Shell& shell)
{
    // The display mode goes back with the fullscreen window, and the context with its window;
    // the connection to the display stays until the program ends.
    GlWindow* window = shell.windows.window;
    if (window && !releaseContext(shell.windows)) showShutdownError("Release Of DC And RC Failed.");
    if (window && !destroyGlWindow(shell.windows, window)) showShutdownError("Could Not Release hWnd.");
    shell.windows.window = nullptr;
}

void swapBuffers(Shell& shell)
{
    if (shell.windows.window) swapGlBuffers(shell.windows, shell.windows.window);
}
