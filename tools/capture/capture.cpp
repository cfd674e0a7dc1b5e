// capture: pictures of the show at chosen demo times, drawn frame by frame from a data folder.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "state/app.h"
#include "frame_schedule.h"
#include "show_session.h"

namespace {

constexpr double kMaxSeconds = 3600.0;  // the float demo clock stays exact to the ms far beyond

struct Options {
    std::string dataDir = ".";
    std::string outPrefix = "shot";
    int width = 800;
    int height = 600;
    double fps = 60.0;
    uint32_t fromMs = 0;
    std::vector<uint32_t> shotsMs;
};

const char* const kUsage =
    "usage: capture [--data DIR] [--out PREFIX] [--size WxH] [--fps N] [--from SECONDS] SECONDS...\n"
    "Draws the show from the data in DIR (default: here), frame by frame from demo time --from\n"
    "(default 0) at N frames a second (default 60), as the demo would draw it, and writes\n"
    "PREFIX-<ms>.ppm at each demo time given in seconds. Needs a display: run it under with-xvfb.\n";

bool parseSeconds(const char* text, uint32_t& ms)
{
    char* end = nullptr;
    double seconds = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(seconds >= 0.0 && seconds <= kMaxSeconds)) return false;
    ms = static_cast<uint32_t>(std::lround(seconds * 1000.0));
    return true;
}

bool parseSize(const char* text, int& width, int& height)
{
    char tail = 0;
    return std::sscanf(text, "%dx%d%c", &width, &height, &tail) == 2 && width >= 16 && height >= 16 &&
           width <= 4096 && height <= 4096;
}

bool parseFps(const char* text, double& fps)
{
    char* end = nullptr;
    fps = std::strtod(text, &end);
    return end != text && *end == '\0' && fps >= 1.0 && fps <= 1000.0;
}

// Reads the options; false after a message on stderr.
bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        bool ok = true;
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (arg == "--data" && hasValue) {
            options.dataDir = argv[++i];
        } else if (arg == "--out" && hasValue) {
            options.outPrefix = argv[++i];
        } else if (arg == "--size" && hasValue) {
            ok = parseSize(argv[++i], options.width, options.height);
        } else if (arg == "--fps" && hasValue) {
            ok = parseFps(argv[++i], options.fps);
        } else if (arg == "--from" && hasValue) {
            ok = parseSeconds(argv[++i], options.fromMs);
        } else if (arg.rfind("--", 0) != 0) {
            uint32_t ms = 0;
            ok = parseSeconds(argv[i], ms);
            options.shotsMs.push_back(ms);
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "capture: bad argument '%s'\n%s", argv[i], kUsage);
            return false;
        }
    }
    if (options.shotsMs.empty()) {
        std::fprintf(stderr, "capture: no demo time given\n%s", kUsage);
        return false;
    }
    return true;
}

bool isShot(const Options& options, uint32_t ms)
{
    for (uint32_t shot : options.shotsMs)
        if (std::max(shot, options.fromMs) == ms) return true;
    return false;
}

std::string shotPath(const std::string& prefix, uint32_t ms)
{
    char name[32];
    std::snprintf(name, sizeof name, "-%06u.ppm", static_cast<unsigned>(ms));
    return prefix + name;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) return 2;
    // Output paths are taken from where the tool was started, before it enters the data folder.
    std::string prefix = std::filesystem::absolute(options.outPrefix).string();
    ShowSession session;
    if (!openShowSession(session, gApp, options.dataDir, options.width, options.height)) return 1;
    auto step = static_cast<uint32_t>(std::lround(1000.0 / options.fps));
    int status = 0;
    for (uint32_t ms : frameTimes(options.fromMs, step, options.shotsMs)) {
        drawShowFrame(gApp, ms);
        if (isShot(options, ms)) {
            std::string path = shotPath(prefix, ms);
            if (writePpm(path, session.width, session.height, readPicture(session))) {
                std::printf("%s\n", path.c_str());
            } else {
                std::fprintf(stderr, "capture: cannot write %s\n", path.c_str());
                status = 1;
            }
        }
        present(session);
    }
    closeShowSession(session);
    return status;
}
