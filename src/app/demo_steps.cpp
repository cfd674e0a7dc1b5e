#include "app/benchmark.h"
#include "app/keyboard_commands.h"
#include "app/music.h"
#include "session/scene_loading.h"
#include "app/shell.h"
#include "app/window_proc.h"
#include "platform/desktop.h"
#include "platform/stop_signals.h"
#include "show/framed_frame.h"
#include "state/app.h"
#include "state/demo_clock.h"

bool DesktopSteps::loadScene(App& app) { return ::loadScene(app); }
void DesktopSteps::setCursorPos(int x, int y) { ::setCursorPos(shell.windows.desktop, x, y); }
bool DesktopSteps::openMusic(const char* fileName) { return ::openMusic(fileName); }
void DesktopSteps::startMusic(int loop) { ::startMusic(loop); }
bool DesktopSteps::openWindow(App& app, const WindowPlan& plan, bool fullscreen)
{
    return ::openWindow(app, shell, plan, fullscreen);
}
bool DesktopSteps::windowDeclined() { return shell.declined; }
bool DesktopSteps::peekMessage(WindowMessage& message) { return ::peekMessage(shell.windows, message); }
void DesktopSteps::dispatchMessage(App& app, const WindowMessage& message)
{
    onWindowMessage(app, shell.windows.queue, message);
}
bool DesktopSteps::drawFrame(App& app)
{
    // The clock as the frame's camera reads it, a moment later.
    double demoMs = elapsedMs(app.clock);
    bool drawn = drawScaledFrame(app, shell.offscreen);
    if (!benchmark) return drawn;
    benchmark->renderWidth = shell.offscreen.width;
    benchmark->renderHeight = shell.offscreen.height;
    recordBenchmarkFrame(*benchmark, app, demoMs, benchmarkClockMs());
    return drawn;
}
void DesktopSteps::swapBuffers() { ::swapBuffers(shell); }
bool DesktopSteps::handleKeys(App& app) { return ::handleKeys(app, shell); }
void DesktopSteps::closeWindow() { ::closeWindow(shell); }
void DesktopSteps::stopMusic() { ::stopMusic(); }
bool DesktopSteps::stopSignalled() { return stopSignalArrived(); }
