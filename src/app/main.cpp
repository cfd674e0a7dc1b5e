#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/benchmark.h"
#include "app/data_lookup.h"
#include "app/launch_options.h"
#include "app/shell.h"
#include "platform/mode_keeper.h"
#include "platform/monitors.h"
#include "platform/report.h"
#include "platform/standard_descriptors.h"
#include "platform/stop_signals.h"
#include "state/app.h"

namespace {

constexpr int kExitUsage = 2;

// Help and version go to stdout; a full disk or a closed pipe is a failure, not a success.
int printToStdout(const char* text, const char* what)
{
    if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0) return kExitOk;
    report(what, std::string("cannot write: ") + std::strerror(errno));
    return kExitFailure;
}

// A monitor that is not there is a usage error; without a display the window's own message says so.
bool monitorMissing(DesktopSteps& steps, int monitor)
{
    if (!startWindowing(steps.shell.windows) || monitorAt(monitor)) return false;
    report("--monitor", "there is no monitor " + std::to_string(monitor) + "; the monitors are:");
    std::fputs(monitorListText().c_str(), stderr);
    return true;
}

}  // namespace

// Without options: the data files in the working directory (or the installed ones), fullscreen, with music.
int main(int argc, char** argv)
{
    holdStandardDescriptors();
    LaunchOptions options = parseLaunchOptions(argc, argv);
    switch (options.action) {
    case LaunchAction::kHelp:
        return printToStdout(helpText().c_str(), "--help");
    case LaunchAction::kVersion:
        return printToStdout(versionText(), "--version");
    case LaunchAction::kBadUsage:
        report(options.problemWith.c_str(), options.problem);
        std::fputs(usageText(), stderr);
        return kExitUsage;
    case LaunchAction::kRun:
        break;
    }
    // Lives as long as the run: the App points at it.
    std::string trajectoryPath;
    if (!findDataFolder(options.dataDir)) return kExitFailure;
    if (!options.dataDir.empty()) {
        if (!enterDataFolder(options.dataDir, trajectoryPath)) return kExitFailure;
        gApp.trajectoryPath = trajectoryPath.c_str();
    }
    // Only the design's fullscreen changes the mode; forked here, before any other thread and
    // before the first connection to the display, which the keeper must not share.
    if (!options.start.desktop) startModeKeeper();
    DesktopSteps steps;
    steps.shell.display = options.display;
    if (options.monitorGiven && monitorMissing(steps, options.display.monitor)) {
        stopModeKeeper();
        return kExitUsage;
    }
    installStopSignals();
    BenchmarkRun benchmark;
    if (options.benchmark) {
        steps.benchmark = &benchmark;
        steps.shell.display.vsync = false;
    }
    int status = runDemo(gApp, steps, options.start);
    // The connection to the display lasts until the program ends.
    stopWindowing(steps.shell.windows);
    stopModeKeeper();
    if (options.benchmark && status == kExitOk) {
        if (!benchmark.flightDone) report("--benchmark", "ended before the flight was over; no report");
        else status = printToStdout(benchmarkReport(benchmark).c_str(), "--benchmark");
    }
    return status;
}
