#include "session/scene_loading.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "state/app.h"
#include "platform/message_box.h"
#include "scene/load3ds.h"

namespace {

const char* const kSceneFile = "scenedemo.3DS";

// Why the file does not open, asked again so the reason is the system's own.
std::string openFailure(const char* fileName)
{
    errno = 0;
    std::FILE* file = std::fopen(fileName, "rb");
    int reason = errno;
    if (file) std::fclose(file);
    return reason ? std::strerror(reason) : "it cannot be opened";
}

}  // namespace

bool loadScene(App& app)
{
    app.quitRequested = 0;
    clear(app.scene);
    bool read = load3ds(app.scene, kSceneFile);
    app.scene.selectedCameraNumber = 1;
    app.scene.selectedCamera = cameraByNumber(app.scene, 1);
    if (!read) {
        std::string text = std::string("Cannot read the scene file \"") + kSceneFile + "\": " + openFailure(kSceneFile) + ".";
        showMessageBox(text.c_str(), "ERROR", kMessageOk);
        return false;
    }
    if (!app.scene.selectedCamera) {
        std::string text = std::string("The scene file \"") + kSceneFile + "\" holds no camera.";
        showMessageBox(text.c_str(), "ERROR", kMessageOk);
        return false;
    }
    return true;
}
