#include "app/launch_options.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "platform/report.h"
#include "state/effect_steps.h"

namespace {

const char* const kVersion = "zephal3d 1.0\n";

const char* const kUsage =
    "usage: zephal3d [--window | --desktop] [--monitor N] [--vsync | --no-vsync] [--data DIR]\n"
    "                [--mute] [--benchmark] [--step-rate HZ] [--render-size WxH]\n"
    "       zephal3d --help | --version\n";

// What --help prints after the usage lines.
const char* const kHelpBody =
    "\n"
    "Zephal3D, a real-time 3D demo: a 78-second camera flight through a 3D Studio scene with\n"
    "its music, then an end phase that lasts until Escape. It starts 800 x 600 fullscreen and,\n"
    "where the screen has no such mode, asks whether to run in a window instead.\n"
    "\n"
    "Options:\n"
    "  --window      start in a framed 800 x 600 window, without the question\n"
    "  --desktop     fullscreen at the monitor's own mode: no mode change, no question; the\n"
    "                show keeps its 4:3 shape at the monitor's pixels, with black bars\n"
    "  --monitor N   fullscreen on monitor N (0, the primary, by default)\n"
    "  --vsync       frames wait for the display's refresh (the default)\n"
    "  --no-vsync    frames do not wait for the display's refresh\n"
    "  --data DIR    read the data files from DIR (without it: the working directory when it\n"
    "                holds scenedemo.3DS, else the installed ../share/zephal3d beside the program)\n"
    "  --mute        play no music and open no sound device\n"
    "  --benchmark   run the flight once with vsync off, print its frame rates and end\n"
    "  --step-rate HZ\n"
    "                the greets and the end fog move HZ steps a second of the show's time\n"
    "                instead of one step a frame, so that they look the same at any refresh\n"
    "                rate (the show was made for 60; at 144 Hz they rush by too fast to read)\n"
    "  --render-size WxH\n"
    "                draw the show at WxH off screen and scale it into its picture: for a\n"
    "                computer without a GPU, whose software GL slows down with the pixels\n"
    "  --help        print this help and end\n"
    "  --version     print the version and end\n"
    "\n"
    "Keys:\n"
    "  F1       switch between fullscreen and a 640 x 480 window; the show starts again\n"
    "           (with --desktop: between desktop fullscreen and the window)\n"
    "  Escape   end the demo\n"
    "  R        append the camera's position and target to traj.txt, in the working\n"
    "           directory (also with --data)\n"
    "  L        switch GL lighting on and off\n"
    "\n"
    "Data files, in the data folder:\n"
    "  scenedemo.3DS      the scene, with the BMP textures its materials name\n"
    "  greets.bmp, greetsalpha.bmp, greets2.bmp, greets2alpha.bmp\n"
    "                     the two overlays, each with the mask that gives its alpha\n"
    "  sorvel.mp3         the music, MPEG audio Layer III; without it the demo runs silent\n";

// An action that ends the reading; the options read so far no longer matter.
LaunchOptions endWith(LaunchAction action)
{
    LaunchOptions options;
    options.action = action;
    return options;
}

LaunchOptions badUsage(std::string_view what, std::string_view message)
{
    LaunchOptions options = endWith(LaunchAction::kBadUsage);
    options.problemWith = what;
    options.problem = message;
    return options;
}

constexpr int kMostMonitors = 999;  // far above any real desk; keeps the number an int
constexpr int kSmallestSide = 16;  // of a render size; below that the show is a smudge
constexpr int kLargestSide = 8192;  // twice a 4K screen's width
constexpr int kMostDigits = 4;

// A plain decimal from `least` to `most`: no sign, no trailing text.
bool parseNumber(std::string_view text, int least, int most, int& value)
{
    if (text.empty() || text.size() > kMostDigits) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value >= least && value <= most;
}

bool parseSize(std::string_view text, int& width, int& height)
{
    size_t x = text.find('x');
    return x != std::string_view::npos && parseNumber(text.substr(0, x), kSmallestSide, kLargestSide, width) &&
           parseNumber(text.substr(x + 1), kSmallestSide, kLargestSide, height);
}

}  // namespace

LaunchOptions parseLaunchOptions(int argc, const char* const* argv)
{
    const std::string_view dataEquals = "--data=";
    LaunchOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help") return endWith(LaunchAction::kHelp);
        if (arg == "--version") return endWith(LaunchAction::kVersion);
        if (arg == "--window") {
            options.start.windowed = true;
        } else if (arg == "--mute") {
            options.start.mute = true;
        } else if (arg == "--desktop") {
            options.start.desktop = true;
        } else if (arg == "--benchmark") {
            options.benchmark = true;
        } else if (arg == "--vsync" || arg == "--no-vsync") {
            options.display.vsync = arg == "--vsync";
        } else if (arg == "--monitor") {
            if (i + 1 == argc || !parseNumber(argv[++i], 0, kMostMonitors, options.display.monitor))
                return badUsage("--monitor", "needs a number");
            options.monitorGiven = true;
        } else if (arg == "--step-rate") {
            if (i + 1 == argc || !parseNumber(argv[++i], 1, kMaxStepRateHz, options.start.stepRateHz))
                return badUsage("--step-rate", "needs a rate from 1 to 1000 steps a second");
        } else if (arg == "--render-size") {
            if (i + 1 == argc || !parseSize(argv[++i], options.display.renderWidth, options.display.renderHeight))
                return badUsage("--render-size", "needs a size WxH, each side from 16 to 8192");
        } else if (arg == "--data" || arg.starts_with(dataEquals)) {
            bool separate = arg == "--data";
            if (separate && i + 1 == argc) return badUsage("--data", "needs a folder");
            options.dataDir = separate ? argv[++i] : arg.substr(dataEquals.size());
            if (options.dataDir.empty()) return badUsage("--data", "needs a folder");
        } else {
            return badUsage(arg, arg.starts_with("-") ? "unknown option" : "unexpected argument");
        }
    }
    return options;
}

std::string helpText()
{
    return std::string(kUsage) + kHelpBody;
}

const char* versionText()
{
    return kVersion;
}

const char* usageText()
{
    return kUsage;
}

bool enterDataFolder(const std::string& dataDir, std::string& trajectoryPath)
{
    std::error_code error;
    std::filesystem::path start = std::filesystem::current_path(error);
    if (chdir(dataDir.c_str()) != 0) {
        report("--data", "cannot enter \"" + dataDir + "\": " + std::strerror(errno));
        return false;
    }
    if (error) {
        // A working directory removed under us has no name to come back to.
        report("traj.txt", error.message() + "; R appends nothing");
        trajectoryPath.clear();
        return true;
    }
    trajectoryPath = (start / "traj.txt").string();
    return true;
}
