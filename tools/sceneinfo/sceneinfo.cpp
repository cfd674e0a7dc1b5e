#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/report.h"
#include "scene/load3ds.h"
#include "scene_json.h"

// sceneinfo [--corners] FILE.3DS: prints what the scene loader reads from FILE as JSON.
int main(int argc, char** argv)
{
    bool corners = false;
    bool badUsage = false;
    const char* fileName = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--corners") == 0)
            corners = true;
        else if (fileName || std::strncmp(argv[i], "--", 2) == 0)  // an unknown option is no file name
            badUsage = true;
        else
            fileName = argv[i];
    }
    if (!fileName || badUsage) {
        std::fprintf(stderr, "usage: %s [--corners] FILE.3DS\n", program_invocation_short_name);
        return 2;
    }
    Scene scene;
    clear(scene);
    if (!load3ds(scene, fileName)) {
        report(fileName, std::string("cannot open: ") + std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", sceneJson(scene, corners).c_str());
    releaseScene(scene);
    return 0;
}
