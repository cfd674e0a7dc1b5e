#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/app.h"
#include "app/launch_options.h"
#include "app/shell.h"

namespace {

constexpr int kExitUsage = 2;

// Help and version go to stdout; a full disk or a closed pipe is a failure, not a success.
int printToStdout(const char* text, const char* what)
{
    if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0) return kExitOk;
    std::fprintf(stderr, "zephal3d: %s: cannot write: %s\n", what, std::strerror(errno));
    return kExitFailure;
}

}  // namespace

// Without options: the data files in the working directory, fullscreen, with music.
int main(int argc, char** argv)
{
    LaunchOptions options = parseLaunchOptions(argc, argv);
    switch (options.action) {
    case LaunchAction::kHelp:
        return printToStdout(helpText(), "--help");
    case LaunchAction::kVersion:
        return printToStdout(versionText(), "--version");
    case LaunchAction::kBadUsage:
        std::fprintf(stderr, "%s\n%s", options.problem.c_str(), usageText());
        return kExitUsage;
    case LaunchAction::kRun:
        break;
    }
    // Lives as long as the run: the App points at it.
    static std::string trajectoryPath;
    if (!options.dataDir.empty()) {
        if (!enterDataFolder(options.dataDir, trajectoryPath)) return kExitFailure;
        gApp.trajectoryPath = trajectoryPath.c_str();
    }
    return runDemo(gApp, demoSteps(), options.start);
}
