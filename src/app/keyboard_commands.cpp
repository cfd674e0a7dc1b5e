#include "app/keyboard_commands.h"

#include <GL/gl.h>

#include "app/window.h"
#include "platform/virtual_keys.h"
#include "state/app.h"

namespace {

const char* const kTrajectoryFile = "traj.txt";
const char* const kTrajectoryFormat =
    "posFinSource[0].x = %f;\nposFinSource[0].y = %f;\nposFinSource[0].z = %f;\n"
    "posFinTarget[2].x = %f;\nposFinTarget[2].y = %f;\nposFinTarget[2].z = %f;\n\n";

// Switched together, in this order.
const GLenum kLightingCaps[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHT4, GL_LIGHT5, GL_LIGHTING};

const WindowPlan kToggledWindow = {"Zephal 3D", 640, 480, 16};

}  // namespace

bool toggleDisplayMode(App& app, Shell& shell)
{
    closeWindow(shell);
    app.fullscreenMode = !app.fullscreenMode;
    return openWindow(app, shell, kToggledWindow, app.fullscreenMode);
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

bool handleKeys(App& app, Shell& shell)
{
    return handleKeys(app, [&shell](App& a) { return toggleDisplayMode(a, shell); });
}

bool handleKeys(App& app, const std::function<bool(App& app)>& recreateWindow)
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
