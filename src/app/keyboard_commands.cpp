#include "app/keyboard_commands.h"

#include <GL/gl.h>

#include "app/app.h"
#include "app/window.h"
#include "platform/virtual_keys.h"

namespace {

const char* const kTrajectoryFile = "traj.txt";
const char* const kTrajectoryFormat =
    "posFinSource[0].x = %f;\nposFinSource[0].y = %f;\nposFinSource[0].z = %f;\n"
    "posFinTarget[2].x = %f;\nposFinTarget[2].y = %f;\nposFinTarget[2].z = %f;\n\n";

// Switched together, in this order.
const GLenum kLightingCaps[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHT4, GL_LIGHT5, GL_LIGHTING};

const WindowPlan kToggledWindow = {"Zephal 3D", 640, 480, 16};

}  // namespace

bool toggleDisplayMode(App& app)
{
    closeWindow();
    app.fullscreenMode = !app.fullscreenMode;
    const WindowPlan& w = kToggledWindow;
    return openWindow(app, w.title, w.width, w.height, w.colourBits, app.fullscreenMode);
}

void writeTrajectoryBlock(std::FILE* file, const SceneCamera& camera)
{
    std::fprintf(file, kTrajectoryFormat, camera.eye.x, camera.eye.y, camera.eye.z, camera.target.x,
                 camera.target.y, camera.target.z);
}

bool dumpTrajectory(const SceneCamera& camera, const char* fileName)
{
    std::FILE* file = std::fopen(fileName, "a");
    if (!file) return false;
    writeTrajectoryBlock(file, camera);
    return std::fclose(file) == 0;
}

bool stepLightLatch(App& app, bool lDown)
{
    if (!lDown) {
        app.lightsKeyLatch = false;
        return false;
    }
    if (app.lightsKeyLatch) return false;
    app.lightsKeyLatch = true;
    app.lightsOn = app.lightsOn == 0 ? 1 : 0;
    return true;
}

void applyLighting(bool on)
{
    for (GLenum cap : kLightingCaps) on ? glEnable(cap) : glDisable(cap);
}

bool handleKeys(App& app)
{
    return handleKeys(app, toggleDisplayMode);
}

bool handleKeys(App& app, bool (*recreateWindow)(App& app))
{
    if (app.keyDown[kVkF1]) {
        // Cleared first: one key-down message, one toggle.
        app.keyDown[kVkF1] = false;
        if (!recreateWindow(app)) return false;
    }
    if (app.keyDown[kVkEscape]) app.quitRequested = 1;
    if (app.keyDown[kVkR] && app.scene.selectedCamera) {
        dumpTrajectory(*app.scene.selectedCamera, app.trajectoryPath ? app.trajectoryPath : kTrajectoryFile);
    }
    if (stepLightLatch(app, app.keyDown[kVkL])) applyLighting(app.lightsOn != 0);
    return true;
}
